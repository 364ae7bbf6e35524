// What handlers read and write, held to the window contract, and what the
// operator sees of it.
#include "frame/headless/headless_window_system.h"
#include "frame/headless/operator_text.h"
#include "frame/window/combo_rules.h"
#include "frame/window/typing_rules.h"

namespace frame {

Text HeadlessWindowSystem::ContentText(const ControlState& state) const {
  if (state.control == nullptr) return state.text;
  switch (state.control->kind) {
    case ControlKind::kComboBox:
      if (HasTextField(*state.control)) return state.text;
      return state.selected >= 0 ? state.items[static_cast<size_t>(state.selected)].text : Text();
    case ControlKind::kIPEditBox:
      return FormatIpAddress(state.address);
    default:
      return state.text;
  }
}

PropertyValue HeadlessWindowSystem::ReadControl(const ControlState& state,
                                                Property property) const {
  switch (RoleOf(*state.control, property)) {
    case PropertyRole::kNone:
      return {};
    case PropertyRole::kFlag:
      return state.flags.Read(property);
    case PropertyRole::kText:
      return ContentText(state);
    case PropertyRole::kChecked:
      return state.checked;
    case PropertyRole::kSelectedIndex:
      return state.selected;
  }
  return {};
}

void HeadlessWindowSystem::WriteControl(ControlState& state, Property property,
                                        const PropertyValue& value) {
  if (!IsWritable(*state.control, property)) return;
  switch (RoleOf(*state.control, property)) {
    case PropertyRole::kNone:
      break;
    case PropertyRole::kFlag:
      state.flags.Write(property, value);
      break;
    case PropertyRole::kText:
      state.text = value.AsText();
      break;
    case PropertyRole::kChecked:
      state.checked = value.AsBool();
      break;
    case PropertyRole::kSelectedIndex:
      state.selected = SelectionAfterWrite(value.AsInt(), static_cast<int32_t>(state.items.size()));
      if (HasTextField(*state.control)) {
        state.text =
            state.selected >= 0 ? state.items[static_cast<size_t>(state.selected)].text : Text();
      }
      break;
  }
}

PropertyValue HeadlessWindowSystem::GetProperty(WindowId window, ControlId control,
                                                Property property) {
  if (definition_ == nullptr || window != definition_->id) return {};
  if (control == kWindowUnit) {
    switch (WindowUnitRoleOf(property)) {
      case WindowUnitRole::kTitle:
        return title_;
      case WindowUnitRole::kOpen:
        return open_;
      case WindowUnitRole::kNone:
        return {};
    }
  }
  const ControlState* state = Find(control);
  if (state == nullptr) return {};
  if (state->menu_item != nullptr) {
    return IsMenuItemProperty(property) ? PropertyValue(state->flags.disabled) : PropertyValue();
  }
  return ReadControl(*state, property);
}

void HeadlessWindowSystem::SetProperty(WindowId window, ControlId control, Property property,
                                       const PropertyValue& value) {
  if (definition_ == nullptr || window != definition_->id) return;
  writes_.push_back({control, property, value});
  if (control == kWindowUnit) {
    if (WindowUnitRoleOf(property) == WindowUnitRole::kTitle) title_ = value.AsText();
    return;
  }
  ControlState* state = Find(control);
  if (state == nullptr) return;
  if (state->menu_item != nullptr) {
    if (IsMenuItemProperty(property)) state->flags.disabled = value.AsBool();
    return;
  }
  WriteControl(*state, property, value);
}

int32_t HeadlessWindowSystem::AddComboItem(WindowId window, ControlId control, const Text& text,
                                           int32_t data) {
  ControlState* state = Find(window, control);
  if (state == nullptr || state->control == nullptr ||
      state->control->kind != ControlKind::kComboBox) {
    return -1;
  }
  state->items.push_back({text, data});
  return static_cast<int32_t>(state->items.size()) - 1;
}

void HeadlessWindowSystem::ClearComboItems(WindowId window, ControlId control) {
  ControlState* state = Find(window, control);
  if (state == nullptr || state->control == nullptr ||
      state->control->kind != ControlKind::kComboBox) {
    return;
  }
  state->items.clear();
  state->selected = -1;
  state->text.clear();
}

void HeadlessWindowSystem::AppendEditText(WindowId window, ControlId control, const Text& text) {
  ControlState* state = Find(window, control);
  if (state == nullptr || state->control == nullptr) return;
  if (TakesAppendedText(state->control->kind)) state->text += text;
}

void HeadlessWindowSystem::FocusControl(WindowId window, ControlId control) {
  if (Find(window, control) != nullptr) focused_ = control;
}

std::string HeadlessWindowSystem::Title() const {
  return Utf8(title_);
}

std::string HeadlessWindowSystem::TextOf(ControlId control) const {
  if (control == kWindowUnit) return Title();
  const ControlState* state = Find(control);
  return state == nullptr ? std::string() : Utf8(ContentText(*state));
}

std::string HeadlessWindowSystem::ShownText(ControlId control) const {
  const ControlState* state = Find(control);
  if (state != nullptr && state->control != nullptr &&
      state->control->kind == ControlKind::kEditBox &&
      state->control->input_mode == InputMode::kPassword) {
    return std::string(CharacterCount(OperatorTextFromGbk(state->text)), '*');
  }
  return TextOf(control);
}

std::vector<std::string> HeadlessWindowSystem::ComboItems(ControlId control) const {
  std::vector<std::string> out;
  if (const ControlState* state = Find(control)) {
    for (const ComboItem& item : state->items)
      out.push_back(Utf8(item.text));
  }
  return out;
}

int32_t HeadlessWindowSystem::SelectedIndex(ControlId control) const {
  const ControlState* state = Find(control);
  return state == nullptr ? -1 : state->selected;
}

int32_t HeadlessWindowSystem::SelectedPage(ControlId tab) const {
  const ControlState* state = Find(tab);
  return state == nullptr ? -1 : state->page;
}

bool HeadlessWindowSystem::IsChecked(ControlId control) const {
  const ControlState* state = Find(control);
  return state != nullptr && state->checked;
}

bool HeadlessWindowSystem::IsDisabled(ControlId control) const {
  const ControlState* state = Find(control);
  return state != nullptr && state->flags.disabled;
}

}  // namespace frame
