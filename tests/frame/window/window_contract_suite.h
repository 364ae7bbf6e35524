// The window contract: what every window system does with the frame's
// controls, one test body for all of them. A window system joins with a
// driver (window_driver.h) and an executable that includes this once and
// instantiates the suites with it:
//
//   INSTANTIATE_TYPED_TEST_SUITE_P(Qt, WindowContract, QtWindowDriver);
//   INSTANTIATE_TYPED_TEST_SUITE_P(Qt, ShortBoxContract, QtWindowDriver);
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "frame/services/control_services.h"
#include "tests/frame/window/window_driver.h"
#include "tests/support/test_window.h"

namespace window_contract {

using namespace test_window;
using frame::Gbk;
using frame::kMainWindowId;
using frame::Property;
using Log = std::vector<std::string>;

inline frame::PropertyValue Get(ControlId control, Property property) {
  return frame::GetControlProperty(kMainWindowId, control, property);
}
inline frame::Text GetText(ControlId control, Property property) {
  return Get(control, property).AsText();
}
inline void Set(ControlId control, Property property, const frame::PropertyValue& value) {
  frame::SetControlProperty(kMainWindowId, control, property, value);
}
// The handler calls after start-up ("start", "created").
inline Log Calls() {
  Log log = test_window::Log();
  log.erase(log.begin(), log.begin() + std::min<ptrdiff_t>(2, std::ssize(log)));
  return log;
}

// The sample window (tests/support/test_window.h), started afresh for each test.
template <class Driver>
class WindowContract : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset();
    ASSERT_TRUE(driver_.Start(ProgramUnderTest()));
  }
  void TearDown() override { Reset(); }
  virtual const frame::Program& ProgramUnderTest() const { return kProgram; }

  WindowDriver& window() { return driver_; }

 private:
  Driver driver_;
};

// One box of two characters at most.
inline constexpr ControlId kShortBox = frame::ControlNumber(1);
inline constexpr frame::ControlDefinition kShortBoxControls[] = {
    {.id = kShortBox,
     .kind = frame::ControlKind::kEditBox,
     .rect = {8, 8, 120, 24},
     .tab_stop = true,
     .max_length = 2},
};
inline const frame::WindowDefinition kShortBoxWindow{.rect = {0, 0, 200, 100},
                                                     .controls = kShortBoxControls};
inline constexpr const frame::WindowDefinition* kShortBoxWindows[] = {&kShortBoxWindow};
inline const frame::Program kShortBoxProgram{.windows = kShortBoxWindows};

template <class Driver>
class ShortBoxContract : public WindowContract<Driver> {
 protected:
  const frame::Program& ProgramUnderTest() const override { return kShortBoxProgram; }
};

TYPED_TEST_SUITE_P(WindowContract);
TYPED_TEST_SUITE_P(ShortBoxContract);

