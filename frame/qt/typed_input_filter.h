// Holds what the operator types into an edit box to the box's rules: only
// digits and '-' in a numeric box, and no more characters than its maximum
// length. Texts that handlers write are not held to them, as on Windows.
#pragma once

#include <QObject>
#include <QString>

#include "frame/window_model.h"

class QWidget;

namespace frame {

class TypedInputFilter final : public QObject {
 public:
  TypedInputFilter(bool numeric, int max_length, QObject* parent);

  bool eventFilter(QObject* watched, QEvent* event) override;

  // What of `typed` the box takes while it keeps `kept` characters.
  QString Accept(const QString& typed, qsizetype kept) const;

 private:
  bool numeric_;
  int max_length_;
};

// Installs the filter on a QLineEdit or QPlainTextEdit when the definition
// asks for either rule.
void InstallTypedInputFilter(QWidget& edit, const ControlDefinition& control);

// Characters, not UTF-16 units: a character beyond the BMP counts once.
qsizetype CharacterCount(const QString& text);

}  // namespace frame
