// The rules an edit box holds arriving text to, whatever way it arrives:
// typed, pasted, dropped or committed by an input method. Texts that handlers
// write are not held to them, as on the programs' home platform.
#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "frame/window/window_model.h"

class QInputMethodEvent;
class QKeyEvent;

namespace frame {

struct InputRules {
  bool single_line = true;
  bool numeric = false;  // digits and '-' only
  int max_length = 0;    // characters; 0 = no limit

  static InputRules Of(const ControlDefinition& control);

  // What a key press types of `typed` while the box keeps `kept` characters:
  // the characters it takes (in a numeric box digits and minus signs), no
  // more than the maximum length leaves room for.
  QString AcceptTyped(const QString& typed, qsizetype kept) const;

  // What the box takes of a pasted, dropped or input-method text while it
  // keeps `kept` characters: in a single-line box the text before its first
  // line break, cut to the room the maximum length leaves; nullopt when a
  // character of that text is one a key could not type, so that the digits
  // of "12.5" are never joined into another number.
  std::optional<QString> AcceptInserted(const QString& arriving, qsizetype kept) const;

 private:
  bool Takes(QChar c) const;
  QString CutToRoom(QStringView text, qsizetype kept) const;
};

// The text a key press types, or nullopt for keys that type nothing (moving,
// deleting, Enter, Tab, shortcuts).
std::optional<QString> TypedText(const QKeyEvent& event);

// The input method's event with its commit held to the rules, or nullptr
// when the rules leave it as it is. A refused commit is dropped with the
// refusal sound.
std::unique_ptr<QInputMethodEvent> HeldCommit(const QInputMethodEvent& event,
                                              const InputRules& rules, qsizetype kept);

// Tells the operator that a box refused what arrived: the platform's beep,
// or what a test put in its place (UI thread; nullptr restores the beep).
void SoundRefusal();
void SetRefusalSound(void (*sound)());

// Characters, not UTF-16 units: a character beyond the BMP counts once.
qsizetype CharacterCount(const QString& text);

}  // namespace frame
