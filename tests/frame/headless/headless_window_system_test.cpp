// What the headless window does beyond the window contract (see
// tests/frame/window): the handler suites' shortcuts.
#include "frame/headless/headless_window_system.h"

#include <gtest/gtest.h>

#include "frame/services/control_services.h"
#include "tests/support/headless_program.h"
#include "tests/support/test_window.h"

namespace {

using namespace test_window;
using frame::GetControlProperty;
using frame::kMainWindowId;
using frame::Property;
using Log = std::vector<std::string>;

class HeadlessWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset();
    ASSERT_TRUE(program_.Start());
  }
  void TearDown() override { Reset(); }

  frame::HeadlessWindowSystem& window() { return program_.window(); }

  testing_support::HeadlessProgram program_{kProgram};
};

TEST_F(HeadlessWindow, TypeTextReplacesWhatTheBoxHeldUnderTheSameRules) {
  EXPECT_TRUE(window().TypeText(kEdit, "帐号 abc"));
  EXPECT_EQ(window().TextOf(kEdit), "帐号 abc");
  EXPECT_TRUE(window().TypeText(kNumeric, "12a-3.4"));
  EXPECT_EQ(window().TextOf(kNumeric), "12-34");
  EXPECT_FALSE(window().TypeText(kReadOnly, "x"));
  EXPECT_EQ(window().TextOf(kReadOnly), "只读");
  EXPECT_EQ(GetControlProperty(kMainWindowId, kEdit, Property::kText).AsText(),
            frame::Gbk("帐号 abc"));
}

// The pages of a tab are not hidden here, so that the handler suites reach
// every page's controls without turning to it.
TEST_F(HeadlessWindow, ControlsOnAPageTakeClicksWhicheverPageIsShown) {
  EXPECT_EQ(window().SelectedPage(kTabs), 0);
  EXPECT_TRUE(window().Click(kPageButton));
  EXPECT_TRUE(window().SelectTabPage(kTabs, 1));
  EXPECT_EQ(window().SelectedPage(kTabs), 1);
  EXPECT_FALSE(window().SelectTabPage(kTabs, 2));
  EXPECT_EQ(test_window::Log(), (Log{"start", "created", "page button"}));
}

}  // namespace
