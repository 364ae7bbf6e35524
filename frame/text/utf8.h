// UTF-8 one character at a time, for the edges that meet UTF-16.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace frame {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Appends the UTF-8 bytes of `c`.
void AppendUtf8(std::string& out, char32_t c);

// Decodes the character at `at` and moves past it; a malformed sequence
// yields U+FFFD for its first byte.
char32_t NextUtf8(std::string_view utf8, size_t& at);

}  // namespace frame
