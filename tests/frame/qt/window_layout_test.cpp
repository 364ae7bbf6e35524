// The window as a definition lays it out: frame, menu bar, client area, and
// every control at its rectangle in its parent, fully visible, with the
// colours and fonts the definition gives.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTextBlock>
#include <QTextLayout>

#include "acctdesk/main_window.h"
#include "acctdesk/message_area.h"
#include "frame/qt/client_area.h"
#include "frame/qt/tab_control.h"
#include "frame/services/control_services.h"
#include "gmdesk/main_window.h"
#include "tests/frame/qt/qt_program.h"
#include "tests/support/test_window.h"

namespace {

using frame::ControlDefinition;
using frame::kMainWindowId;
using frame::Property;
using testing_support::QtProgram;

QString Q(const char* utf8) {
  return QString::fromUtf8(utf8);
}

QWidget* ExpectedParent(QtProgram& program, const ControlDefinition& control) {
  auto& window = dynamic_cast<QMainWindow&>(program.window());
  if (!control.parent.control) return window.centralWidget();
  QWidget& parent = program.widget(*control.parent.control);
  if (auto* tab = dynamic_cast<frame::TabControl*>(&parent)) return tab->Page(control.parent.page);
  return &parent;
}

class WindowLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { test_window::Reset(); }
  void TearDown() override { test_window::Reset(); }
};

TEST_F(WindowLayoutTest, TheWindowIsAFixedCentredFrameWithItsTitleAndMenus) {
  QtProgram program(test_window::kProgram);
  bool shown_when_created = false;
  test_window::hooks().created = [&] {
    shown_when_created = program.window_system().MainWindow()->isVisible();
  };
  ASSERT_TRUE(program.Start());
  EXPECT_TRUE(shown_when_created);

  auto& window = dynamic_cast<QMainWindow&>(program.window());
  EXPECT_EQ(window.windowTitle(), Q("测试窗口"));
  EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "no sizing border";
  Qt::WindowFlags flags = window.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(window.centralWidget()->size(), QSize(500 - 6, 300 - 29 - 20));
  QPoint screen_centre = window.screen()->availableGeometry().center();
  EXPECT_LE((window.geometry().center() - screen_centre).manhattanLength(), 2);

  QList<QAction*> menus = window.menuBar()->actions();
  ASSERT_EQ(menus.size(), 1);
  EXPECT_EQ(menus[0]->text(), Q("程序"));
  QStringList items;
  QList<bool> enabled;
  for (QAction* item : menus[0]->menu()->actions()) {
    items.append(item->text());
    enabled.append(item->isEnabled());
  }
  EXPECT_EQ(items, (QStringList{Q("连接"), Q("退出"), Q("灰色")}));
  EXPECT_EQ(enabled, (QList<bool>{true, true, false}));

  frame::SetControlProperty(kMainWindowId, frame::kWindowUnit, frame::kTitle, frame::Gbk("><"));
  EXPECT_EQ(window.windowTitle(), Q("><"));
}

TEST_F(WindowLayoutTest, EveryControlSitsAtItsRectangleInItsParent) {
  QtProgram program(test_window::kProgram);
  ASSERT_TRUE(program.Start());
  for (const ControlDefinition& control : test_window::kWindow.controls) {
    SCOPED_TRACE(std::string(control.name));
    QWidget* widget = program.window_system().ControlWidget(control.id);
    if (frame::IsComponent(control.kind)) {
      EXPECT_EQ(widget, nullptr);
      continue;
    }
    ASSERT_NE(widget, nullptr);
    const frame::Rect& r = control.rect;
    EXPECT_EQ(widget->geometry(), QRect(r.left, r.top, r.width, r.height));
    EXPECT_EQ(widget->parentWidget(), ExpectedParent(program, control));
    EXPECT_EQ(widget->isHidden(), !control.visible);
    EXPECT_EQ(widget->isEnabled(), !control.disabled);
  }
}

TEST_F(WindowLayoutTest, HandlersMoveShowAndHideControls) {
  QtProgram program(test_window::kProgram);
  ASSERT_TRUE(program.Start());
  auto set = [](frame::ControlId control, Property property, int32_t value) {
    frame::SetControlProperty(kMainWindowId, control, property, value);
  };
  set(test_window::kHidden, Property::kVisible, true);
  EXPECT_TRUE(program.widget(test_window::kHidden).isVisible());
  set(test_window::kButton, Property::kLeft, 220);
  set(test_window::kButton, Property::kHeight, 30);
  EXPECT_EQ(program.widget(test_window::kButton).geometry(), QRect(220, 0, 80, 30));
  EXPECT_EQ(frame::GetControlProperty(kMainWindowId, test_window::kButton, Property::kLeft).AsInt(),
            220);
  set(test_window::kButton, Property::kVisible, false);
  EXPECT_FALSE(program.widget(test_window::kButton).isVisible());
  EXPECT_FALSE(
      frame::GetControlProperty(kMainWindowId, test_window::kButton, Property::kVisible).AsBool());
}

