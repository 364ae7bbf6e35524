// What the widgets of the frame's controls hold, read and written the way
// handlers expect: none of these writes raises an event.
#pragma once

#include <QString>
#include <cstdint>

class QComboBox;
class QRadioButton;
class QWidget;

namespace frame {

// The text of an edit box or rich edit, a button's caption, a combo box's
// shown text, or an IP address box's address.
QString WidgetText(const QWidget& widget);
void SetWidgetText(QWidget& widget, const QString& text);
// Adds the text at the end with the caret there, whatever was selected.
void AppendWidgetText(QWidget& widget, const QString& text);

// A handler's write sets only this button's flag: no other button of its
// group changes, and a checked button can be unchecked.
void SetRadioChecked(QRadioButton& radio, bool checked);

// Selects as a handler's index write does (see combo_rules.h).
void SelectComboIndex(QComboBox& combo, int32_t index);
// Adds at the end of the list and leaves the selection as it was.
int32_t AddComboItem(QComboBox& combo, const QString& text, int32_t data);
void ClearComboItems(QComboBox& combo);

}  // namespace frame
