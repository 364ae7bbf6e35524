#include "frame/qt/ip_address_edit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

#include "frame/window/ip_address_rules.h"

namespace frame {
namespace {

// A field takes what the address rules let it hold.
class FieldValidator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return HeldIpField(input.toStdString()) ? Acceptable : Invalid;
  }
};

std::optional<QString> HeldField(const QString& text) {
  std::optional<std::string> held = HeldIpField(text.toStdString());
  if (!held) return std::nullopt;
  return QString::fromStdString(*held);
}

}  // namespace

IpAddressEdit::IpAddressEdit(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(1, 0, 1, 0);
  layout->setSpacing(0);
  auto* digits = new FieldValidator(this);
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
      QString held = HeldField(text).value_or(QString());
      if (held != text) field->setText(held);
      if (IsIpFieldFull(held.toStdString()) && i + 1 < fields_.size()) {
        FocusField(static_cast<int>(i) + 1);
      }
    });
    layout->addWidget(field, 1);
    fields_[i] = field;
  }
  setFocusProxy(fields_[0]);
}

QString IpAddressEdit::Address() const {
  IpAddress address;
  for (size_t i = 0; i < fields_.size(); ++i)
    address[i] = IpFieldValue(fields_[i]->text().toStdString());
  return QString::fromStdString(FormatIpAddress(address));
}

void IpAddressEdit::SetAddress(const QString& dotted) {
  IpAddress address = ParseIpAddress(dotted.toStdString());
  for (size_t i = 0; i < fields_.size(); ++i)
    fields_[i]->setText(address[i] ? QString::number(*address[i]) : QString());
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
  if (key->text() == QStringLiteral(".") && !field->hasSelectedText() &&
      IpFieldKeyOf(field->text().toStdString(), u'.') == IpFieldKey::kMoveOn) {
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
