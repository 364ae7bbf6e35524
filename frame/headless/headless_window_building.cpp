// The window's controls in memory, and which of them the operator can reach.
#include "frame/headless/headless_window_system.h"

namespace frame {

bool HeadlessWindowSystem::BuildWindow(const WindowDefinition& definition, EventSink& sink) {
  if (definition_ != nullptr) return false;
  definition_ = &definition;
  sink_ = &sink;
  title_ = Gbk(definition.title);
  for (const ControlDefinition& control : definition.controls) {
    ControlState state;
    state.control = &control;
    state.flags = ControlFlags::Of(control);
    state.checked = control.checked;
    switch (control.kind) {
      case ControlKind::kComboBox:
        for (std::string_view item : control.items)
          state.items.push_back({Gbk(item), 0});
        if (control.combo_style == ComboStyle::kDropDown) state.text = Gbk(control.text);
        break;
      case ControlKind::kIPEditBox:
        state.address = ParseIpAddress(control.text);
        break;
      default:
        state.text = Gbk(control.text);
        break;
    }
    controls_[control.id] = std::move(state);
  }
  for (const MenuItemDefinition& item : definition.menu) {
    ControlState state;
    state.menu_item = &item;
    state.text = Gbk(item.caption);
    state.flags.disabled = item.disabled;
    controls_[item.id] = std::move(state);
  }
  open_ = true;
  return true;
}

HeadlessWindowSystem::ControlState* HeadlessWindowSystem::Find(WindowId window, ControlId control) {
  if (definition_ == nullptr || window != definition_->id) return nullptr;
  return Find(control);
}

HeadlessWindowSystem::ControlState* HeadlessWindowSystem::Find(ControlId control) {
  auto it = controls_.find(control);
  return it == controls_.end() ? nullptr : &it->second;
}

const HeadlessWindowSystem::ControlState* HeadlessWindowSystem::Find(ControlId control) const {
  auto it = controls_.find(control);
  return it == controls_.end() ? nullptr : &it->second;
}

bool HeadlessWindowSystem::IsShown(const ControlState& state) const {
  if (state.menu_item != nullptr) return true;
  const ControlState* at = &state;
  for (size_t depth = 0; at != nullptr && depth <= controls_.size(); ++depth) {
    if (!at->flags.visible) return false;
    if (!at->control->parent.control) return true;
    at = Find(*at->control->parent.control);
  }
  return false;
}

bool HeadlessWindowSystem::IsUsable(ControlId control) const {
  if (!open_ || definition_ == nullptr) return false;
  const ControlState* state = Find(control);
  if (state == nullptr || !IsShown(*state)) return false;
  if (state->control != nullptr && IsComponent(state->control->kind)) return false;
  if (state->menu_item != nullptr) {
    // An item of a disabled menu cannot be reached either.
    const MenuItemDefinition* menu = nullptr;
    for (const MenuItemDefinition& item : definition_->menu) {
      if (&item == state->menu_item) break;
      if (item.level == 0) menu = &item;
    }
    if (menu != nullptr && Find(menu->id)->flags.disabled) return false;
  }
  return IsControlUsable(*definition_, control, [&](ControlId unit) {
    const ControlState* at = Find(unit);
    return at == nullptr || at->flags.disabled;
  });
}

HeadlessWindowSystem::ControlState* HeadlessWindowSystem::Reachable(ControlId control) {
  ProcessPendingTasks();
  return IsUsable(control) ? Find(control) : nullptr;
}

void HeadlessWindowSystem::Raise(ControlId control, int32_t event) {
  if (sink_ == nullptr) return;
  sink_->DispatchEvent(EventRecord{.window = definition_->id, .control = control, .event = event});
}

}  // namespace frame