TYPED_TEST_P(WindowContract, KeysKeepEachBoxsRules) {
  WindowDriver& window = this->window();
  struct Case {
    ControlId box;
    std::optional<Property> text;  // none: as the operator reads it
    const char* before;            // nullptr: as defined
    const char* typed;
    bool taken;
    const char* after;
  };
  const Case cases[] = {
      {kEdit, Property::kText, "", "帐号 abc", true, "帐号 abc"},
      {kEdit, Property::kText, "", "a\nb", true, "ab"},  // single line
      {kNumeric, Property::kText, "", "12a-3.4", true, "12-34"},
      {kNumeric, Property::kText, "", "1a2-b3中", true, "12-3"},
      {kNumeric, Property::kText, "12-3", "4567", true, "12-34"},  // five characters at most
      {kNumeric, Property::kText, "", "1234567", true, "12345"},
      {kNumeric, Property::kText, "", "7b8c9012", true, "78901"},  // one by one, unlike a paste
      {kNumeric, Property::kText, "", "一二", true, ""},
      // The limit holds the operator only: a handler's longer value stays whole.
      {kNumeric, Property::kText, "1234567", "8", true, "1234567"},
      {kPassword, Property::kText, "", "口令pw", true, "口令pw"},
      {kRich, Property::kContentText, "", "一\n二", true, "一\r\n二"},
      {kEditableCombo, Property::kContentText, nullptr, "35", true, "35"},
      {kReadOnly, Property::kText, nullptr, "改", false, "只读"},
      {kHidden, Property::kText, nullptr, "x", false, ""},
      {kLabel, std::nullopt, nullptr, "x", false, "标签"},
      {kCombo, std::nullopt, nullptr, "x", false, ""},  // a list only picks
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    if (c.before != nullptr) Set(c.box, *c.text, Gbk(c.before));
    EXPECT_EQ(window.Type(c.box, c.typed), c.taken);
    if (c.text) {
      EXPECT_EQ(GetText(c.box, *c.text), Gbk(c.after));
    } else {
      EXPECT_EQ(window.ShownText(c.box), c.after);
    }
  }
  EXPECT_EQ(window.ShownText(kPassword), "****");
  EXPECT_EQ(window.Refusals(), 0) << "keys a box does not take are dropped quietly";
  EXPECT_TRUE(Calls().empty()) << "typing raises nothing";
}

TYPED_TEST_P(WindowContract, BoxesThatCannotTakeInputKeepTheirText) {
  WindowDriver& window = this->window();
  Set(kReadOnly, Property::kText, Gbk("处理程序写的"));
  EXPECT_EQ(window.ShownText(kReadOnly), "处理程序写的");

  Set(kEdit, Property::kDisabled, true);
  EXPECT_FALSE(window.Type(kEdit, "x"));
  EXPECT_FALSE(window.Insert(kEdit, InsertPath::kKeyboardPaste, "x"));
  EXPECT_EQ(GetText(kEdit, Property::kText), Gbk("初始"));

  Set(kPassword, Property::kText, Gbk("密码"));
  EXPECT_EQ(window.ShownText(kPassword), "**");
  EXPECT_EQ(GetText(kPassword, Property::kText), Gbk("密码"));
}

TYPED_TEST_P(WindowContract, EveryWayATextArrivesWholeKeepsTheBoxRules) {
  WindowDriver& window = this->window();
  struct Case {
    ControlId box;
    Property text;
    const char* before;
    const char* arriving;
    const char* after;
    bool refused = false;
  };
  const Case cases[] = {
      // A single-line box takes the text up to its first line break.
      {kEdit, Property::kText, "初始", "newpw\r\n[Evil]\r\nIP=evil", "初始newpw"},
      {kEdit, Property::kText, "O'", "Brien的\"号\"\n第二行", "O'Brien的\"号\""},
      {kEdit, Property::kText, "留着", "\r\n[Evil]", "留着"},
      {kPassword, Property::kText, "", "newpw\r\n[Evil]\r\nIP=evil", "newpw"},
      {kEditableCombo, Property::kContentText, "", "100\r200", "100"},
      // Numeric: whole or not at all, so that no digits are joined into
      // another number; five characters at most, counting what is there.
      {kNumeric, Property::kText, "", "-50", "-50"},
      {kNumeric, Property::kText, "", "12.5", "", true},
      {kNumeric, Property::kText, "", "1e3", "", true},
      {kNumeric, Property::kText, "", "7b8c9012", "", true},
      {kNumeric, Property::kText, "-12", "3a4中5-6", "-12", true},
      {kNumeric, Property::kText, "7", " 8", "7", true},
      {kNumeric, Property::kText, "", "12\nabcdefgh", "12"},
      {kNumeric, Property::kText, "", "1234567", "12345"},
      {kNumeric, Property::kText, "99999", "1", "99999"},
      // A multi-line box keeps the line breaks.
      {kRich, Property::kContentText, "富文本", "甲\r\n乙\r\n", "富文本甲\r\n乙\r\n"},
  };
  const std::pair<InsertPath, const char*> paths[] = {
      {InsertPath::kKeyboardPaste, "Ctrl+V"},
      {InsertPath::kMenuPaste, "context-menu paste"},
      {InsertPath::kDrop, "drop"},
      {InsertPath::kInputMethod, "input method"},
  };
  for (auto [path, name] : paths) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(name) + " of " + ::testing::PrintToString(c.arriving));
      Set(c.box, c.text, Gbk(c.before));
      int refusals = window.Refusals();
      ASSERT_TRUE(window.Insert(c.box, path, c.arriving));
      EXPECT_EQ(GetText(c.box, c.text), Gbk(c.after));
      EXPECT_EQ(window.Refusals() - refusals, c.refused ? 1 : 0);
    }
  }
}

