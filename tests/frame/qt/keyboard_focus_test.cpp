// Where the keyboard focus goes when the control that has it is disabled or
// hidden, and which buttons Enter clicks: a stray Enter never writes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QMainWindow>
#include <QMessageBox>
#include <QTest>
#include <atomic>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "frame/db/component_factory.h"
#include "frame/db/db_services.h"
#include "frame/headless/scripted_database.h"
#include "frame/qt/tab_control.h"
#include "frame/services/control_services.h"
#include "frame/text/gbk.h"
#include "gmdesk/main_window.h"
#include "tests/frame/qt/qt_program.h"
#include "tests/frame/qt/sample_window_test.h"
#include "tests/support/test_window.h"

namespace {

using namespace test_window;
using frame::Gbk;
using frame::kMainWindowId;
using frame::Property;
using testing_support::QtProgram;
using testing_support::Set;

// A control that Enter or Space would act on.
bool IsActionControl(const QWidget* widget) {
  return qobject_cast<const QAbstractButton*>(widget) != nullptr ||
         qobject_cast<const QComboBox*>(widget) != nullptr;
}

std::string NameOf(const QWidget* widget) {
  return widget == nullptr ? "nothing" : widget->objectName().toStdString();
}

class FocusTest : public testing_support::SampleWindowTest {
 protected:
  QWidget* Focus() { return program_.window().focusWidget(); }
  long Clicks() {
    std::vector<std::string> log = Log();
    return std::count(log.begin(), log.end(), "button");
  }
  void PressEnter() { program_.PressKeyIn(program_.window(), Qt::Key_Return); }
};

// The keyboard's own way, Tab, is in the tool's window below: the sample
// window's buttons are no tab stops.
TEST_F(FocusTest, EnterClicksOnlyAButtonTheOperatorFocused) {
  struct Case {
    const char* how;
    std::function<void()> focus;
    long clicks;
  };
  QWidget& button = program_.widget(kButton);
  const Case cases[] = {
      {"a click", [&] { program_.Click(kButton); }, 1},
      {"a handler", [&] { frame::FocusControl(kMainWindowId, kButton); }, 0},
      {"the program", [&] { button.setFocus(); }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    program_.widget(kEdit).setFocus(Qt::MouseFocusReason);
    c.focus();
    ASSERT_EQ(Focus(), &button);
    Reset();
    PressEnter();
    EXPECT_EQ(Clicks(), c.clicks);

    // A box in between: the focus comes back to the button as it was.
    std::thread worker([] { frame::ShowMessageBox(Gbk("连接成功")); });
    QMessageBox* box = program_.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(program_.WaitUntil([&] { return QApplication::activeWindow() == box; }));
    program_.PressKeyIn(*box, Qt::Key_Return);
    worker.join();
    program_.window().activateWindow();
    ASSERT_TRUE(program_.WaitUntil([&] { return QApplication::focusWidget() == &button; }));
    Reset();
    PressEnter();
    EXPECT_EQ(Clicks(), c.clicks);
  }
}

// A control that loses the focus by being disabled or hidden hands it to the
// window, never to the next button.
TEST_F(FocusTest, AControlThatLosesTheFocusHandsItToTheWindow) {
  struct Case {
    const char* what;
    frame::ControlId focused;
    frame::ControlId changed;
    Property property;
  };
  const Case cases[] = {
      {"the button disabled", kButton, kButton, Property::kDisabled},
      {"the button hidden", kButton, kButton, Property::kVisible},
      {"its panel disabled", kInnerButton, kPanel, Property::kDisabled},
      {"its panel hidden", kInnerButton, kInnerPanel, Property::kVisible},
      {"a list disabled", kCombo, kCombo, Property::kDisabled},
  };
  auto& window = dynamic_cast<QMainWindow&>(program_.window());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    program_.Click(c.focused);
    ASSERT_EQ(Focus(), &program_.widget(c.focused));
    Set(c.changed, c.property, c.property == Property::kVisible ? false : true);
    program_.ProcessEvents();
    EXPECT_EQ(Focus(), window.centralWidget()) << NameOf(Focus());

    Reset();
    PressEnter();
    program_.PressKeyIn(program_.window(), Qt::Key_Space);
    EXPECT_EQ(Log(), std::vector<std::string>{});
    // The focus comes back to the window when it is active again.
    program_.window().activateWindow();
    program_.ProcessEvents();
    EXPECT_FALSE(IsActionControl(QApplication::focusWidget()))
        << NameOf(QApplication::focusWidget());
    Set(c.changed, c.property, c.property == Property::kVisible ? true : false);
  }
}

// gmdesk's four submits over the scripted database: after each submit and its
// result box, the operator's next Enter writes nothing.
class SubmitFocusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    database_->Script(frame::Contains("update "), {.changed_rows = 1});
    ASSERT_TRUE(program_.Start());
    ASSERT_TRUE(frame::ConnectSqlServer(gmdesk::kMainWindow, gmdesk::kMemberConnection,
                                        "127.0.0.1,1433", "KV7_Member", "sa", "pw"));
    ASSERT_TRUE(frame::ConnectSqlServer(gmdesk::kMainWindow, gmdesk::kGameConnection,
                                        "127.0.0.1,1433", "KV7_User", "sa", "pw"));
    Set(gmdesk::kPlayerPanel, Property::kDisabled, false);
    Set(gmdesk::kAccountKeyBox, Property::kText, "0F8FAD5B-D9CB-469F-A165-70867728950E");
    Set(gmdesk::kCharacterIdBox, Property::kText, "7C9E6679-7425-40DE-944B-E07FC1F90AE7");
  }

  std::vector<std::string> NewStatements() {
    std::vector<frame::Text> all = database_->statement_texts();
    std::vector<std::string> texts;
    for (size_t i = seen_; i < all.size(); ++i)
      texts.push_back(frame::Utf8(all[i]));
    seen_ = all.size();
    return texts;
  }

  // Answers the result box with the keyboard, as the operator does, and
  // lets the submit finish.
  void CloseResultBoxWithEnter() {
    QMessageBox* box = program_.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(program_.WaitUntil([&] { return QApplication::activeWindow() == box; }));
    program_.PressKeyIn(*box, Qt::Key_Return);
    ASSERT_TRUE(program_.Settle());
    ASSERT_TRUE(program_.OpenMessageBoxes().empty());
  }

  std::shared_ptr<frame::ScriptedDatabase> database_ = std::make_shared<frame::ScriptedDatabase>();
  QtProgram program_{gmdesk::kProgram, frame::DatabaseComponentFactory(database_)};
  size_t seen_ = 0;
};

