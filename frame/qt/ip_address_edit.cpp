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

int IpAddressEdit::IndexOf(QObject* field) const {
  auto it = std::find(fields_.begin(), fields_.end(), field);
  return it == fields_.end() ? -1 : static_cast<int>(it - fields_.begin());
}

bool IpAddressEdit::eventFilter(QObject* watched, QEvent* event) {
  int index = IndexOf(watched);
  if (index < 0 || event->type() != QEvent::KeyPress) return QFrame::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const QLineEdit* field = fields_[static_cast<size_t>(index)];
  // A dot moves on to the next field; Backspace in an empty field goes back.
  if (key->text() == QStringLiteral(".") && !field->text().isEmpty() && !field->hasSelectedText()) {
    if (index + 1 < static_cast<int>(fields_.size())) FocusField(index + 1);
    return true;
  }
  if (key->key() == Qt::Key_Backspace && field->text().isEmpty() && index > 0) {
    FocusField(index - 1);
    return true;
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace frame
