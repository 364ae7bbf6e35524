#include "frame/db/odbc/odbc_text.h"

#include <cstdint>
#include <type_traits>

#include "frame/text/utf8.h"

namespace frame {
namespace {

static_assert(std::is_same_v<SQLWCHAR, uint16_t>, "ODBC wide texts are UTF-16 here");

void AppendUtf16(WideText& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<SQLWCHAR>(c);
  } else {
    c -= 0x10000;
    out += static_cast<SQLWCHAR>(0xD800 | (c >> 10));
    out += static_cast<SQLWCHAR>(0xDC00 | (c & 0x3FF));
  }
}

// The code point at `i`, moving past it; an unpaired surrogate is U+FFFD.
char32_t NextUtf16(const SQLWCHAR* units, size_t count, size_t& i) {
  char32_t c = units[i++];
  if (c < 0xD800 || c > 0xDFFF) return c;
  if (c <= 0xDBFF && i < count && units[i] >= 0xDC00 && units[i] <= 0xDFFF) {
    return 0x10000 + ((c - 0xD800) << 10) + (units[i++] - 0xDC00);
  }
  return kReplacementCharacter;
}

}  // namespace

WideText WideFromGbk(std::string_view gbk) {
  WideText wide;
  wide.reserve(gbk.size());
  for (size_t i = 0; i < gbk.size();)
    AppendUtf16(wide, NextGbk(gbk, i));
  return wide;
}

std::string Utf8FromWide(const SQLWCHAR* units, size_t count) {
  std::string utf8;
  for (size_t i = 0; i < count;)
    AppendUtf8(utf8, NextUtf16(units, count, i));
  return utf8;
}

Text GbkFromWide(const SQLWCHAR* units, size_t count) {
  Text text;
  AppendGbkFromWide(units, count, text);
  return text;
}

void AppendGbkFromWide(const SQLWCHAR* units, size_t count, std::string& out) {
  AppendGbkFromUtf16(out, units, count);
}

}  // namespace frame