TEST_F(SubmitFocusTest, AfterEachSubmitAndItsBoxEnterSendsNothing) {
  struct Case {
    frame::ControlId button;
    size_t statements;
  };
  const Case cases[] = {
      {gmdesk::kSubmitYellowButton, 1},
      {gmdesk::kSubmitPurpleButton, 1},
      {gmdesk::kSubmitCyanButton, 1},
      {gmdesk::kSubmitAllButton, 3},
  };
  QWidget& window = program_.window();
  for (bool by_keyboard : {false, true}) {
    for (const Case& c : cases) {
      QWidget& button = program_.widget(c.button);
      SCOPED_TRACE(NameOf(&button) + (by_keyboard ? " by Tab and Enter" : " by a click"));
      if (by_keyboard) {
        ASSERT_TRUE(program_.TabTo(c.button));
        program_.PressKeyIn(window, Qt::Key_Return);
      } else {
        program_.Click(c.button);
      }
      ASSERT_TRUE(program_.WaitUntil([&] { return !button.isEnabled(); }));
      CloseResultBoxWithEnter();
      EXPECT_EQ(NewStatements().size(), c.statements);
      EXPECT_TRUE(button.isEnabled());
      EXPECT_FALSE(IsActionControl(window.focusWidget())) << NameOf(window.focusWidget());

      // One more Enter, on the window as the box left it and once the
      // operator has come back to it.
      program_.PressKeyIn(window, Qt::Key_Return);
      window.activateWindow();
      ASSERT_TRUE(program_.WaitUntil([&] { return QApplication::activeWindow() == &window; }));
      program_.PressKeyIn(window, Qt::Key_Return);
      ASSERT_TRUE(program_.Settle());
      EXPECT_TRUE(program_.OpenMessageBoxes().empty());
      EXPECT_EQ(NewStatements(), std::vector<std::string>{});
    }
  }
}

// A tab page whose box is followed in the tab order by a button beside the
// tab control: leaving the page hides the box that has the focus, and Qt
// would hand the focus to that button.
namespace page_window {

std::atomic<int> clicks{0};
void OnWrite() {
  ++clicks;
}

constexpr frame::ControlId kTabs = frame::ControlNumber(0x0201);
constexpr frame::ControlId kPageBox = frame::ControlNumber(0x0202);
constexpr frame::ControlId kWriteButton = frame::ControlNumber(0x0203);
constexpr std::string_view kPages[] = {"一", "二"};
constexpr frame::ControlDefinition kControls[] = {
    {.id = kTabs,
     .kind = frame::ControlKind::kTab,
     .name = "选择夹1",
     .rect = {0, 0, 200, 100},
     .items = kPages},
    {.id = kPageBox,
     .kind = frame::ControlKind::kEditBox,
     .name = "编辑框1",
     .parent = frame::OnPage(kTabs, 0),
     .rect = {8, 24, 80, 20},
     .tab_stop = true},
    {.id = kWriteButton,
     .kind = frame::ControlKind::kButton,
     .name = "按钮1",
     .rect = {210, 0, 80, 24},
     .text = "提交",
     .tab_stop = true,
     .events = frame::BindEvent0<&OnWrite>},
};
constexpr frame::WindowDefinition kWindow{
    .title = "页", .rect = {50, 50, 320, 160}, .controls = kControls};
constexpr const frame::WindowDefinition* kWindows[] = {&kWindow};
constexpr frame::Program kProgram{.windows = kWindows};

}  // namespace page_window

TEST(PageFocusTest, LeavingATabPageLeavesNoButtonFocused) {
  QtProgram program(page_window::kProgram);
  ASSERT_TRUE(program.Start());
  program.Click(page_window::kPageBox);
  ASSERT_EQ(program.window().focusWidget(), &program.widget(page_window::kPageBox));
  program.SelectTabPage(page_window::kTabs, 1);
  EXPECT_FALSE(IsActionControl(program.window().focusWidget()))
      << NameOf(program.window().focusWidget());
  page_window::clicks = 0;
  program.PressKeyIn(program.window(), Qt::Key_Return);
  EXPECT_EQ(page_window::clicks, 0);
}

}  // namespace
