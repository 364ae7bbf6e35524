// The typing rules at Qt's edge: what a key press types, and an input
// method's commit held to the rules.
#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "frame/window/typing_rules.h"

class QInputMethodEvent;
class QKeyEvent;

namespace frame {

// The frame's typing rules over Qt's texts.
struct InputRules {
  TypingRules rules;

  static InputRules Of(const ControlDefinition& control) { return {TypingRules::Of(control)}; }

  QString AcceptTyped(const QString& typed, qsizetype kept) const;
  std::optional<QString> AcceptInserted(const QString& arriving, qsizetype kept) const;
  // What a box types instead of what the key would, when the rules change
  // it (possibly nothing); nullopt when the box handles the key as usual.
  std::optional<QString> HeldKey(const QKeyEvent& event, qsizetype kept) const;
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
