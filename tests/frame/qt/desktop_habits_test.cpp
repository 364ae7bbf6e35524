// The desktop habits of the programs' home platform that operators rely on:
// Enter on a button, one tab stop per IP address box, lists that open below
// their box, grey read-only boxes.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "frame/qt/ip_address_edit.h"
#include "tests/frame/qt/qt_program.h"
#include "tests/frame/qt/sample_window_test.h"
#include "tests/support/test_window.h"

namespace {

using namespace test_window;
using frame::Gbk;
using frame::Property;
using testing_support::Q;
using testing_support::Set;

class DesktopHabitsTest : public testing_support::SampleWindowTest {
 protected:
  QWidget* Focus() { return program_.window().focusWidget(); }
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    ASSERT_NE(Focus(), nullptr);
    QTest::keyClick(Focus(), key, modifiers);
    program_.ProcessEvents();
  }
  long Clicks() {
    std::vector<std::string> log = Log();
    return std::count(log.begin(), log.end(), "button");
  }
};

TEST_F(DesktopHabitsTest, EnterOnAFocusedButtonClicksItOnce) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    bool auto_repeat;
    long clicks;
  };
  const Case cases[] = {
      {Qt::Key_Return, Qt::NoModifier, false, 1},
      {Qt::Key_Enter, Qt::KeypadModifier, false, 1},
      {Qt::Key_Return, Qt::NoModifier, true, 0},  // a held key sends one statement
      {Qt::Key_Return, Qt::ControlModifier, false, 0},
  };
  QWidget& button = program_.widget(kButton);
  program_.Click(kButton);
  for (const Case& c : cases) {
    Reset();
    QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers, QStringLiteral("\r"), c.auto_repeat);
    QCoreApplication::sendEvent(&button, &press);
    QKeyEvent release(QEvent::KeyRelease, c.key, c.modifiers, QStringLiteral("\r"), c.auto_repeat);
    QCoreApplication::sendEvent(&button, &release);
    program_.ProcessEvents();
    EXPECT_EQ(Clicks(), c.clicks) << c.key << " " << c.modifiers.toInt() << " " << c.auto_repeat;
  }
}

TEST_F(DesktopHabitsTest, AnIpAddressBoxIsOneTabStopWhoseFieldsTheKeysCross) {
  auto& ip = program_.widget<frame::IpAddressEdit>(kIp);  // 127.0.0.1
  auto& blank = program_.widget<frame::IpAddressEdit>(kBlankIp);
  program_.widget(kRich).setFocus();

  Press(Qt::Key_Tab);
  EXPECT_EQ(Focus(), ip.Field(0));
  Press(Qt::Key_Tab);
  EXPECT_EQ(Focus(), blank.Field(0)) << "Tab leaves the box as a whole";
  Press(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Focus(), ip.Field(0));

  Press(Qt::Key_End);
  Press(Qt::Key_Right);
  EXPECT_EQ(Focus(), ip.Field(1)) << "Right at the end of a field";
  EXPECT_EQ(ip.Field(1)->cursorPosition(), 0);
  Press(Qt::Key_Period);
  EXPECT_EQ(Focus(), ip.Field(2)) << "a dot after a value";
  Press(Qt::Key_Home);
  Press(Qt::Key_Left);
  EXPECT_EQ(Focus(), ip.Field(1)) << "Left at the start of a field";
  EXPECT_EQ(ip.Field(1)->cursorPosition(), 1);

  Press(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Focus(), &program_.widget(kRich)) << "Shift+Tab leaves from an inner field";
  EXPECT_EQ(frame::GetControlProperty(frame::kMainWindowId, kIp, Property::kContentText).AsText(),
            "127.0.0.1");

  // A full field moves on; Tab still leaves from the last field.
  ASSERT_TRUE(program_.TypeInto(*blank.Field(0), Q("192168")));
  EXPECT_EQ(Focus(), blank.Field(2));
  Press(Qt::Key_Tab);
  EXPECT_FALSE(blank.isAncestorOf(Focus()));
  EXPECT_EQ(
      frame::GetControlProperty(frame::kMainWindowId, kBlankIp, Property::kContentText).AsText(),
      "192.168.0.0");
}

TEST_F(DesktopHabitsTest, AListOpensBelowItsBoxAndEnterPicksOnlyAHighlightedItem) {
  for (frame::ControlId control : {kCombo, kEditableCombo}) {
    auto& combo = program_.widget<QComboBox>(control);
    combo.showPopup();
    QWidget* list = combo.view()->window();
    ASSERT_TRUE(program_.WaitUntil([&] { return list->isVisible(); }));
    EXPECT_GE(list->geometry().top(), combo.mapToGlobal(combo.rect().bottomLeft()).y())
        << combo.objectName().toStdString();
    combo.hidePopup();
  }

  // Nothing selected: nothing highlighted, and Enter picks nothing.
  auto& combo = program_.widget<QComboBox>(kCombo);
  ASSERT_EQ(combo.currentIndex(), -1);
  program_.Click(kCombo);
  QAbstractItemView* list = combo.view();
  ASSERT_TRUE(list->isVisible());
  EXPECT_FALSE(list->currentIndex().isValid());
  QTest::keyClick(list, Qt::Key_Return);
  program_.ProcessEvents();
  EXPECT_EQ(combo.currentIndex(), -1);
  EXPECT_EQ(Log(), (std::vector<std::string>{"start", "created"}));
  QTest::keyClick(list, Qt::Key_Escape);
  ASSERT_TRUE(program_.WaitUntil([&] { return !list->isVisible(); }));

  // The selected item is highlighted and Enter picks it.
  Set(kCombo, Property::kSelectedIndex, 1);
  program_.Click(kCombo);
  ASSERT_TRUE(list->isVisible());
  EXPECT_EQ(list->currentIndex().row(), 1);
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Return);
  ASSERT_TRUE(program_.WaitUntil([&] { return Log().size() == 3; }));
  EXPECT_EQ(combo.currentIndex(), 2);
  EXPECT_EQ(Log().back(), "combo");
}

TEST_F(DesktopHabitsTest, ReadOnlyBoxesAreGreyAndTheirTextCanStillBeCopied) {
  // Where no text is: at the right of a line, or of a scrolling box's viewport.
  auto interior = [](QWidget& box) {
    QWidget* area = box.childAt(box.rect().center());
    if (area == nullptr) area = &box;
    return area->grab().toImage().pixelColor(area->width() - 4, area->height() / 2);
  };
  QWidget& editable = program_.widget(kEdit);
  for (frame::ControlId control : {kReadOnly, kMultiLine}) {
    QWidget& read_only = program_.widget(control);
    SCOPED_TRACE(read_only.objectName().toStdString());
    EXPECT_EQ(interior(read_only), read_only.palette().color(QPalette::Window));
    EXPECT_NE(interior(read_only), interior(editable));
  }
  EXPECT_EQ(interior(editable), editable.palette().color(QPalette::Base));

  Set(kMultiLine, Property::kText, Gbk("第一行\r\n第二行"));
  struct Case {
    frame::ControlId box;
    QString copied;
  };
  // Selected with the keys, as the mouse can.
  for (const Case& c : {Case{kReadOnly, Q("只读")}, Case{kMultiLine, Q("第一行")}}) {
    QGuiApplication::clipboard()->clear();
    program_.widget(c.box).setFocus();
    Press(Qt::Key_Home);
    Press(Qt::Key_End, Qt::ShiftModifier);
    Press(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), c.copied);
  }
}

}  // namespace
