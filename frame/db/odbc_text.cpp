#include "frame/db/odbc_text.h"

#include <cstdint>

namespace frame {
namespace {

static_assert(sizeof(SQLWCHAR) == 2, "ODBC wide texts are UTF-16 here");

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(WideText& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<SQLWCHAR>(c);
  } else {
    c -= 0x10000;
    out += static_cast<SQLWCHAR>(0xD800 | (c >> 10));
    out += static_cast<SQLWCHAR>(0xDC00 | (c & 0x3FF));
  }
}

// Decodes one character of well-formed UTF-8 (what Utf8() produces); a
// malformed sequence yields U+FFFD for its first byte.
char32_t NextUtf8(std::string_view text, size_t& i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
  if (length == 0 || i + length > text.size()) {
    ++i;
    return kReplacement;
  }
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      ++i;
      return kReplacement;
    }
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  i += length;
  return c;
}

}  // namespace

WideText WideFromGbk(std::string_view gbk) {
  std::string utf8 = Utf8(gbk);
  WideText wide;
  for (size_t i = 0; i < utf8.size();)
    AppendUtf16(wide, NextUtf8(utf8, i));
  return wide;
}

std::string Utf8FromWide(const SQLWCHAR* units, size_t count) {
  std::string utf8;
  for (size_t i = 0; i < count; ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    AppendUtf8(utf8, c);
  }
  return utf8;
}

Text GbkFromWide(const SQLWCHAR* units, size_t count) {
  return Gbk(Utf8FromWide(units, count));
}

}  // namespace frame
