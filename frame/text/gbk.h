// The frame's texts and their conversions to and from Unicode.
//
// Texts inside the frame and the handlers are byte strings in the Chinese
// code page. Conversions happen only at the edges (window systems, database
// components, settings files, file names), all through the one mapping
// here: code page 936's own bytes, as Windows converts them, for every
// character that code page has, and GB18030's four-byte codes for every
// other character, so that each code point converts to bytes that convert
// back to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace frame {

// A text in the Chinese code page.
using Text = std::string;

// UTF-8 to the code page. Invalid UTF-8 sequences become '?'.
Text Gbk(std::string_view utf8);

// The code page to UTF-8. Bytes that form no character become U+FFFD.
std::string Utf8(std::string_view gbk);

// Appends the bytes of the code point `c`; a surrogate or a value beyond
// U+10FFFF, which no text holds, becomes '?'.
void AppendGbk(Text& out, char32_t c);

// Appends the bytes of UTF-16 code units; an unpaired surrogate becomes
// U+FFFD. For the edges that meet UTF-16, a whole text at a time.
void AppendGbkFromUtf16(Text& out, const uint16_t* units, size_t count);
Text GbkFromUtf16(const uint16_t* units, size_t count);

// The code page to UTF-16 code units; bytes that form no character become
// U+FFFD.
std::basic_string<uint16_t> Utf16FromGbk(std::string_view gbk);

// False where the system lacks GB18030, so that only code page 936 converts.
bool HasFourByteCodes();

// Decodes the character at `at` and moves past it. A byte that starts no
// character yields U+FFFD and is passed alone, so that the bytes after it
// are read again; a four-byte code that names no character yields U+FFFD
// for all four.
char32_t NextGbk(std::string_view gbk, size_t& at);

// True when the byte starts a two-byte GBK character. 0x80 stands alone
// (the euro sign in code page 936), and 0xFF is no character at all.
constexpr bool IsGbkLeadByte(unsigned char byte) {
  return byte >= 0x81 && byte <= 0xFE;
}

// Bytes of the character at `at` (1, 2 or 4), as NextGbk steps. A lead byte
// without a valid trail counts alone, so that it cannot hide a following
// '=' or ']'.
size_t GbkCharacterSize(std::string_view gbk, size_t at);

// Names (of columns, sections, keys) match with ASCII case ignored. The
// bytes of a two- or four-byte character compare whole: a trail byte may
// look like an ASCII letter.
bool EqualGbkIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace frame