TYPED_TEST_P(ShortBoxContract, MaximumLengthCountsCharactersNotBytes) {
  WindowDriver& window = this->window();
  auto text = [] {
    return frame::Utf8(
        frame::GetControlProperty(kMainWindowId, kShortBox, Property::kText).AsText());
  };
  EXPECT_TRUE(window.Type(kShortBox, "中文字"));
  EXPECT_EQ(text(), "中文");
  EXPECT_TRUE(window.Type(kShortBox, "x"));
  EXPECT_EQ(text(), "中文");
  EXPECT_TRUE(window.Insert(kShortBox, InsertPath::kKeyboardPaste, "y"));
  EXPECT_EQ(text(), "中文");
  EXPECT_EQ(window.Refusals(), 0) << "a full box takes nothing, refusing nothing";
  // Handlers are not limited.
  frame::SetControlProperty(kMainWindowId, kShortBox, Property::kText, Gbk("一二三四"));
  EXPECT_EQ(text(), "一二三四");
}

TYPED_TEST_P(WindowContract, ClicksReachHandlersOnlyOnUsableControls) {
  WindowDriver& window = this->window();
  EXPECT_TRUE(window.Click(kButton));
  EXPECT_FALSE(window.Click(kDisabledButton));
  EXPECT_TRUE(window.Click(kLabel));  // a label takes the click but raises nothing
  EXPECT_TRUE(window.Click(kPanel));
  EXPECT_TRUE(window.Click(kInnerButton));
  ASSERT_TRUE(window.SelectTabPage(kTabs, 1));
  EXPECT_TRUE(window.Click(kPageButton));
  EXPECT_EQ(Calls(), (Log{"button", "inner button", "page button"}));

  Set(kDisabledButton, Property::kDisabled, false);
  Set(kButton, Property::kDisabled, true);
  EXPECT_TRUE(window.IsUsable(kDisabledButton));
  EXPECT_FALSE(window.IsUsable(kButton));
  EXPECT_FALSE(window.Click(kButton));
  EXPECT_TRUE(window.Click(kDisabledButton));
  EXPECT_EQ(Calls(), (Log{"button", "inner button", "page button", "button"}));
}

TYPED_TEST_P(WindowContract, ADisabledBoxLocksEverythingInsideAtAnyDepthAndKeepsTheirOwnFlags) {
  WindowDriver& window = this->window();
  ASSERT_TRUE(window.SelectTabPage(kTabs, 1));
  Set(kPanel, Property::kDisabled, true);
  for (ControlId id : {kInnerPanel, kInnerButton, kTabs, kPageButton}) {
    EXPECT_FALSE(window.IsUsable(id));
  }
  EXPECT_FALSE(window.Click(kInnerButton));  // in a box inside the panel
  EXPECT_FALSE(window.Click(kPageButton));   // on a page of a tab inside the panel
  EXPECT_FALSE(window.SelectTabPage(kTabs, 0));
  EXPECT_TRUE(Calls().empty());
  EXPECT_FALSE(Get(kInnerButton, Property::kDisabled).AsBool()) << "its own flag is unchanged";

  // A child disabled on its own while the panel is off stays so when it comes back.
  Set(kInnerButton, Property::kDisabled, true);
  Set(kPanel, Property::kDisabled, false);
  EXPECT_FALSE(window.IsUsable(kInnerButton)) << "its own flag stays";
  EXPECT_TRUE(Get(kInnerButton, Property::kDisabled).AsBool());
  EXPECT_FALSE(Get(kInnerPanel, Property::kDisabled).AsBool());
  EXPECT_TRUE(window.IsUsable(kPageButton));
  EXPECT_FALSE(window.Click(kInnerButton));
  EXPECT_TRUE(window.Click(kPageButton));
  Set(kTabs, Property::kDisabled, true);
  EXPECT_FALSE(window.Click(kPageButton));
  EXPECT_EQ(Calls(), (Log{"page button"}));
}

