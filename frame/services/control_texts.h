// A control's text as a handler reads it: as shown, or ready to stand
// between quotes in a statement.
#pragma once

#include "frame/text/gbk.h"
#include "frame/window/window_model.h"

namespace frame {

Text ControlText(WindowId window, ControlId control, Property property = Property::kText);

// Each ' doubled, so that the text cannot end the quotes it stands in.
Text QuotedControlText(WindowId window, ControlId control, Property property = Property::kText);

}  // namespace frame
