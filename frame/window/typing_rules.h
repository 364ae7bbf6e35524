// What an edit box takes of the text arriving from the operator, however it
// arrives: keys one at a time, or a pasted, dropped or input-method text
// whole. Texts that handlers write are not held to these rules, as on the
// programs' home platform. Texts are UTF-16, as toolkits hand them over.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "frame/window/window_model.h"

namespace frame {

struct TypingRules {
  bool single_line = true;
  bool numeric = false;    // digits and '-' only
  int32_t max_length = 0;  // characters; 0 = no limit

  static TypingRules Of(const ControlDefinition& control);

  // Whether a key can type the character: a line break only into a
  // multi-line box, whatever its mode.
  bool Takes(char16_t c) const;

  // What keys type of `typed` while the box keeps `kept` characters: the
  // characters it takes, no more than the maximum length leaves room for.
  std::u16string AcceptTyped(std::u16string_view typed, size_t kept) const;

  // What the box takes of an inserted text while it keeps `kept`
  // characters: in a single-line box the text before its first line break,
  // cut to the room left; nullopt when a character of that text is one a key
  // could not type, so that the digits of "12.5" are never joined into
  // another number.
  std::optional<std::u16string> AcceptInserted(std::u16string_view arriving, size_t kept) const;

 private:
  std::u16string CutToRoom(std::u16string_view text, size_t kept) const;
};

// Whether the operator can type into the control at all: edit boxes that
// are not read-only, rich edits, and combo boxes with a text field.
bool TakesTyping(const ControlDefinition& control);

// Characters, not UTF-16 units: a character beyond the BMP counts once.
size_t CharacterCount(std::u16string_view text);

}  // namespace frame
