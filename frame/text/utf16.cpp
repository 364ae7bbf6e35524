#include "frame/text/utf16.h"

namespace frame {

void AppendUtf16(Utf16Text& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<uint16_t>(c);
  } else {
    c -= 0x10000;
    out += static_cast<uint16_t>(0xD800 | (c >> 10));
    out += static_cast<uint16_t>(0xDC00 | (c & 0x3FF));
  }
}

std::string Utf8FromUtf16(const uint16_t* units, size_t count) {
  std::string utf8;
  for (size_t at = 0; at < count;)
    AppendUtf8(utf8, NextUtf16(units, count, at));
  return utf8;
}

}  // namespace frame
