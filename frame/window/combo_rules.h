// The rules of a combo box's list, whatever shows it: handlers' writes raise
// no event and never pick more than the list holds; the operator picks only
// an item that is there.
#pragma once

#include <algorithm>
#include <cstdint>

#include "frame/window/window_model.h"

namespace frame {

// The selection a handler's index write leaves: below -1 nothing, above the
// last item the last item; an empty list selects nothing.
constexpr int32_t SelectionAfterWrite(int32_t written, int32_t count) {
  return std::clamp(written, int32_t{-1}, std::max(int32_t{-1}, count - 1));
}

constexpr bool IsPickable(int32_t index, int32_t count) {
  return index >= 0 && index < count;
}

// A box with a text field shows the selected item's text once it is picked
// or written, and nothing once nothing is selected; a pick-only list always
// shows its selection.
constexpr bool HasTextField(const ControlDefinition& control) {
  return control.kind == ControlKind::kComboBox && control.combo_style == ComboStyle::kDropDown;
}

}  // namespace frame
