#include "frame/qt/ip_address_edit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace frame {
namespace {

constexpr int kMaxFieldValue = 255;

QString ClampedField(const QString& text) {
  if (text.isEmpty()) return text;
  return text.toInt() > kMaxFieldValue ? QString::number(kMaxFieldValue) : text;
}

}  // namespace

IpAddressEdit::IpAddressEdit(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(1, 0, 1, 0);
  layout->setSpacing(0);
  auto* digits =
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this);
  for (size_t i = 0; i < fields_.size(); ++i) {
    if (i > 0) {
      auto* dot = new QLabel(QStringLiteral("."), this);
      dot->setBackgroundRole(QPalette::Base);
      layout->addWidget(dot);
    }
    auto* field = new QLineEdit(this);
    field->setFrame(false);
    field->setAlignment(Qt::AlignCenter);
    field->setValidator(digits);
    field->installEventFilter(this);
    // The box is one tab stop: Tab enters it at its first field.
    if (i > 0) field->setFocusPolicy(Qt::ClickFocus);
    connect(field, &QLineEdit::textEdited, this, [this, field, i](const QString& text) {
      QString clamped = ClampedField(text);
      if (clamped != text) field->setText(clamped);
      if (clamped.size() == 3 && i + 1 < fields_.size()) FocusField(static_cast<int>(i) + 1);
    });
    layout->addWidget(field, 1);
    fields_[i] = field;
  }
  setFocusProxy(fields_[0]);
}

QString IpAddressEdit::Address() const {
  bool blank = std::all_of(fields_.begin(), fields_.end(),
                           [](const QLineEdit* field) { return field->text().isEmpty(); });
  if (blank) return {};
  return QString::asprintf("%d.%d.%d.%d", fields_[0]->text().toInt(), fields_[1]->text().toInt(),
                           fields_[2]->text().toInt(), fields_[3]->text().toInt());
}

void IpAddressEdit::SetAddress(const QString& dotted) {
  QStringList parts = dotted.split(u'.');
  for (size_t i = 0; i < fields_.size(); ++i) {
    QString part = i < static_cast<size_t>(parts.size()) ? parts[static_cast<qsizetype>(i)] : "";
    int position = 0;
    bool usable = part.size() <= 3 &&
                  fields_[i]->validator()->validate(part, position) == QValidator::Acceptable;
    fields_[i]->setText(usable ? ClampedField(part) : QString());
  }
}

void IpAddressEdit::FocusField(int index) {
  fields_[static_cast<size_t>(index)]->setFocus(Qt::TabFocusReason);
  fields_[static_cast<size_t>(index)]->selectAll();
}

void IpAddressEdit::MoveIntoField(int index, bool at_end) {
  QLineEdit* field = fields_[static_cast<size_t>(index)];
  field->setFocus(Qt::OtherFocusReason);
  field->setCursorPosition(at_end ? static_cast<int>(field->text().size()) : 0);
}

int IpAddressEdit::IndexOf(QObject* field) const {
  auto it = std::find(fields_.begin(), fields_.end(), field);
  return it == fields_.end() ? -1 : static_cast<int>(it - fields_.begin());
}

bool IpAddressEdit::eventFilter(QObject* watched, QEvent* event) {
  int index = IndexOf(watched);
  if (index < 0 || event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const QLineEdit* field = fields_[static_cast<size_t>(index)];
  const bool has_next = index + 1 < static_cast<int>(fields_.size());
  const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  // Shift+Tab leaves the box from any field, as Tab does.
  bool backtab = key->key() == Qt::Key_Backtab ||
                 (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
  if (backtab && index > 0) {
    fields_[0]->setFocus(Qt::BacktabFocusReason);
    focusNextPrevChild(false);
    return true;
  }
  // A dot moves on to the next field; Backspace in an empty field goes back.
  if (key->text() == QStringLiteral(".") && !field->text().isEmpty() && !field->hasSelectedText()) {
    if (has_next) FocusField(index + 1);
    return true;
  }
  if (key->key() == Qt::Key_Backspace && field->text().isEmpty() && index > 0) {
    FocusField(index - 1);
    return true;
  }
  // The arrow keys cross from the end of one field into the next.
  bool at_start = field->cursorPosition() == 0 && !field->hasSelectedText();
  bool at_end = field->cursorPosition() == field->text().size() && !field->hasSelectedText();
  if (plain && key->key() == Qt::Key_Right && at_end && has_next) {
    MoveIntoField(index + 1, false);
    return true;
  }
  if (plain && key->key() == Qt::Key_Left && at_start && index > 0) {
    MoveIntoField(index - 1, true);
    return true;
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace frame
