#include "frame/window/window_model.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using namespace frame;

void First() {}
void Second() {}

// The ids the window definitions are written in; a change shows at build time.
static_assert(static_cast<uint32_t>(ControlNumber(0x159a)) == 0x1601159au);
static_assert(static_cast<uint32_t>(MenuItemNumber(0x1698)) == 0x26011698u);
static_assert(IsMenuItem(MenuItemNumber(0x16e3)) && !IsMenuItem(ControlNumber(0x16e3)));
static_assert(static_cast<uint32_t>(kWindowUnit) == 0x06010000u);
static_assert(static_cast<uint32_t>(kMainWindowId) == 0x52010001u);

TEST(WindowModel, FirstBindingOfAnEventWins) {
  static constexpr EventBinding kBindings[] = {{1, &Second}, {0, &First}, {0, &Second}};
  static constexpr ControlDefinition kControls[] = {
      {.id = ControlNumber(1), .kind = ControlKind::kButton, .events = kBindings},
      {.id = ControlNumber(2), .kind = ControlKind::kButton},
  };
  static constexpr MenuItemDefinition kMenu[] = {
      {.id = MenuItemNumber(1), .level = 0, .caption = "menu"},
      {.id = MenuItemNumber(2), .level = 1, .caption = "item", .handler = &Second},
  };
  const WindowDefinition window{.events = BindEvent0<&First>, .controls = kControls, .menu = kMenu};

  EXPECT_EQ(FindHandler(window, ControlNumber(1), 0), &First);
  EXPECT_EQ(FindHandler(window, ControlNumber(1), 1), &Second);
  EXPECT_EQ(FindHandler(window, ControlNumber(1), 2), nullptr);
  EXPECT_EQ(FindHandler(window, ControlNumber(2), 0), nullptr);
  EXPECT_EQ(FindHandler(window, ControlNumber(3), 0), nullptr);
  EXPECT_EQ(FindHandler(window, kWindowUnit, 0), &First);
  EXPECT_EQ(FindHandler(window, MenuItemNumber(2), 0), &Second);
  EXPECT_EQ(FindHandler(window, MenuItemNumber(1), 0), nullptr);
}

struct DefinitionCase {
  const char* name;
  std::vector<ControlDefinition> controls;
  std::vector<MenuItemDefinition> menu;
  bool valid;
};

TEST(WindowModel, DefinitionsThatCannotBeBuiltAreRefused) {
  const ControlId box = ControlNumber(1);
  const ControlId tab = ControlNumber(2);
  const ControlId button = ControlNumber(3);
  static constexpr std::string_view kTwoPages[] = {"a", "b"};
  auto group = ControlDefinition{.id = box, .kind = ControlKind::kGroupBox};
  auto tabs = ControlDefinition{.id = tab, .kind = ControlKind::kTab, .items = kTwoPages};
  auto item = [](ControlId id, ParentRef parent) {
    return ControlDefinition{.id = id, .kind = ControlKind::kButton, .parent = parent};
  };
  const std::vector<DefinitionCase> cases = {
      {"nested boxes and pages", {group, tabs, item(button, OnPage(tab, 1))}, {}, true},
      {"duplicate id", {group, item(box, InWindow())}, {}, false},
      {"control of the menu family", {item(MenuItemNumber(5), InWindow())}, {}, false},
      {"missing parent", {item(button, InGroup(ControlNumber(9)))}, {}, false},
      {"parent that holds nothing",
       {item(button, InWindow()), item(ControlNumber(4), InGroup(button))},
       {},
       false},
      {"page out of range", {tabs, item(button, OnPage(tab, 2))}, {}, false},
      {"tab parent without a page", {tabs, item(button, InGroup(tab))}, {}, false},
      {"page given for a group box", {group, item(button, OnPage(box, 0))}, {}, false},
      {"parent cycle",
       {ControlDefinition{.id = box, .kind = ControlKind::kGroupBox, .parent = InGroup(tab)},
        ControlDefinition{.id = tab, .kind = ControlKind::kGroupBox, .parent = InGroup(box)}},
       {},
       false},
      {"menu item before any menu", {}, {{.id = MenuItemNumber(1), .level = 1}}, false},
      {"menu of the control family", {}, {{.id = ControlNumber(1), .level = 0}}, false},
      {"menu level 2",
       {},
       {{.id = MenuItemNumber(1), .level = 0}, {.id = MenuItemNumber(2), .level = 2}},
       false},
  };
  for (const DefinitionCase& c : cases) {
    const WindowDefinition window{.controls = c.controls, .menu = c.menu};
    EXPECT_EQ(IsValidDefinition(window), c.valid) << c.name;
  }
}

TEST(WindowModel, AControlIsUsableOnlyWhenNoBoxAroundItIsDisabled) {
  const ControlId outer = ControlNumber(1);
  const ControlId inner = ControlNumber(2);
  const ControlId tab = ControlNumber(3);
  const ControlId button = ControlNumber(4);
  static constexpr std::string_view kPage[] = {"p"};
  const ControlDefinition controls[] = {
      {.id = outer, .kind = ControlKind::kGroupBox},
      {.id = inner, .kind = ControlKind::kGroupBox, .parent = InGroup(outer)},
      {.id = tab, .kind = ControlKind::kTab, .parent = InGroup(inner), .items = kPage},
      {.id = button, .kind = ControlKind::kButton, .parent = OnPage(tab, 0)},
  };
  const WindowDefinition window{.controls = controls};
  for (ControlId off : {ControlId{}, outer, inner, tab, button}) {
    std::map<ControlId, bool> disabled{{off, true}};
    bool usable = IsControlUsable(window, button, [&](ControlId id) { return disabled[id]; });
    EXPECT_EQ(usable, off == ControlId{}) << std::hex << static_cast<uint32_t>(off);
  }
  EXPECT_FALSE(IsControlUsable(window, ControlNumber(99), [](ControlId) { return false; }));
}

}  // namespace