TYPED_TEST_P(WindowContract, MenuItemsAreChosenOnlyWhenTheyAndTheirMenuAreEnabled) {
  WindowDriver& window = this->window();
  EXPECT_TRUE(window.ChooseMenuItem(kConnectItem));
  EXPECT_FALSE(window.ChooseMenuItem(kGreyItem));
  EXPECT_FALSE(window.ChooseMenuItem(kProgramMenu));  // a menu, not an item
  EXPECT_FALSE(window.IsUsable(kGreyItem));
  EXPECT_EQ(Calls(), (Log{"menu"}));

  Set(kGreyItem, frame::kMenuItemDisabled, false);
  Set(kConnectItem, frame::kMenuItemDisabled, true);
  EXPECT_TRUE(Get(kConnectItem, frame::kMenuItemDisabled).AsBool());
  EXPECT_FALSE(window.ChooseMenuItem(kConnectItem));
  EXPECT_TRUE(window.ChooseMenuItem(kGreyItem));
  EXPECT_EQ(Calls(), (Log{"menu", "menu"}));

  Set(kConnectItem, frame::kMenuItemDisabled, false);
  Set(kProgramMenu, frame::kMenuItemDisabled, true);
  EXPECT_FALSE(window.ChooseMenuItem(kConnectItem));
  EXPECT_EQ(Calls(), (Log{"menu", "menu"}));
}

TYPED_TEST_P(WindowContract, APickRaisesTheEventWithTheNewSelectionInPlace) {
  WindowDriver& window = this->window();
  std::vector<std::pair<int32_t, frame::Text>> seen;
  hooks().combo = [&] {
    seen.emplace_back(Get(kCombo, Property::kSelectedIndex).AsInt(),
                      GetText(kCombo, Property::kContentText));
  };
  EXPECT_TRUE(window.PickComboItem(kCombo, 2));
  EXPECT_FALSE(window.PickComboItem(kCombo, 3));
  EXPECT_FALSE(window.PickComboItem(kEmptyCombo, 0));
  window.ProcessEvents();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].first, 2);
  EXPECT_EQ(seen[0].second, Gbk("丙"));
  EXPECT_EQ(Calls(), (Log{"combo"}));
}

