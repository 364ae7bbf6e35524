#include "frame/settings/ini_encoding.h"

#include <cstdint>

#include "frame/text/gbk.h"
#include "frame/text/utf16.h"

namespace frame {
namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

// Units are little-endian on disk whatever the machine's order.
Text GbkFromUtf16Le(std::string_view bytes) {
  Utf16Text units(bytes.size() / 2, 0);
  for (size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<uint16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  Text out = GbkFromUtf16(units.data(), units.size());
  if (bytes.size() % 2 != 0) AppendGbk(out, kReplacementCharacter);  // half a unit at the end
  return out;
}

std::string Utf16LeFromGbk(std::string_view text) {
  std::string out;
  for (uint16_t unit : Utf16FromGbk(text)) {
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
  }
  return out;
}

}  // namespace

IniText DecodeIni(std::string bytes) {
  if (!bytes.starts_with(kUtf16LeMark)) return IniText{IniEncoding::kGbk, std::move(bytes)};
  return IniText{IniEncoding::kUtf16Le,
                 GbkFromUtf16Le(std::string_view(bytes).substr(kUtf16LeMark.size()))};
}

std::string EncodeIni(std::string_view text, IniEncoding encoding) {
  if (encoding == IniEncoding::kGbk) return std::string(text);
  return std::string(kUtf16LeMark) + Utf16LeFromGbk(text);
}

}  // namespace frame
