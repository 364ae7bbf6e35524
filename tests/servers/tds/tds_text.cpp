#include "tests/servers/tds/tds_text.h"

#include "frame/text/gbk.h"
#include "frame/text/utf8.h"

namespace db_test::tds {
std::vector<uint8_t> Utf16FromUtf8(std::string_view utf8) {
  std::vector<uint8_t> out;
  out.reserve(utf8.size() * 2);
  auto unit = [&out](char32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
  };
  for (size_t at = 0; at < utf8.size();) {
    char32_t code = frame::NextUtf8(utf8, at);
    if (code >= 0x10000) {
      code -= 0x10000;
      unit(0xD800 | code >> 10);
      unit(0xDC00 | (code & 0x3FF));
    } else {
      unit(code);
    }
  }
  return out;
}

std::string Utf8FromUtf16(std::span<const uint8_t> utf16) {
  std::string out;
  size_t units = utf16.size() / 2;
  auto unit = [&](size_t i) -> char32_t { return utf16[2 * i] | utf16[2 * i + 1] << 8; };
  for (size_t i = 0; i < units; ++i) {
    char32_t code = unit(i);
    if (code >= 0xD800 && code < 0xDC00 && i + 1 < units && unit(i + 1) >= 0xDC00 &&
        unit(i + 1) < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10 | (unit(i + 1) - 0xDC00));
      ++i;
    } else if (code >= 0xD800 && code < 0xE000) {
      code = frame::kReplacementCharacter;
    }
    frame::AppendUtf8(out, code);
  }
  return out;
}

std::string Cp936FromUtf8(std::string_view utf8) {
  // The frame's mapping holds code page 936 as Windows converts it; only its
  // one- and two-byte codes belong to the code page.
  std::string out;
  out.reserve(utf8.size());
  std::string bytes;
  for (size_t at = 0; at < utf8.size();) {
    bytes.clear();
    frame::AppendGbk(bytes, frame::NextUtf8(utf8, at));
    out += bytes.size() <= 2 ? bytes : "?";
  }
  return out;
}

}  // namespace db_test::tds
