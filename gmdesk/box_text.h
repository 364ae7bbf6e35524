// The text a control of gmdesk's window holds now.
#pragma once

#include "frame/services/control_services.h"
#include "gmdesk/main_window.h"

namespace gmdesk {

inline frame::Text BoxText(ControlId box, frame::Property property = frame::Property::kText) {
  return frame::GetControlProperty(kMainWindow, box, property).AsText();
}

}  // namespace gmdesk