TEST(ClientAreaTest, IsWhatWindowsGivesTheOuterSizeGrownToHoldTheControls) {
  constexpr ControlDefinition kWide[] = {{.id = frame::ControlNumber(1),
                                          .kind = frame::ControlKind::kButton,
                                          .rect = {10, 20, 120, 90}}};
  const frame::WindowDefinition tight{.rect = {0, 0, 100, 100}, .controls = kWide};
  EXPECT_EQ(frame::ClientAreaSize(gmdesk::kMainWindowDefinition), (frame::ClientSize{1033, 582}));
  EXPECT_EQ(frame::ClientAreaSize(acctdesk::kMainWindowDefinition), (frame::ClientSize{568, 504}));
  EXPECT_EQ(frame::ClientAreaSize(tight), (frame::ClientSize{130, 110}));
}

TEST(ToolWindowLayoutTest, EveryControlOfBothToolsIsFullyVisibleAndReachable) {
  for (const frame::Program* tool : {&gmdesk::kProgram, &acctdesk::kProgram}) {
    QtProgram program(*tool);
    ASSERT_TRUE(program.Start());
    auto& window = dynamic_cast<QMainWindow&>(program.window());
    QWidget* client = window.centralWidget();
    EXPECT_TRUE(
        window.rect().contains(QRect(client->mapTo(&window, QPoint(0, 0)), client->size())));
    for (const ControlDefinition& control : tool->windows[0]->controls) {
      if (frame::IsComponent(control.kind)) continue;
      QWidget& widget = program.widget(control.id);
      QWidget* parent = ExpectedParent(program, control);
      QRect in_client(widget.mapTo(client, QPoint(0, 0)), widget.size());
      EXPECT_TRUE(client->rect().contains(in_client))
          << widget.objectName().toStdString() << " " << control.rect.left;
      EXPECT_TRUE(parent->rect().contains(widget.geometry())) << control.rect.left;
      if (auto* label = qobject_cast<QLabel*>(&widget)) {
        QFontMetrics metrics(label->font());
        for (const QString& line : label->text().split(u'\n'))
          EXPECT_LE(metrics.horizontalAdvance(line), label->width()) << line.toStdString();
      }
      // Nothing lies over a shown control: a click at its centre reaches it.
      if (!widget.isVisible()) continue;
      QWidget* hit = window.childAt(widget.mapTo(&window, widget.rect().center()));
      EXPECT_TRUE(hit == &widget || widget.isAncestorOf(hit)) << control.rect.left;
    }
  }
}

TEST(ToolWindowLayoutTest, LabelsAndBoxesShowTheirColoursAndFonts) {
  QChar chinese(0x4E2D);
  {
    QtProgram program(gmdesk::kProgram);
    ASSERT_TRUE(program.Start());
    auto& banner = program.widget<QLabel>(gmdesk::kBanner);
    EXPECT_EQ(banner.text().count(u'\n'), 2) << "three lines";
    EXPECT_EQ(banner.palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(banner.palette().color(QPalette::Window), QColor(Qt::black));
    EXPECT_TRUE(banner.autoFillBackground());
    QFontInfo banner_font(banner.font());
    EXPECT_EQ(banner_font.pixelSize(), 16);
    EXPECT_TRUE(banner_font.bold());
    EXPECT_TRUE(QFontMetrics(banner.font()).inFont(chinese)) << banner_font.family().toStdString();

    auto& warning = program.widget<QLabel>(gmdesk::kWarningLine);
    EXPECT_EQ(warning.palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::yellow));
    auto& log = program.widget<QPlainTextEdit>(gmdesk::kChannelLog);
    EXPECT_EQ(log.palette().color(QPalette::Active, QPalette::Text), QColor(Qt::green));
    EXPECT_EQ(log.palette().color(QPalette::Base), QColor(Qt::black));
    EXPECT_TRUE(log.isReadOnly());
    EXPECT_FALSE(program.widget(gmdesk::kPlayerPanel).isEnabled());
  }
  {
    QtProgram program(acctdesk::kProgram);
    ASSERT_TRUE(program.Start());
    auto& messages = program.widget<QPlainTextEdit>(acctdesk::kMessageArea);
    EXPECT_EQ(QFontInfo(messages.font()).pixelSize(), 12) << "9 points at 96 dots per inch";
    EXPECT_TRUE(QFontMetrics(messages.font()).inFont(chinese));
    auto& banner = program.widget<QLabel>(frame::ControlNumber(0x00fb));  // 标签18
    EXPECT_EQ(banner.palette().color(QPalette::Active, QPalette::WindowText), QColor(Qt::red));
    EXPECT_FALSE(banner.autoFillBackground()) << "the window's own background";
  }
}

