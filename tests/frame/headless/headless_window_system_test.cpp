// The operator's side of the headless window: what can be typed, clicked and
// picked, and which handler runs.
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
using frame::SetControlProperty;
using Log = std::vector<std::string>;

class HeadlessWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset();
    ASSERT_TRUE(program_.Start());
  }
  void TearDown() override { Reset(); }

  frame::HeadlessWindowSystem& window() { return program_.window(); }
  // The handler calls after start-up.
  Log Calls() {
    Log log = test_window::Log();
    log.erase(log.begin(), log.begin() + 2);  // "start", "created"
    return log;
  }
  void Disable(frame::ControlId id, bool disabled) {
    SetControlProperty(kMainWindowId, id, Property::kDisabled, disabled);
  }

  testing_support::HeadlessProgram program_{kProgram};
};

TEST_F(HeadlessWindow, TypingObeysTheInputMode) {
  struct Case {
    frame::ControlId box;
    const char* typed;
    bool accepted;
    const char* stored;
  };
  const Case cases[] = {
      {kEdit, "帐号 abc", true, "帐号 abc"},
      {kNumeric, "12a-3.4", true, "12-34"},
      {kNumeric, "1234567", true, "12345"},  // five characters at most
      {kNumeric, "一二", true, ""},          // not digits
      {kPassword, "口令pw", true, "口令pw"},
      {kReadOnly, "x", false, "只读"},
      {kHidden, "x", false, ""},
      {kEdit, "a\nb", true, "ab"},  // single line
      {kRich, "一\n二", true, "一\r\n二"},
      {kLabel, "x", false, "标签"},
      {kCombo, "x", false, ""},  // a list only picks
      {kEditableCombo, "35", true, "35"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(window().TypeText(c.box, c.typed), c.accepted) << c.typed;
    EXPECT_EQ(window().TextOf(c.box), c.stored) << c.typed;
  }
  EXPECT_EQ(window().ShownText(kPassword), "****");
  EXPECT_EQ(GetControlProperty(kMainWindowId, kPassword, Property::kText).AsText(),
            frame::Gbk("口令pw"));
  EXPECT_TRUE(Calls().empty()) << "typing raises nothing";
}

TEST(HeadlessWindowAlone, MaximumLengthCountsCharactersNotBytes) {
  static constexpr frame::ControlDefinition kControls[] = {
      {.id = frame::ControlNumber(1), .kind = frame::ControlKind::kEditBox, .max_length = 2},
  };
  frame::HeadlessWindowSystem headless;
  struct NoSink : frame::EventSink {
    void DispatchEvent(const frame::EventRecord&) override {}
    void WindowClosed() override {}
  } sink;
  const frame::WindowDefinition definition{.controls = kControls};
  ASSERT_TRUE(headless.BuildWindow(definition, sink));
  EXPECT_TRUE(headless.TypeText(frame::ControlNumber(1), "中文字"));
  EXPECT_EQ(headless.TextOf(frame::ControlNumber(1)), "中文");
  EXPECT_TRUE(headless.TypeAtEnd(frame::ControlNumber(1), "x"));
  EXPECT_EQ(headless.TextOf(frame::ControlNumber(1)), "中文");
  // Handlers are not limited.
  headless.SetProperty(frame::kMainWindowId, frame::ControlNumber(1), Property::kText,
                       frame::Gbk("一二三四"));
  EXPECT_EQ(headless.TextOf(frame::ControlNumber(1)), "一二三四");
}

TEST_F(HeadlessWindow, ClicksReachHandlersOnlyOnUsableButtons) {
  EXPECT_TRUE(window().Click(kButton));
  EXPECT_FALSE(window().Click(kDisabledButton));
  EXPECT_TRUE(window().Click(kLabel));  // a label takes the click but raises nothing
  EXPECT_TRUE(window().Click(kPanel));
  EXPECT_TRUE(window().Click(kInnerButton));
  EXPECT_TRUE(window().Click(kPageButton));
  EXPECT_EQ(Calls(), (Log{"button", "inner button", "page button"}));
}

TEST_F(HeadlessWindow, ADisabledBoxLocksEverythingInsideAtAnyDepth) {
  Disable(kInnerButton, true);  // the button's own flag
  Disable(kPanel, true);
  for (frame::ControlId id : {kInnerPanel, kInnerButton, kTabs, kPageButton}) {
    EXPECT_FALSE(window().IsUsable(id));
  }
  EXPECT_FALSE(window().Click(kPageButton));
  EXPECT_FALSE(window().SelectTabPage(kTabs, 1));

  Disable(kPanel, false);
  EXPECT_FALSE(window().IsUsable(kInnerButton)) << "its own flag stays";
  EXPECT_TRUE(window().IsDisabled(kInnerButton));
  EXPECT_FALSE(window().IsDisabled(kInnerPanel));
  EXPECT_TRUE(window().Click(kPageButton));
  Disable(kTabs, true);
  EXPECT_FALSE(window().Click(kPageButton));
  EXPECT_EQ(Calls(), (Log{"page button"}));
}

TEST_F(HeadlessWindow, ComboIndexWritesAreClampedAndRaiseNothing) {
  struct Case {
    frame::ControlId combo;
    int32_t written;
    int32_t selected;
    const char* text;
  };
  const Case cases[] = {
      {kCombo, 1, 1, "乙"},     {kCombo, 5, 2, "丙"},         {kCombo, -7, -1, ""},
      {kCombo, 0, 0, "甲"},     {kCombo, -1, -1, ""},         {kEmptyCombo, 0, -1, ""},
      {kEmptyCombo, 3, -1, ""}, {kEditableCombo, 1, 1, "20"}, {kEditableCombo, -1, -1, ""},
  };
  for (const Case& c : cases) {
    SetControlProperty(kMainWindowId, c.combo, Property::kSelectedIndex, c.written);
    EXPECT_EQ(GetControlProperty(kMainWindowId, c.combo, Property::kSelectedIndex).AsInt(),
              c.selected)
        << c.written;
    EXPECT_EQ(GetControlProperty(kMainWindowId, c.combo, Property::kContentText).AsText(),
              frame::Gbk(c.text))
        << c.written;
  }
  frame::AddComboItem(kMainWindowId, kEmptyCombo, frame::Gbk("新"));
  frame::ClearComboItems(kMainWindowId, kCombo);
  EXPECT_TRUE(Calls().empty());
}

TEST_F(HeadlessWindow, APickRaisesTheEventWithTheNewSelectionInPlace) {
  std::vector<std::pair<int32_t, frame::Text>> seen;
  hooks().combo = [&] {
    seen.emplace_back(GetControlProperty(kMainWindowId, kCombo, Property::kSelectedIndex).AsInt(),
                      GetControlProperty(kMainWindowId, kCombo, Property::kContentText).AsText());
  };
  EXPECT_TRUE(window().PickComboItem(kCombo, 2));
  EXPECT_FALSE(window().PickComboItem(kCombo, 3));
  EXPECT_FALSE(window().PickComboItem(kEmptyCombo, 0));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].first, 2);
  EXPECT_EQ(seen[0].second, frame::Gbk("丙"));

  // Typing into an editable combo raises nothing.
  EXPECT_TRUE(window().TypeText(kEditableCombo, "99"));
  EXPECT_EQ(GetControlProperty(kMainWindowId, kEditableCombo, Property::kContentText).AsText(),
            "99");
  EXPECT_EQ(Calls(), (Log{"combo"}));
}

