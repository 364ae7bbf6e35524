#include "frame/qt/control_content.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include "frame/qt/ip_address_edit.h"
#include "frame/window/combo_rules.h"

namespace frame {
namespace {

// The caret at the end with nothing selected, scrolled into view.
void ShowEnd(QPlainTextEdit& edit) {
  QTextCursor cursor = edit.textCursor();
  cursor.movePosition(QTextCursor::End);
  edit.setTextCursor(cursor);
  edit.ensureCursorVisible();
}

}  // namespace

QString WidgetText(const QWidget& widget) {
  if (auto* line = qobject_cast<const QLineEdit*>(&widget)) return line->text();
  if (auto* plain = qobject_cast<const QPlainTextEdit*>(&widget)) return plain->toPlainText();
  if (auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
  if (auto* combo = qobject_cast<const QComboBox*>(&widget)) {
    if (combo->isEditable()) return combo->currentText();
    return combo->currentIndex() >= 0 ? combo->itemText(combo->currentIndex()) : QString();
  }
  if (auto* address = dynamic_cast<const IpAddressEdit*>(&widget)) return address->Address();
  return {};
}

void SetWidgetText(QWidget& widget, const QString& text) {
  if (auto* line = qobject_cast<QLineEdit*>(&widget)) {
    line->setText(text);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(&widget)) {
    // A text that only adds to the end (a log written back whole) keeps its
    // newest line in view; any other text shows from its start.
    const QString old = plain->toPlainText();
    const bool extends = !old.isEmpty() && text.size() > old.size() && text.startsWith(old);
    plain->setPlainText(text);
    if (extends) ShowEnd(*plain);
  } else if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
    button->setText(text);
  } else if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
    if (combo->isEditable()) combo->setEditText(text);
  }
}

void AppendWidgetText(QWidget& widget, const QString& text) {
  if (auto* line = qobject_cast<QLineEdit*>(&widget)) {
    line->end(false);
    line->insert(text);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(&widget)) {
    QTextCursor cursor = plain->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    ShowEnd(*plain);
  }
}

void SetRadioChecked(QRadioButton& radio, bool checked) {
  bool exclusive = radio.autoExclusive();
  radio.setAutoExclusive(false);
  radio.setChecked(checked);
  radio.setAutoExclusive(exclusive);
}

void SelectComboIndex(QComboBox& combo, int32_t index) {
  int32_t selected = SelectionAfterWrite(index, static_cast<int32_t>(combo.count()));
  combo.setCurrentIndex(selected);
  if (combo.isEditable()) combo.setEditText(selected >= 0 ? combo.itemText(selected) : QString());
}

int32_t AddComboItem(QComboBox& combo, const QString& text, int32_t data) {
  // Qt selects the first item added to an empty list; the frame's lists do not.
  int selected = combo.currentIndex();
  QString shown = combo.currentText();
  combo.addItem(text, data);
  if (combo.currentIndex() != selected) {
    combo.setCurrentIndex(selected);
    if (combo.isEditable()) combo.setEditText(shown);
  }
  return static_cast<int32_t>(combo.count()) - 1;
}

void ClearComboItems(QComboBox& combo) {
  combo.clear();
  if (combo.isEditable()) combo.setEditText(QString());
}

}  // namespace frame