TEST(ToolWindowLayoutTest, ADisabledPanelKeepsTheColoursOfItsControls) {
  QtProgram program(gmdesk::kProgram);
  ASSERT_TRUE(program.Start());
  // Before connecting: the player panel's three coloured areas and boxes of
  // two kinds look as they will once it is enabled.
  const frame::ControlId looked_at[] = {
      frame::ControlNumber(0x1758),  // 标签48, yellow
      frame::ControlNumber(0x173d),  // 标签43, magenta
      frame::ControlNumber(0x178e),  // 标签58, cyan
      gmdesk::kAccountCashBox,      gmdesk::kCharacterIdBox,
  };
  ASSERT_FALSE(program.widget(gmdesk::kPlayerPanel).isEnabled());
  std::vector<QImage> while_disabled;
  for (frame::ControlId control : looked_at)
    while_disabled.push_back(program.widget(control).grab().toImage());
  QImage yellow_label = while_disabled[0];
  EXPECT_TRUE(yellow_label.pixelColor(yellow_label.width() - 2, 2) == QColor(Qt::black));
  bool shows_yellow = false;
  for (int x = 0; x < yellow_label.width(); ++x) {
    for (int y = 0; y < yellow_label.height(); ++y)
      shows_yellow = shows_yellow || yellow_label.pixelColor(x, y) == QColor(Qt::yellow);
  }
  EXPECT_TRUE(shows_yellow);

  frame::SetControlProperty(kMainWindowId, gmdesk::kPlayerPanel, Property::kDisabled, false);
  for (size_t i = 0; i < std::size(looked_at); ++i) {
    QWidget& widget = program.widget(looked_at[i]);
    EXPECT_TRUE(widget.isEnabled());
    EXPECT_EQ(widget.grab().toImage(), while_disabled[i]) << widget.objectName().toStdString();
  }

  // A control's own flag still greys its text, in a disabled panel or not:
  // the hint line is disabled for good, a submit button while it runs.
  const QPalette standard = QApplication::palette();
  auto& hint = program.widget<QLabel>(gmdesk::kNoticeHint);
  EXPECT_EQ(hint.palette().color(QPalette::Disabled, QPalette::WindowText),
            standard.color(QPalette::Disabled, QPalette::WindowText));
  QWidget& button = program.widget(gmdesk::kSubmitAllButton);
  frame::SetControlProperty(kMainWindowId, gmdesk::kSubmitAllButton, Property::kDisabled, true);
  EXPECT_EQ(button.palette().color(QPalette::Disabled, QPalette::ButtonText),
            standard.color(QPalette::Disabled, QPalette::ButtonText));
}

TEST(ToolWindowLayoutTest, LongLinesWrapSoThatTheirEndIsInView) {
  QtProgram program(gmdesk::kProgram);
  ASSERT_TRUE(program.Start());
  // 超级编辑框3's hint, on the page that adds an announcement.
  program.widget<frame::TabControl>(gmdesk::kNoticeTabs).Strip()->setCurrentIndex(2);
  auto& hint = program.widget<QPlainTextEdit>(gmdesk::kAddNoticeText);
  ASSERT_TRUE(program.WaitUntil([&] { return hint.isVisible(); }));
  program.ProcessEvents();
  EXPECT_GT(hint.document()->firstBlock().layout()->lineCount(), 1);
  EXPECT_EQ(hint.horizontalScrollBar()->maximum(), 0);
  QTextCursor end = hint.textCursor();
  end.movePosition(QTextCursor::End);
  EXPECT_TRUE(hint.viewport()->rect().contains(hint.cursorRect(end)));
}

TEST(ToolWindowLayoutTest, TheMessageAreaKeepsItsNewestLineInView) {
  QtProgram program(acctdesk::kProgram);
  ASSERT_TRUE(program.Start());
  auto& area = program.widget<QPlainTextEdit>(acctdesk::kMessageArea);
  auto last_line_shown = [&] {
    program.ProcessEvents();
    QTextCursor end = area.textCursor();
    end.movePosition(QTextCursor::End);
    return area.viewport()->rect().contains(area.cursorRect(end));
  };
  for (int i = 1; i <= 20; ++i) {
    std::string line = i % 2 ? "\r\n>帐号停封成功<" : "\r\n>O'Brien的龙币修改为-2147483648<";
    acctdesk::AppendMessageLine(frame::Gbk(line));
    EXPECT_TRUE(last_line_shown()) << "after result " << i;
  }
  EXPECT_GT(area.verticalScrollBar()->value(), 0);

  acctdesk::ClearMessages();
  program.ProcessEvents();
  EXPECT_EQ(area.verticalScrollBar()->value(), 0);
  EXPECT_EQ(area.toPlainText(), Q("--------单机霜月奇谭--------"));
}

}  // namespace
