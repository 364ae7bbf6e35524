// ASCII case folding for names and keys. Bytes of 0x80 and above never fold,
// so a character beyond ASCII is compared as it stands.
#pragma once

#include <algorithm>
#include <string_view>

namespace frame {

constexpr char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Byte by byte: right for ASCII and UTF-8; a GBK text, whose trail bytes can
// look like ASCII letters, needs EqualGbkIgnoringAsciiCase (gbk.h).
constexpr bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiLower(x) == AsciiLower(y);
         });
}

}  // namespace frame
