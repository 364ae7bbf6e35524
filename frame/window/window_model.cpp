#include "frame/window/window_model.h"

#include <set>

namespace frame {

const ControlDefinition* FindControl(const WindowDefinition& window, ControlId id) {
  for (const ControlDefinition& control : window.controls) {
    if (control.id == id) return &control;
  }
  return nullptr;
}

const MenuItemDefinition* FindMenuItem(const WindowDefinition& window, ControlId id) {
  for (const MenuItemDefinition& item : window.menu) {
    if (item.id == id) return &item;
  }
  return nullptr;
}

Handler FindHandler(const WindowDefinition& window, ControlId unit, int32_t event) {
  std::span<const EventBinding> bindings;
  if (unit == kWindowUnit) {
    bindings = window.events;
  } else if (IsMenuItem(unit)) {
    const MenuItemDefinition* item = FindMenuItem(window, unit);
    return item != nullptr ? item->handler : nullptr;
  } else if (const ControlDefinition* control = FindControl(window, unit)) {
    bindings = control->events;
  }
  for (const EventBinding& binding : bindings) {
    if (binding.event == event) return binding.handler;
  }
  return nullptr;
}

bool IsValidDefinition(const WindowDefinition& window) {
  std::set<ControlId> ids;
  for (const ControlDefinition& control : window.controls) {
    if (FamilyOf(control.id) != kControlFamily || !ids.insert(control.id).second) return false;
  }
  for (const ControlDefinition& control : window.controls) {
    if (!control.parent.control) continue;
    const ControlDefinition* parent = FindControl(window, *control.parent.control);
    if (parent == nullptr || parent == &control) return false;
    if (parent->kind == ControlKind::kGroupBox) {
      if (control.parent.page != -1) return false;
    } else if (parent->kind == ControlKind::kTab) {
      if (control.parent.page < 0 ||
          control.parent.page >= static_cast<int32_t>(parent->items.size())) {
        return false;
      }
    } else {
      return false;
    }
  }
  // Parent chains must end at the window.
  for (const ControlDefinition& control : window.controls) {
    const ControlDefinition* at = &control;
    for (size_t steps = 0; at != nullptr && at->parent.control; ++steps) {
      if (steps > window.controls.size()) return false;
      at = FindControl(window, *at->parent.control);
    }
  }
  bool in_menu = false;
  for (const MenuItemDefinition& item : window.menu) {
    if (FamilyOf(item.id) != kMenuItemFamily || !ids.insert(item.id).second) return false;
    if (item.level == 0) {
      in_menu = true;
    } else if (item.level != 1 || !in_menu) {
      return false;
    }
  }
  return true;
}

}  // namespace frame
