#include "frame/services/control_texts.h"

#include "frame/services/control_services.h"
#include "frame/services/text_services.h"

namespace frame {

Text ControlText(WindowId window, ControlId control, Property property) {
  return GetControlProperty(window, control, property).AsText();
}

Text QuotedControlText(WindowId window, ControlId control, Property property) {
  return DoubleQuotes(ControlText(window, control, property));
}

}  // namespace frame
