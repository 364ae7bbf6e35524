// UTF-16 code units, for the edges that meet them (the ODBC wide API, the
// window systems).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "frame/text/utf8.h"

namespace frame {

using Utf16Text = std::basic_string<uint16_t>;

// Appends the one or two units of `c`.
void AppendUtf16(Utf16Text& out, char32_t c);

// Decodes the code point at `at` and moves past it; an unpaired surrogate
// yields U+FFFD. Inline: the code page's conversion calls it for every
// character beyond ASCII.
inline char32_t NextUtf16(const uint16_t* units, size_t count, size_t& at) {
  char32_t c = units[at++];
  if (c < 0xD800 || c > 0xDFFF) return c;
  if (c <= 0xDBFF && at < count && units[at] >= 0xDC00 && units[at] <= 0xDFFF) {
    return 0x10000 + ((c - 0xD800) << 10) + (units[at++] - 0xDC00);
  }
  return kReplacementCharacter;
}

// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf8FromUtf16(const uint16_t* units, size_t count);

}  // namespace frame