TYPED_TEST_P(WindowContract, HandlersWritesToCombosRaiseNothingAndKeepTheListsRules) {
  WindowDriver& window = this->window();
  struct Case {
    ControlId combo;
    int32_t written;
    int32_t selected;
    const char* shown;
  };
  const Case cases[] = {
      {kCombo, 1, 1, "乙"},         {kCombo, 5, 2, "丙"},         {kCombo, -7, -1, ""},
      {kCombo, 0, 0, "甲"},         {kCombo, -1, -1, ""},         {kEmptyCombo, 0, -1, ""},
      {kEmptyCombo, 3, -1, ""},     {kEditableCombo, 1, 1, "20"}, {kEditableCombo, -1, -1, ""},
      {kEditableCombo, 9, 1, "20"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.written);
    Set(c.combo, Property::kSelectedIndex, c.written);
    EXPECT_EQ(Get(c.combo, Property::kSelectedIndex).AsInt(), c.selected);
    EXPECT_EQ(GetText(c.combo, Property::kContentText), Gbk(c.shown));
    EXPECT_EQ(window.ShownText(c.combo), c.shown);
  }

  // Adding leaves the selection as it was, even in an empty list.
  EXPECT_EQ(frame::AddComboItem(kMainWindowId, kEmptyCombo, Gbk("新")), 0);
  EXPECT_EQ(frame::AddComboItem(kMainWindowId, kEmptyCombo, Gbk("又")), 1);
  EXPECT_EQ(Get(kEmptyCombo, Property::kSelectedIndex).AsInt(), -1);
  EXPECT_EQ(GetText(kEmptyCombo, Property::kContentText), "");
  EXPECT_EQ(frame::AddComboItem(kMainWindowId, kButton, "x"), -1);

  Set(kCombo, Property::kSelectedIndex, 0);
  frame::ClearComboItems(kMainWindowId, kCombo);
  EXPECT_EQ(Get(kCombo, Property::kSelectedIndex).AsInt(), -1);
  EXPECT_TRUE(window.ComboItems(kCombo).empty());

  window.ProcessEvents();
  EXPECT_TRUE(Calls().empty());
}

TYPED_TEST_P(WindowContract, ListItemsKeepTheirOrderAndClearingUnselects) {
  WindowDriver& window = this->window();
  EXPECT_EQ(frame::AddComboItem(kMainWindowId, kCombo, Gbk("丁")), 3);
  EXPECT_EQ(frame::AddComboItem(kMainWindowId, kCombo, "A"), 4);
  EXPECT_EQ(window.ComboItems(kCombo), (std::vector<std::string>{"甲", "乙", "丙", "丁", "A"}));
  ASSERT_TRUE(window.PickComboItem(kCombo, 4));
  window.ProcessEvents();
  EXPECT_EQ(window.ShownText(kCombo), "A");
  frame::ClearComboItems(kMainWindowId, kCombo);
  EXPECT_TRUE(window.ComboItems(kCombo).empty());
  EXPECT_EQ(Get(kCombo, Property::kSelectedIndex).AsInt(), -1);
  EXPECT_EQ(window.ShownText(kCombo), "");
}

TYPED_TEST_P(WindowContract, TypingIntoAnEditableComboRaisesNothingAndReadsAsTyped) {
  WindowDriver& window = this->window();
  ASSERT_TRUE(window.Type(kEditableCombo, "35元\n"));
  window.ProcessEvents();
  EXPECT_EQ(GetText(kEditableCombo, Property::kContentText), Gbk("35元"));
  EXPECT_EQ(Get(kEditableCombo, Property::kSelectedIndex).AsInt(), -1);
  // Not even an item's text picks the item, with Enter or when the focus leaves.
  Set(kEditableCombo, Property::kContentText, "");
  ASSERT_TRUE(window.Type(kEditableCombo, "20\n"));
  window.Click(kEdit);
  window.ProcessEvents();
  EXPECT_EQ(Get(kEditableCombo, Property::kSelectedIndex).AsInt(), -1);
  EXPECT_EQ(GetText(kEditableCombo, Property::kContentText), "20");
  EXPECT_TRUE(Calls().empty());

  ASSERT_TRUE(window.PickComboItem(kEditableCombo, 0));
  window.ProcessEvents();
  EXPECT_EQ(Calls(), (Log{"combo"}));
  EXPECT_EQ(GetText(kEditableCombo, Property::kContentText), "10");
}

TYPED_TEST_P(WindowContract, RadioButtonsCheckOneAtATimeWhileHandlersSetEachFlagAlone) {
  WindowDriver& window = this->window();
  auto checked = [&] {
    return std::pair(Get(kRadioA, Property::kChecked).AsBool(),
                     Get(kRadioB, Property::kChecked).AsBool());
  };
  window.Click(kRadioA);
  EXPECT_EQ(checked(), std::pair(true, false));
  window.Click(kRadioB);
  EXPECT_EQ(checked(), std::pair(false, true));

  // A handler can uncheck the checked button of a group, and check both.
  Set(kRadioB, Property::kChecked, false);
  EXPECT_EQ(checked(), std::pair(false, false));
  Set(kRadioA, Property::kChecked, true);
  Set(kRadioB, Property::kChecked, true);
  EXPECT_EQ(checked(), std::pair(true, true));
}

