// What the controls of gmdesk's window hold now, as texts.
#pragma once

#include "frame/services/control_texts.h"
#include "gmdesk/main_window.h"

namespace gmdesk {

// The text typed in or shown by a box.
inline frame::Text BoxText(ControlId box) {
  return frame::ControlText(kMainWindow, box);
}

// Another property read as a text: a list's shown item, a rich box's content.
inline frame::Text PropertyText(ControlId control, frame::Property property) {
  return frame::ControlText(kMainWindow, control, property);
}

// Ready to stand between quotes in a statement.
inline frame::Text QuotedText(ControlId control,
                              frame::Property property = frame::Property::kText) {
  return frame::QuotedControlText(kMainWindow, control, property);
}

}  // namespace gmdesk