TEST_F(HeadlessWindow, ListItemsKeepTheirOrderAndClearingUnselects) {
  EXPECT_EQ(frame::AddComboItem(kMainWindowId, kCombo, frame::Gbk("丁")), 3);
  EXPECT_EQ(frame::AddComboItem(kMainWindowId, kCombo, "A"), 4);
  EXPECT_EQ(window().ComboItems(kCombo), (std::vector<std::string>{"甲", "乙", "丙", "丁", "A"}));
  EXPECT_EQ(frame::AddComboItem(kMainWindowId, kButton, "x"), -1);
  window().PickComboItem(kCombo, 4);
  frame::ClearComboItems(kMainWindowId, kCombo);
  EXPECT_TRUE(window().ComboItems(kCombo).empty());
  EXPECT_EQ(window().SelectedIndex(kCombo), -1);
  EXPECT_EQ(window().TextOf(kCombo), "");
}

TEST_F(HeadlessWindow, RadioButtonsCheckOneAtATime) {
  window().Click(kRadioA);
  EXPECT_TRUE(window().IsChecked(kRadioA));
  window().Click(kRadioB);
  EXPECT_FALSE(window().IsChecked(kRadioA));
  EXPECT_TRUE(GetControlProperty(kMainWindowId, kRadioB, Property::kChecked).AsBool());
  SetControlProperty(kMainWindowId, kRadioB, Property::kChecked, false);
  EXPECT_FALSE(window().IsChecked(kRadioB));
}

