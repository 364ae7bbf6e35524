// Which property each kind of control has and how it reads and writes,
// whatever shows the control. A property a kind does not have reads as
// nothing and takes no writes.
#pragma once

#include <cstdint>

#include "frame/window/property_value.h"
#include "frame/window/window_model.h"

namespace frame {

// What a property of a control stands for.
enum class PropertyRole {
  kNone,
  kFlag,           // one of the shared 0-7, read back as written
  kText,           // edit text, caption, shown text of a combo or rich edit, address
  kChecked,        // a radio button's own flag
  kSelectedIndex,  // a combo box's selection
};

// Components have none; every other control has the shared flags and the
// properties of its kind.
PropertyRole RoleOf(const ControlDefinition& control, Property property);

// The text of an IP address box and of a pick-only list only reads.
bool IsWritable(const ControlDefinition& control, Property property);

// The shared flags of a control as handlers last wrote them, not the
// effective ones: a control inside a disabled box keeps its own flag.
struct ControlFlags {
  Rect rect;
  bool visible = true;
  bool disabled = false;
  int32_t tag = 0;
  int32_t mouse_pointer = 0;

  static ControlFlags Of(const ControlDefinition& control);
  // Only for properties whose role is kFlag.
  PropertyValue Read(Property property) const;
  void Write(Property property, const PropertyValue& value);
};

// Handlers append to the text of edit boxes and rich edits only.
constexpr bool TakesAppendedText(ControlKind kind) {
  return kind == ControlKind::kEditBox || kind == ControlKind::kRichEdit;
}

// The window's own unit has its title, and its visible flag (read only:
// false once the window is closed). A menu item has its disabled flag.
enum class WindowUnitRole { kNone, kTitle, kOpen };
WindowUnitRole WindowUnitRoleOf(Property property);
constexpr bool IsMenuItemProperty(Property property) {
  return property == kMenuItemDisabled;
}

}  // namespace frame
