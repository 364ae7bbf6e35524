// What reaches the handlers from the operator's clicks and picks where Qt
// shows it its own way; the rules every window system keeps are in the
// window contract's suite (tests/frame/window).
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <algorithm>

#include "frame/qt/tab_control.h"
#include "tests/frame/qt/qt_program.h"
#include "tests/frame/qt/sample_window_test.h"
#include "tests/support/test_window.h"

namespace {

using namespace test_window;
using Entries = std::vector<std::string>;

long Count(const std::string& entry) {
  Entries log = Log();
  return std::count(log.begin(), log.end(), entry);
}

// A button listed before the group box that lies over it.
void OnCoveredButton() {
  Note("covered button");
}
constexpr frame::ControlDefinition kCoveredControls[] = {
    {.id = frame::ControlNumber(1),
     .kind = frame::ControlKind::kButton,
     .rect = {16, 24, 80, 24},
     .text = "下面",
     .events = frame::BindEvent0<&OnCoveredButton>},
    {.id = frame::ControlNumber(2),
     .kind = frame::ControlKind::kGroupBox,
     .rect = {0, 0, 200, 100},
     .text = "后来的面板"},
};
const frame::WindowDefinition kCoveredWindow{.rect = {0, 0, 220, 140},
                                             .controls = kCoveredControls};
constexpr const frame::WindowDefinition* kCoveredWindows[] = {&kCoveredWindow};

using ControlEventsTest = testing_support::SampleWindowTest;

TEST(GroupBoxTest, ClicksPassThroughAGroupBoxToTheControlsItLiesOver) {
  Reset();
  testing_support::QtProgram program(frame::Program{.windows = kCoveredWindows});
  ASSERT_TRUE(program.Start());
  program.Click(frame::ControlNumber(1));
  EXPECT_EQ(Log(), (Entries{"covered button"}));
  Reset();
}

// The headless window leaves every page's controls within reach.
TEST_F(ControlEventsTest, TabPagesShowTheirControlsOnlyWhileSelected) {
  auto& tabs = program_.widget<frame::TabControl>(kTabs);
  EXPECT_EQ(tabs.CurrentPage(), 0);
  EXPECT_EQ(tabs.Strip()->tabText(1), QString::fromUtf8("二"));
  EXPECT_FALSE(program_.widget(kPageButton).isVisible());
  program_.Click(kPageButton);
  EXPECT_EQ(Count("page button"), 0);

  program_.SelectTabPage(kTabs, 1);
  EXPECT_TRUE(program_.widget(kPageButton).isVisible());
  program_.Click(kPageButton);
  EXPECT_EQ(Count("page button"), 1);
}

TEST_F(ControlEventsTest, APickRaisesTheComboEventOnlyOnceThePickIsOver) {
  ASSERT_TRUE(program_.PickComboItem(kCombo, 2));
  EXPECT_EQ(Count("combo"), 0) << "queued behind the pick";
  program_.ProcessEvents();
  EXPECT_EQ(Count("combo"), 1);
}

TEST_F(ControlEventsTest, AfterTheCloseBoxWhatTheWindowStillEmitsReachesNoHandler) {
  QTimer::singleShot(0, [&] { program_.CloseWindow(); });
  EXPECT_EQ(program_.window_system().RunMessageLoop(), 0);
  EXPECT_FALSE(program_.window().isVisible());
  program_.widget<QPushButton>(kButton).click();
  EXPECT_EQ(Log(), (Entries{"start", "created"}));
}

}  // namespace
