// The widget that shows each kind of control.
#pragma once

#include "frame/window/window_model.h"

class QWidget;

namespace frame {

// Creates the control's widget inside `parent` at the control's rectangle,
// with its initial text, items, look and focus behaviour, coloured as its
// disabled flag says; setting the visible and disabled flags is left to the
// caller. Components have no widget: nullptr.
QWidget* CreateControlWidget(const ControlDefinition& control, QWidget& parent);

}  // namespace frame
