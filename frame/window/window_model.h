// The window model: what a program's window is made of, as constant tables.
//
// Definition texts (titles, captions, initial texts, items) are UTF-8 source
// literals; the window system converts them when it builds the window.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace frame {

enum class WindowId : uint32_t {};
enum class ControlId : uint32_t {};

// Families in the upper 16 bits of a ControlId.
inline constexpr uint32_t kControlFamily = 0x1601;
inline constexpr uint32_t kMenuItemFamily = 0x2601;

inline constexpr WindowId kMainWindowId{0x52010001};
// The window's own unit: window events and the title go through it.
inline constexpr ControlId kWindowUnit{0x06010000};

constexpr ControlId ControlNumber(uint16_t number) {
  return ControlId{(kControlFamily << 16) | number};
}
constexpr ControlId MenuItemNumber(uint16_t number) {
  return ControlId{(kMenuItemFamily << 16) | number};
}
constexpr uint32_t FamilyOf(ControlId id) {
  return static_cast<uint32_t>(id) >> 16;
}
constexpr bool IsMenuItem(ControlId id) {
  return FamilyOf(id) == kMenuItemFamily;
}

enum class ControlKind {
  kEditBox,
  kLabel,
  kButton,
  kComboBox,
  kGroupBox,
  kTab,
  kRadioBox,
  kRichEdit,
  kIPEditBox,
  kDBConnection,
  kRecordSet,
};

constexpr bool IsComponent(ControlKind kind) {
  return kind == ControlKind::kDBConnection || kind == ControlKind::kRecordSet;
}

// Property numbers shared by every kind (0-7) and by the kinds that use them.
enum class Property : int32_t {
  kLeft = 0,
  kTop = 1,
  kWidth = 2,
  kHeight = 3,
  kTag = 4,
  kVisible = 5,
  kDisabled = 6,
  kMousePointer = 7,
  kText = 8,            // EditBox text; the window's title
  kContentText = 9,     // ComboBox shown text, RichEdit text, IPEditBox address
  kCaption = 10,        // Button caption
  kAtEnd = 13,          // RecordSet
  kChecked = 18,        // RadioBox
  kSelectedIndex = 19,  // ComboBox
};
// Menu items number their disabled flag 2.
inline constexpr Property kMenuItemDisabled = Property{2};
inline constexpr Property kTitle = Property::kText;

enum class InputMode { kNormal = 0, kReadOnly = 1, kPassword = 2, kNumeric = 3 };

enum class ComboStyle {
  kDropDownList,  // pick only
  kDropDown,      // the text field can be typed into as well
};

struct Rect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
};

struct Color {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  friend constexpr bool operator==(Color, Color) = default;
};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kRed{255, 0, 0};
inline constexpr Color kGreen{0, 255, 0};
inline constexpr Color kYellow{255, 255, 0};
inline constexpr Color kMagenta{255, 0, 255};
inline constexpr Color kCyan{0, 255, 255};

struct FontSpec {
  std::string_view family;    // a Windows font name; the toolkit falls back when missing
  int32_t height_pixels = 0;  // character height; 0 = the toolkit's default
  int32_t point_size = 0;     // used when no pixel height is given
  bool bold = false;
};

using Handler = void (*)();
// A routine of the program's own: its start and exit routines, a thread's body.
using Subroutine = void (*)();

struct EventBinding {
  int32_t event = 0;
  Handler handler = nullptr;
};

// The usual binding: event 0 (clicked, item picked, created) to one handler.
template <Handler H>
inline constexpr EventBinding BindEvent0[] = {{0, H}};

// Where a control sits: the window's client area, a group box, or a page of a tab.
struct ParentRef {
  std::optional<ControlId> control;  // none = the window
  int32_t page = -1;                 // page of a Tab parent, 0-based
};

constexpr ParentRef InWindow() {
  return {};
}
constexpr ParentRef InGroup(ControlId group) {
  return {group, -1};
}
constexpr ParentRef OnPage(ControlId tab, int32_t page) {
  return {tab, page};
}

struct ControlDefinition {
  ControlId id{};
  ControlKind kind = ControlKind::kLabel;
  std::string_view name;  // design name, e.g. 按钮17
  ParentRef parent;
  Rect rect;
  std::string_view text;  // caption or initial text
  bool visible = true;
  bool disabled = false;
  bool tab_stop = false;
  // EditBox
  InputMode input_mode = InputMode::kNormal;
  int32_t max_length = 0;  // characters; 0 = no limit
  bool multi_line = false;
  // EditBox, RichEdit: a multi-line box wraps its lines unless it scrolls sideways.
  bool vertical_scroll = false;
  bool horizontal_scroll = false;
  // Label, EditBox, RichEdit
  std::optional<Color> text_color;
  std::optional<Color> background_color;
  std::optional<FontSpec> font;
  // ComboBox items, Tab page captions
  std::span<const std::string_view> items;
  ComboStyle combo_style = ComboStyle::kDropDownList;
  bool checked = false;  // RadioBox
  std::span<const EventBinding> events;
};

struct MenuItemDefinition {
  ControlId id{};
  int32_t level = 0;  // 0 = a menu of the bar; 1 = an item of the preceding menu
  std::string_view caption;
  Handler handler = nullptr;
  bool disabled = false;
};

struct WindowDefinition {
  WindowId id = kMainWindowId;
  std::string_view title;
  Rect rect;  // outer size; left and top are not used (the window opens centred)
  bool visible = true;
  std::span<const EventBinding> events;
  std::span<const ControlDefinition> controls;
  std::span<const MenuItemDefinition> menu;
};

// Up to five arguments; the tools bind only argument-less events.
struct EventRecord {
  WindowId window{};
  ControlId control{};
  int32_t event = 0;
  int32_t argument_count = 0;
  int32_t arguments[5] = {};
  bool has_result = false;
  int32_t result = 0;
};

const ControlDefinition* FindControl(const WindowDefinition& window, ControlId id);
const MenuItemDefinition* FindMenuItem(const WindowDefinition& window, ControlId id);

// The first handler bound to `event` of the unit, or none.
Handler FindHandler(const WindowDefinition& window, ControlId unit, int32_t event);

// True when the definition can be built: ids unique and of the right family,
// parents that exist and hold children (group boxes, pages of tabs), menu items
// that follow a menu.
bool IsValidDefinition(const WindowDefinition& window);

// A control takes input when neither it nor any group box or tab around it is
// disabled. `is_disabled` answers a unit's own current flag.
template <class IsDisabled>
bool IsControlUsable(const WindowDefinition& window, ControlId id, IsDisabled&& is_disabled) {
  if (IsMenuItem(id)) return FindMenuItem(window, id) != nullptr && !is_disabled(id);
  const ControlDefinition* control = FindControl(window, id);
  for (int depth = 0; control != nullptr; ++depth) {
    if (depth > 64) return false;  // a cycle; valid definitions have none
    if (is_disabled(control->id)) return false;
    if (!control->parent.control) return true;
    control = FindControl(window, *control->parent.control);
  }
  return false;
}

}  // namespace frame