TEST_F(HeadlessWindow, AnAddressBoxReadsAsFourNumbersOrNothing) {
  auto address = [&](frame::ControlId id) {
    return GetControlProperty(kMainWindowId, id, Property::kContentText).AsText();
  };
  EXPECT_EQ(address(kIp), "127.0.0.1");
  EXPECT_EQ(address(kBlankIp), "");
  struct Case {
    const char* typed;
    bool accepted;
    const char* read;
  };
  const Case cases[] = {
      {"10.0.0.255", true, "10.0.0.255"},
      {"300.1.2.3", true, "255.1.2.3"},
      {"1..3.4", true, "1.0.3.4"},
      {"", true, ""},
      {"1.2.3", false, ""},
      {"a.b.c.d", false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(window().EnterIpAddress(kBlankIp, c.typed), c.accepted) << c.typed;
    EXPECT_EQ(address(kBlankIp), c.read) << c.typed;
  }
}

TEST_F(HeadlessWindow, MenuItemsAreChosenOnlyWhenEnabled) {
  EXPECT_TRUE(window().ChooseMenuItem(kConnectItem));
  EXPECT_FALSE(window().ChooseMenuItem(kGreyItem));
  EXPECT_FALSE(window().ChooseMenuItem(kProgramMenu));
  SetControlProperty(kMainWindowId, kConnectItem, frame::kMenuItemDisabled, true);
  EXPECT_FALSE(window().ChooseMenuItem(kConnectItem));
  SetControlProperty(kMainWindowId, kConnectItem, frame::kMenuItemDisabled, false);
  SetControlProperty(kMainWindowId, kProgramMenu, frame::kMenuItemDisabled, true);
  EXPECT_FALSE(window().ChooseMenuItem(kConnectItem));
  EXPECT_EQ(Calls(), (Log{"menu"}));
}

TEST_F(HeadlessWindow, HandlerWritesShowAtOnce) {
  SetControlProperty(kMainWindowId, frame::kWindowUnit, frame::kTitle, "><");
  EXPECT_EQ(window().Title(), "><");
  SetControlProperty(kMainWindowId, kButton, Property::kCaption, frame::Gbk("增加"));
  EXPECT_EQ(window().TextOf(kButton), "增加");
  SetControlProperty(kMainWindowId, kReadOnly, Property::kText, frame::Gbk("日志"));
  EXPECT_EQ(window().TextOf(kReadOnly), "日志");
  SetControlProperty(kMainWindowId, kRich, Property::kContentText, "a\r\nb");
  EXPECT_EQ(GetControlProperty(kMainWindowId, kRich, Property::kContentText).AsText(), "a\r\nb");
  // Properties a kind does not have read as nothing and take no writes.
  SetControlProperty(kMainWindowId, kLabel, Property::kSelectedIndex, 3);
  EXPECT_TRUE(GetControlProperty(kMainWindowId, kLabel, Property::kSelectedIndex).IsEmpty());
  EXPECT_TRUE(
      GetControlProperty(kMainWindowId, frame::ControlNumber(0x7777), Property::kText).IsEmpty());
  EXPECT_TRUE(GetControlProperty(frame::WindowId{1}, kEdit, Property::kText).IsEmpty());
  EXPECT_EQ(GetControlProperty(kMainWindowId, kButton, Property::kWidth).AsInt(), 80);
}

TEST_F(HeadlessWindow, AppendingGoesToTheEndInOrder) {
  SetControlProperty(kMainWindowId, kMultiLine, Property::kText, "log");
  frame::AppendEditText(kMainWindowId, kMultiLine, "\r\n", frame::Gbk("一"), "");
  frame::AppendEditText(kMainWindowId, kMultiLine, "\r\n2");
  EXPECT_EQ(window().TextOf(kMultiLine), "log\r\n一\r\n2");
}

TEST_F(HeadlessWindow, FocusFollowsTheHandler) {
  frame::FocusControl(kMainWindowId, kNumeric);
  EXPECT_EQ(window().FocusedControl(), kNumeric);
}

}  // namespace