TYPED_TEST_P(WindowContract, AnAddressBoxReadsAsFourNumbersOrNothing) {
  WindowDriver& window = this->window();
  auto address = [](ControlId id) { return GetText(id, Property::kContentText); };
  EXPECT_EQ(address(kIp), "127.0.0.1");
  EXPECT_EQ(address(kBlankIp), "");

  // Keys: above 255 is 255; a full field or a dot moves on.
  ASSERT_TRUE(window.TypeIntoAddressField(kBlankIp, 0, "10"));
  EXPECT_EQ(address(kBlankIp), "10.0.0.0");
  ASSERT_TRUE(window.TypeIntoAddressField(kBlankIp, 1, "300"));
  EXPECT_EQ(address(kBlankIp), "10.255.0.0");
  ASSERT_TRUE(window.TypeIntoAddressField(kBlankIp, 2, "1.2x"));
  EXPECT_EQ(address(kBlankIp), "10.255.1.2");

  struct Case {
    const char* entered;
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
    SCOPED_TRACE(c.entered);
    EXPECT_EQ(window.EnterIpAddress(kBlankIp, c.entered), c.accepted);
    EXPECT_EQ(address(kBlankIp), c.read);
  }
}

TYPED_TEST_P(WindowContract, HandlerWritesShowAtOnce) {
  WindowDriver& window = this->window();
  Set(frame::kWindowUnit, frame::kTitle, "><");
  EXPECT_EQ(window.Title(), "><");
  Set(kButton, Property::kCaption, Gbk("增加"));
  EXPECT_EQ(window.ShownText(kButton), "增加");
  Set(kReadOnly, Property::kText, Gbk("日志"));
  EXPECT_EQ(window.ShownText(kReadOnly), "日志");
  Set(kRich, Property::kContentText, "a\r\nb");
  EXPECT_EQ(GetText(kRich, Property::kContentText), "a\r\nb");
  // Properties a kind does not have read as nothing and take no writes.
  Set(kLabel, Property::kSelectedIndex, 3);
  EXPECT_TRUE(Get(kLabel, Property::kSelectedIndex).IsEmpty());
  Set(kIp, Property::kContentText, "1.2.3.4");
  EXPECT_EQ(GetText(kIp, Property::kContentText), "127.0.0.1");
  EXPECT_TRUE(Get(kConnection, Property::kVisible).IsEmpty());
  EXPECT_TRUE(Get(frame::ControlNumber(0x7777), Property::kText).IsEmpty());
  EXPECT_TRUE(frame::GetControlProperty(frame::WindowId{1}, kEdit, Property::kText).IsEmpty());
  EXPECT_EQ(Get(kButton, Property::kWidth).AsInt(), 80);
  Set(kButton, Property::kTag, 7);
  EXPECT_EQ(Get(kButton, Property::kTag).AsInt(), 7);
}

TYPED_TEST_P(WindowContract, MultiLineTextsKeepTheirLineBreaksAndAppendAtTheEnd) {
  struct Case {
    ControlId box;
    Property text;
  };
  for (Case c : {Case{kMultiLine, Property::kText}, Case{kRich, Property::kContentText}}) {
    Set(c.box, c.text, Gbk("甲\r\n乙"));
    EXPECT_EQ(GetText(c.box, c.text), Gbk("甲\r\n乙"));
    frame::AppendEditText(kMainWindowId, c.box, Gbk("丙\r\n"), Gbk("丁"));
    EXPECT_EQ(GetText(c.box, c.text), Gbk("甲\r\n乙丙\r\n丁"));
  }
  Set(kMultiLine, Property::kText, "log");
  frame::AppendEditText(kMainWindowId, kMultiLine, "\r\n", Gbk("一"), "");
  frame::AppendEditText(kMainWindowId, kMultiLine, "\r\n2");
  EXPECT_EQ(GetText(kMultiLine, Property::kText), Gbk("log\r\n一\r\n2"));

  frame::AppendEditText(kMainWindowId, kEdit, Gbk("尾"));
  EXPECT_EQ(GetText(kEdit, Property::kText), Gbk("初始尾"));
}

