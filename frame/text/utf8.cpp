#include "frame/text/utf8.h"

namespace frame {

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

char32_t NextUtf8(std::string_view utf8, size_t& at) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(utf8[k]); };
  unsigned char lead = byte(at);
  size_t length = lead < 0x80           ? 1
                  : (lead >> 5) == 0x6  ? 2
                  : (lead >> 4) == 0xE  ? 3
                  : (lead >> 3) == 0x1E ? 4
                                        : 0;
  if (length == 0 || at + length > utf8.size()) {
    ++at;
    return kReplacementCharacter;
  }
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    if ((byte(at + k) & 0xC0) != 0x80) {
      ++at;
      return kReplacementCharacter;
    }
    c = (c << 6) | (byte(at + k) & 0x3F);
  }
  at += length;
  return c;
}

}  // namespace frame
