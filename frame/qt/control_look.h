// How the frame's windows look under Qt: one style and default font for the
// whole application, and the colours and fonts that definitions give controls.
#pragma once

#include <QFont>
#include <optional>

#include "frame/window_model.h"

class QApplication;
class QWidget;

namespace frame {

// Fusion (the same look on every desktop) with '*' as the password mask, and
// a 12-pixel CJK font, the size of the Windows default that the definitions'
// rectangles were laid out for.
void InstallFrameLook(QApplication& application);

QFont DefaultFont();
// The definition's Windows font where installed, else the CJK fallback.
QFont DefinitionFont(const FontSpec& requested);

// Text and background colours of a label, edit box or rich edit. A disabled
// control keeps the background but greys its text, as Windows does.
void ApplyColors(QWidget& widget, ControlKind kind, std::optional<Color> text,
                 std::optional<Color> background);

}  // namespace frame