TYPED_TEST_P(WindowContract, FocusFollowsTheHandler) {
  WindowDriver& window = this->window();
  frame::FocusControl(kMainWindowId, kNumeric);
  EXPECT_TRUE(window.HasFocus(kNumeric));
  frame::FocusControl(kMainWindowId, kEdit);
  EXPECT_TRUE(window.HasFocus(kEdit));
  EXPECT_FALSE(window.HasFocus(kNumeric));
}

TYPED_TEST_P(WindowContract, AHandlersBoxAnswersWithTheButtonChosen) {
  WindowDriver& window = this->window();
  struct Case {
    int32_t flags;
    frame::MessageBoxButton answer;
    int32_t result;  // the button less one
  };
  for (Case c : {Case{frame::kMessageBoxYesNo, frame::MessageBoxButton::kYes, 5},
                 Case{frame::kMessageBoxYesNo, frame::MessageBoxButton::kNo, 6},
                 Case{frame::kMessageBoxOk, frame::MessageBoxButton::kOk, 0}}) {
    window.AnswerNextMessageBox(c.answer);
    EXPECT_EQ(frame::ShowMessageBox(Gbk("确定吗？"), c.flags), c.result);
    window.ProcessEvents();
    EXPECT_EQ(window.OpenMessageBoxCount(), 0u);
  }
}

TYPED_TEST_P(WindowContract, TheCloseBoxEndsTheLoopWithZeroWithoutAQuestion) {
  WindowDriver& window = this->window();
  EXPECT_EQ(window.CloseWindowInLoop(), 0);
  EXPECT_FALSE(window.IsWindowOpen());
  EXPECT_EQ(window.OpenMessageBoxCount(), 0u);
  EXPECT_FALSE(Get(frame::kWindowUnit, Property::kVisible).AsBool());
  EXPECT_FALSE(window.Click(kButton));
  EXPECT_TRUE(Calls().empty());
}

REGISTER_TYPED_TEST_SUITE_P(WindowContract, KeysKeepEachBoxsRules,
                            BoxesThatCannotTakeInputKeepTheirText,
                            EveryWayATextArrivesWholeKeepsTheBoxRules,
                            ClicksReachHandlersOnlyOnUsableControls,
                            ADisabledBoxLocksEverythingInsideAtAnyDepthAndKeepsTheirOwnFlags,
                            MenuItemsAreChosenOnlyWhenTheyAndTheirMenuAreEnabled,
                            APickRaisesTheEventWithTheNewSelectionInPlace,
                            HandlersWritesToCombosRaiseNothingAndKeepTheListsRules,
                            ListItemsKeepTheirOrderAndClearingUnselects,
                            TypingIntoAnEditableComboRaisesNothingAndReadsAsTyped,
                            RadioButtonsCheckOneAtATimeWhileHandlersSetEachFlagAlone,
                            AnAddressBoxReadsAsFourNumbersOrNothing, HandlerWritesShowAtOnce,
                            MultiLineTextsKeepTheirLineBreaksAndAppendAtTheEnd,
                            FocusFollowsTheHandler, AHandlersBoxAnswersWithTheButtonChosen,
                            TheCloseBoxEndsTheLoopWithZeroWithoutAQuestion);
REGISTER_TYPED_TEST_SUITE_P(ShortBoxContract, MaximumLengthCountsCharactersNotBytes);

}  // namespace window_contract
