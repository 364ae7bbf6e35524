// What reaches the handlers from the operator's clicks, picks and menu
// choices, and what handlers' own writes raise (nothing).
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>

#include "frame/qt/tab_control.h"
#include "frame/services/control_services.h"
#include "tests/frame/qt/qt_program.h"
#include "tests/frame/qt/sample_window_test.h"
#include "tests/support/test_window.h"

namespace {

using namespace test_window;
using frame::Gbk;
using frame::kMainWindowId;
using frame::Property;
using testing_support::Set;
using Entries = std::vector<std::string>;

frame::PropertyValue Get(frame::ControlId control, Property property) {
  return frame::GetControlProperty(kMainWindowId, control, property);
}
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

TEST_F(ControlEventsTest, ClicksReachHandlersOnlyOnEnabledControls) {
  program_.Click(kButton);
  program_.Click(kDisabledButton);
  program_.Click(kLabel);  // a label raises nothing, though a handler is bound
  EXPECT_EQ(Log(), (Entries{"start", "created", "button"}));

  Set(kDisabledButton, Property::kDisabled, false);
  Set(kButton, Property::kDisabled, true);
  EXPECT_TRUE(program_.widget(kDisabledButton).isEnabled());
  EXPECT_FALSE(program_.widget(kButton).isEnabled());
  program_.Click(kButton);
  program_.Click(kDisabledButton);
  EXPECT_EQ(Log(), (Entries{"start", "created", "button", "button"}));
}

TEST(GroupBoxTest, ClicksPassThroughAGroupBoxToTheControlsItLiesOver) {
  Reset();
  testing_support::QtProgram program(frame::Program{.windows = kCoveredWindows});
  ASSERT_TRUE(program.Start());
  program.Click(frame::ControlNumber(1));
  EXPECT_EQ(Log(), (Entries{"covered button"}));
  Reset();
}

TEST_F(ControlEventsTest, MenuItemsRaiseTheirEventUnlessGreyed) {
  ASSERT_TRUE(program_.ChooseMenuItem(kConnectItem));
  ASSERT_TRUE(program_.ChooseMenuItem(kGreyItem));
  EXPECT_EQ(Count("menu"), 1);
  EXPECT_FALSE(program_.window_system().MenuAction(kGreyItem)->isEnabled());

  Set(kGreyItem, frame::kMenuItemDisabled, false);
  Set(kConnectItem, frame::kMenuItemDisabled, true);
  EXPECT_TRUE(Get(kConnectItem, frame::kMenuItemDisabled).AsBool());
  ASSERT_TRUE(program_.ChooseMenuItem(kConnectItem));
  ASSERT_TRUE(program_.ChooseMenuItem(kGreyItem));
  EXPECT_EQ(Count("menu"), 2);
}

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

TEST_F(ControlEventsTest, ADisabledPanelBlocksEverythingInsideAndKeepsTheirOwnFlags) {
  program_.SelectTabPage(kTabs, 1);
  Set(kPanel, Property::kDisabled, true);
  program_.Click(kInnerButton);  // in a box inside the panel
  program_.Click(kPageButton);   // on a page of a tab inside the panel
  EXPECT_EQ(Log(), (Entries{"start", "created"}));
  EXPECT_FALSE(program_.widget(kInnerButton).isEnabled()) << "greyed";
  EXPECT_FALSE(Get(kInnerButton, Property::kDisabled).AsBool()) << "its own flag is unchanged";

  // A child disabled on its own while the panel is off stays so when it comes back.
  Set(kInnerButton, Property::kDisabled, true);
  Set(kPanel, Property::kDisabled, false);
  EXPECT_FALSE(program_.widget(kInnerButton).isEnabled());
  EXPECT_TRUE(program_.widget(kPageButton).isEnabled());
  program_.Click(kInnerButton);
  program_.Click(kPageButton);
  EXPECT_EQ(Log(), (Entries{"start", "created", "page button"}));
}

TEST_F(ControlEventsTest, APickRaisesTheComboEventOnceTheNewSelectionIsInPlace) {
  int32_t index_seen = -2;
  std::string text_seen;
  hooks().combo = [&] {
    index_seen = Get(kCombo, Property::kSelectedIndex).AsInt();
    text_seen = frame::Utf8(Get(kCombo, Property::kContentText).AsText());
  };
  ASSERT_TRUE(program_.PickComboItem(kCombo, 2));
  EXPECT_EQ(Count("combo"), 0) << "queued behind the pick";
  program_.ProcessEvents();
  EXPECT_EQ(Count("combo"), 1);
  EXPECT_EQ(index_seen, 2);
  EXPECT_EQ(text_seen, "丙");
}

TEST_F(ControlEventsTest, HandlersWritesToCombosRaiseNothingAndKeepTheListsRules) {
  struct Case {
    frame::ControlId combo;
    int32_t written;
    int32_t selected;
    const char* shown;
  };
  const Case cases[] = {
      {kCombo, 1, 1, "乙"},         {kCombo, 5, 2, "丙"},         {kCombo, -7, -1, ""},
      {kEmptyCombo, 0, -1, ""},     {kEditableCombo, 1, 1, "20"}, {kEditableCombo, -1, -1, ""},
      {kEditableCombo, 9, 1, "20"},
  };
  for (const Case& c : cases) {
    Set(c.combo, Property::kSelectedIndex, c.written);
    EXPECT_EQ(Get(c.combo, Property::kSelectedIndex).AsInt(), c.selected) << c.written;
    EXPECT_EQ(frame::Utf8(Get(c.combo, Property::kContentText).AsText()), c.shown) << c.written;
    EXPECT_EQ(program_.widget<QComboBox>(c.combo).currentText().toStdString(), c.shown);
  }

  // Qt would select the first item added to an empty list.
  EXPECT_EQ(frame::AddComboItem(kMainWindowId, kEmptyCombo, Gbk("新")), 0);
  EXPECT_EQ(frame::AddComboItem(kMainWindowId, kEmptyCombo, Gbk("又")), 1);
  EXPECT_EQ(Get(kEmptyCombo, Property::kSelectedIndex).AsInt(), -1);
  EXPECT_EQ(Get(kEmptyCombo, Property::kContentText).AsText(), "");

  Set(kCombo, Property::kSelectedIndex, 0);
  frame::ClearComboItems(kMainWindowId, kCombo);
  EXPECT_EQ(Get(kCombo, Property::kSelectedIndex).AsInt(), -1);
  EXPECT_EQ(program_.widget<QComboBox>(kCombo).count(), 0);

  program_.ProcessEvents();
  EXPECT_EQ(Count("combo"), 0);
}

TEST_F(ControlEventsTest, TypingIntoAnEditableComboRaisesNothingAndReadsAsTyped) {
  ASSERT_TRUE(program_.Type(kEditableCombo, QString::fromUtf8("35元\n")));
  program_.ProcessEvents();
  EXPECT_EQ(frame::Utf8(Get(kEditableCombo, Property::kContentText).AsText()), "35元");
  EXPECT_EQ(Get(kEditableCombo, Property::kSelectedIndex).AsInt(), -1);
  // Not even an item's text picks the item, with Enter or when the focus leaves.
  Set(kEditableCombo, Property::kContentText, "");
  ASSERT_TRUE(program_.Type(kEditableCombo, QString::fromUtf8("20\n")));
  program_.Click(kEdit);
  program_.ProcessEvents();
  EXPECT_EQ(Get(kEditableCombo, Property::kSelectedIndex).AsInt(), -1);
  EXPECT_EQ(Get(kEditableCombo, Property::kContentText).AsText(), "20");
  EXPECT_EQ(Count("combo"), 0);

  ASSERT_TRUE(program_.PickComboItem(kEditableCombo, 0));
  program_.ProcessEvents();
  EXPECT_EQ(Count("combo"), 1);
  EXPECT_EQ(Get(kEditableCombo, Property::kContentText).AsText(), "10");
}

TEST_F(ControlEventsTest, RadioButtonsCheckOneAtATimeWhileHandlersSetEachFlagAlone) {
  auto checked = [&] {
    return std::pair(Get(kRadioA, Property::kChecked).AsBool(),
                     Get(kRadioB, Property::kChecked).AsBool());
  };
  program_.Click(kRadioA);
  EXPECT_EQ(checked(), std::pair(true, false));
  program_.Click(kRadioB);
  EXPECT_EQ(checked(), std::pair(false, true));

  // Qt would refuse to uncheck the checked button of a group.
  Set(kRadioB, Property::kChecked, false);
  EXPECT_EQ(checked(), std::pair(false, false));
  EXPECT_FALSE(program_.widget<QRadioButton>(kRadioB).isChecked());
  Set(kRadioA, Property::kChecked, true);
  Set(kRadioB, Property::kChecked, true);
  EXPECT_EQ(checked(), std::pair(true, true));
}

TEST_F(ControlEventsTest, TheCloseBoxEndsTheLoopWithZeroWithoutAQuestion) {
  QTimer::singleShot(0, [&] { program_.CloseWindow(); });
  EXPECT_EQ(program_.window_system().RunMessageLoop(), 0);
  EXPECT_FALSE(program_.window().isVisible());
  EXPECT_TRUE(program_.OpenMessageBoxes().empty());
  EXPECT_FALSE(Get(frame::kWindowUnit, Property::kVisible).AsBool());

  // The runtime was told: what the window still emits reaches no handler.
  program_.widget<QPushButton>(kButton).click();
  EXPECT_EQ(Log(), (Entries{"start", "created"}));
}

}  // namespace
