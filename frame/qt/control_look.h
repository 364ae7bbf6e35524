// How the frame's windows look under Qt: one style and default font for the
// whole application, and the colours and fonts that definitions give controls.
#pragma once

#include <QFont>
#include <optional>

#include "frame/window/window_model.h"

class QApplication;
class QWidget;

namespace frame {

// Fusion (the same look on every desktop) with '*' as the password mask and
// lists that open below their box, and a 12-pixel CJK font, the size of the
// Windows default that the definitions' rectangles were laid out for.
void InstallFrameLook(QApplication& application);

QFont DefaultFont();
// The definition's Windows font where installed, else the CJK fallback.
QFont DefinitionFont(const FontSpec& requested);

// The colours of a control: the definition's text and background colours,
// the platform's grey background for a read-only edit box, and grey text
// only while the control's own disabled flag is set. Inside a disabled panel
// a control keeps its look and only stops taking input, as a child window of
// a disabled window does on the programs' home platform.
void ApplyPalette(QWidget& widget, const ControlDefinition& control, bool disabled);

}  // namespace frame
