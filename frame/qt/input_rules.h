// The rules an edit box holds arriving text to, whatever way it arrives:
// typed, pasted, dropped or committed by an input method. Texts that handlers
// write are not held to them, as on the programs' home platform.
#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "frame/window_model.h"

class QInputMethodEvent;
class QKeyEvent;

namespace frame {

struct InputRules {
  bool single_line = true;
  bool numeric = false;  // digits and '-' only
  int max_length = 0;    // characters; 0 = no limit

  static InputRules Of(const ControlDefinition& control);

  // What of `arriving` the box takes while it keeps `kept` characters: in a
  // single-line box the text before its first line break, in a numeric box
  // its digits and minus signs, and no more characters than the maximum
  // length leaves room for.
  QString Accept(const QString& arriving, qsizetype kept) const;
};

// The text a key press types, or nullopt for keys that type nothing (moving,
// deleting, Enter, Tab, shortcuts).
std::optional<QString> TypedText(const QKeyEvent& event);

// The input method's event with its commit held to the rules, or nullptr
// when the rules leave it as it is.
std::unique_ptr<QInputMethodEvent> HeldCommit(const QInputMethodEvent& event,
                                              const InputRules& rules, qsizetype kept);

// Characters, not UTF-16 units: a character beyond the BMP counts once.
qsizetype CharacterCount(const QString& text);

}  // namespace frame
