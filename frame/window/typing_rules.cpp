#include "frame/window/typing_rules.h"

#include <algorithm>

namespace frame {
namespace {

bool IsLineBreak(char16_t c) {
  return c == u'\r' || c == u'\n';
}

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

TypingRules TypingRules::Of(const ControlDefinition& control) {
  return TypingRules{
      .single_line = control.kind != ControlKind::kRichEdit && !control.multi_line,
      .numeric = control.input_mode == InputMode::kNumeric,
      .max_length = control.max_length,
  };
}

bool TypingRules::Takes(char16_t c) const {
  if (IsLineBreak(c)) return !single_line;
  return !numeric || c == u'-' || (c >= u'0' && c <= u'9');
}

std::u16string TypingRules::CutToRoom(std::u16string_view text, size_t kept) const {
  std::u16string accepted;
  size_t limit = static_cast<size_t>(std::max<int32_t>(0, max_length));
  size_t room = max_length > 0 ? (kept < limit ? limit - kept : 0) : text.size();
  for (size_t i = 0; i < text.size() && room > 0; ++i) {
    char16_t c = text[i];
    if (IsLowSurrogate(c)) continue;  // taken with its high half
    --room;
    accepted += c;
    if (IsHighSurrogate(c) && i + 1 < text.size()) accepted += text[i + 1];
  }
  return accepted;
}

std::u16string TypingRules::AcceptTyped(std::u16string_view typed, size_t kept) const {
  std::u16string taken;
  for (char16_t c : typed) {
    if (Takes(c)) taken += c;
  }
  return CutToRoom(taken, kept);
}

std::optional<std::u16string> TypingRules::AcceptInserted(std::u16string_view arriving,
                                                          size_t kept) const {
  std::u16string_view text = arriving;
  if (single_line)
    text = text.substr(0, std::find_if(text.begin(), text.end(), IsLineBreak) - text.begin());
  if (!std::all_of(text.begin(), text.end(), [&](char16_t c) { return Takes(c); })) {
    return std::nullopt;
  }
  return CutToRoom(text, kept);
}

bool TakesTyping(const ControlDefinition& control) {
  switch (control.kind) {
    case ControlKind::kEditBox:
      return control.input_mode != InputMode::kReadOnly;
    case ControlKind::kRichEdit:
      return true;
    case ControlKind::kComboBox:
      return control.combo_style == ComboStyle::kDropDown;
    default:
      return false;
  }
}

size_t CharacterCount(std::u16string_view text) {
  return static_cast<size_t>(
      std::count_if(text.begin(), text.end(), [](char16_t c) { return !IsLowSurrogate(c); }));
}

}  // namespace frame
