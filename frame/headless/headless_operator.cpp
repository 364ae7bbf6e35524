// The operator's actions, held to the rules a person meets at the real
// window.
#include "frame/headless/headless_window_system.h"
#include "frame/headless/operator_text.h"
#include "frame/window/combo_rules.h"
#include "frame/window/typing_rules.h"

namespace frame {

bool HeadlessWindowSystem::Type(ControlId control, std::string_view utf8, bool at_end) {
  ControlState* state = Reachable(control);
  if (state == nullptr || state->control == nullptr || !TakesTyping(*state->control)) return false;
  TypingRules rules = TypingRules::Of(*state->control);
  std::u16string content = at_end ? OperatorTextFromGbk(state->text) : std::u16string();
  for (const std::u16string& key : Keys(OperatorTextFromUtf8(utf8))) {
    if (key == u"\r") continue;  // Enter arrives as "\n"
    content += rules.AcceptTyped(key, CharacterCount(content));
  }
  state->text = GbkFromOperatorText(content);
  return true;
}

bool HeadlessWindowSystem::TypeText(ControlId control, std::string_view utf8) {
  return Type(control, utf8, false);
}

bool HeadlessWindowSystem::TypeAtEnd(ControlId control, std::string_view utf8) {
  return Type(control, utf8, true);
}

bool HeadlessWindowSystem::InsertText(ControlId control, std::string_view utf8) {
  ControlState* state = Reachable(control);
  if (state == nullptr || state->control == nullptr || !TakesTyping(*state->control)) return false;
  std::u16string content = OperatorTextFromGbk(state->text);
  std::optional<std::u16string> accepted =
      TypingRules::Of(*state->control)
          .AcceptInserted(OperatorTextFromUtf8(utf8), CharacterCount(content));
  if (!accepted) {
    ++refusals_;
    return true;
  }
  state->text = GbkFromOperatorText(content + *accepted);
  return true;
}

bool HeadlessWindowSystem::Click(ControlId control) {
  ControlState* state = Reachable(control);
  if (state == nullptr || state->control == nullptr) return false;
  switch (state->control->kind) {
    case ControlKind::kButton:
      Raise(control, 0);
      break;
    case ControlKind::kRadioBox:
      // Automatic radio buttons: one checked among the radio buttons beside it.
      for (auto& [id, other] : controls_) {
        if (other.control != nullptr && other.control->kind == ControlKind::kRadioBox &&
            other.control->parent.control == state->control->parent.control &&
            other.control->parent.page == state->control->parent.page) {
          other.checked = id == control;
        }
      }
      Raise(control, 0);
      break;
    default:
      break;  // labels, boxes and panels raise nothing
  }
  return true;
}

bool HeadlessWindowSystem::PickComboItem(ControlId control, int32_t index) {
  ControlState* state = Reachable(control);
  if (state == nullptr || state->control == nullptr ||
      state->control->kind != ControlKind::kComboBox ||
      !IsPickable(index, static_cast<int32_t>(state->items.size()))) {
    return false;
  }
  state->selected = index;
  if (HasTextField(*state->control)) state->text = state->items[static_cast<size_t>(index)].text;
  Raise(control, 0);
  return true;
}

bool HeadlessWindowSystem::ChooseMenuItem(ControlId item) {
  ControlState* state = Reachable(item);
  if (state == nullptr || state->menu_item == nullptr || state->menu_item->level != 1) {
    return false;
  }
  Raise(item, 0);
  return true;
}

bool HeadlessWindowSystem::SelectTabPage(ControlId tab, int32_t page) {
  ControlState* state = Reachable(tab);
  if (state == nullptr || state->control == nullptr || state->control->kind != ControlKind::kTab ||
      page < 0 || page >= static_cast<int32_t>(state->control->items.size())) {
    return false;
  }
  state->page = page;
  return true;
}

bool HeadlessWindowSystem::EnterIpAddress(ControlId control, std::string_view dotted) {
  ControlState* state = Reachable(control);
  if (state == nullptr || state->control == nullptr ||
      state->control->kind != ControlKind::kIPEditBox) {
    return false;
  }
  std::optional<IpAddress> address = ParseEnteredIpAddress(dotted);
  if (!address) return false;
  state->address = *address;
  return true;
}

bool HeadlessWindowSystem::TypeIntoAddressField(ControlId control, int field,
                                                std::string_view keys) {
  ControlState* state = Reachable(control);
  if (state == nullptr || state->control == nullptr ||
      state->control->kind != ControlKind::kIPEditBox || field < 0 ||
      field >= static_cast<int>(state->address.size())) {
    return false;
  }
  // Clicking into a field puts the caret after its digits; a field that the
  // caret moves on to has them selected, so that a digit replaces them.
  auto at = static_cast<size_t>(field);
  auto text_of = [&](size_t index) {
    const std::optional<int32_t>& value = state->address[index];
    return value ? std::to_string(*value) : std::string();
  };
  std::string held = text_of(at);
  bool selected = false;
  for (char16_t key : OperatorTextFromUtf8(keys)) {
    std::string met = selected ? std::string() : held;
    bool move_on = false;
    switch (IpFieldKeyOf(met, key)) {
      case IpFieldKey::kTake:
        held = HeldIpField(met + static_cast<char>(key)).value_or(held);
        selected = false;
        move_on = IsIpFieldFull(held);
        break;
      case IpFieldKey::kMoveOn:
        move_on = true;
        break;
      case IpFieldKey::kRefuse:
        break;
    }
    state->address[at] = IpFieldValue(held);
    if (move_on && at + 1 < state->address.size()) {
      held = text_of(++at);
      selected = true;
    }
  }
  return true;
}

void HeadlessWindowSystem::CloseWindow() {
  ProcessPendingTasks();
  if (!open_) return;
  open_ = false;
  if (sink_ != nullptr) sink_->WindowClosed();
  QuitMessageLoop(0);
}

}  // namespace frame
