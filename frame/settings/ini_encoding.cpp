#include "frame/settings/ini_encoding.h"

#include <cstdint>

#include "frame/text/utf8.h"

namespace frame {
namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

void AppendUtf16Le(std::string& out, char32_t c) {
  auto unit = [&out](char32_t u) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  };
  if (c < 0x10000) {
    unit(c);
  } else {
    unit(0xD800 + ((c - 0x10000) >> 10));
    unit(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
}

bool IsHighSurrogate(char32_t u) {
  return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char32_t u) {
  return u >= 0xDC00 && u <= 0xDFFF;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
  std::string out;
  auto unit_at = [&bytes](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                 static_cast<unsigned char>(bytes[i + 1]) << 8);
  };
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    const char32_t unit = unit_at(i);
    if (IsHighSurrogate(unit) && i + 3 < bytes.size() && IsLowSurrogate(unit_at(i + 2))) {
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (unit_at(i + 2) - 0xDC00));
      i += 2;
    } else {
      AppendUtf8(out, IsHighSurrogate(unit) || IsLowSurrogate(unit) ? kReplacementCharacter : unit);
    }
  }
  if (i < bytes.size()) AppendUtf8(out, kReplacementCharacter);  // half a unit at the end
  return out;
}

// `utf8` is well formed: it comes from the GBK conversion.
std::string Utf8ToUtf16Le(std::string_view utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t size = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = size == 1 ? lead : lead & (0x7F >> size);
    for (std::size_t k = 1; k < size && i + k < utf8.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    AppendUtf16Le(out, c);
    i += size;
  }
  return out;
}

}  // namespace

IniText DecodeIni(std::string bytes) {
  if (!bytes.starts_with(kUtf16LeMark)) return IniText{IniEncoding::kGbk, std::move(bytes)};
  return IniText{IniEncoding::kUtf16Le,
                 Gbk(Utf16LeToUtf8(std::string_view(bytes).substr(kUtf16LeMark.size())))};
}

std::string EncodeIni(std::string_view text, IniEncoding encoding) {
  if (encoding == IniEncoding::kGbk) return std::string(text);
  return std::string(kUtf16LeMark) + Utf8ToUtf16Le(Utf8(text));
}

}  // namespace frame
