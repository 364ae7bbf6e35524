#include "frame/text/gbk.h"

#include <cstdint>
#include <vector>

#include "frame/text/ascii.h"
#include "frame/text/system_code_pages.h"
#include "frame/text/utf16.h"
#include "frame/text/utf8.h"

namespace frame {
namespace {

constexpr char32_t kEuroSign = 0x20AC;
constexpr unsigned char kEuroByte = 0x80;  // code page 936's one byte beyond ASCII

// Two-byte codes: a lead byte 0x81-0xFE and a trail byte 0x40-0x7E or 0x80-0xFE.
constexpr int kTrailCount = 190;
constexpr int kTwoByteCount = 126 * kTrailCount;

// Four-byte codes 0x81308130-0x8431A439 stand for characters of the Basic
// Multilingual Plane in order, 0x90308130-0xE3329A35 for U+10000-U+10FFFF.
constexpr uint32_t kBmpFourByteCount = 39420;
constexpr uint32_t kSupplementaryStart = 189000;
constexpr uint32_t kSupplementaryEnd = kSupplementaryStart + 0x100000;

int TrailIndex(unsigned char trail) {
  if (trail >= 0x40 && trail <= 0x7E) return trail - 0x40;
  if (trail >= 0x80 && trail <= 0xFE) return trail - 0x41;
  return -1;
}

uint32_t TwoByteCode(int index) {
  int trail = index % kTrailCount;
  return static_cast<uint32_t>(0x81 + index / kTrailCount) << 8 |
         static_cast<uint32_t>(trail < 0x3F ? trail + 0x40 : trail + 0x41);
}

uint32_t FourByteCode(uint32_t linear) {
  return (0x81 + linear / 12600) << 24 | (0x30 + linear / 1260 % 10) << 16 |
         (0x81 + linear / 10 % 126) << 8 | (0x30 + linear % 10);
}

bool IsSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}

// The positions that GBK leaves to its users, which every edition of the
// code page gives the private-use code points U+E000-U+E765.
bool IsUserDefined(unsigned char lead, unsigned char trail) {
  return (lead >= 0xAA && lead <= 0xAF && trail >= 0xA1) || (lead >= 0xF8 && trail >= 0xA1) ||
         (lead >= 0xA1 && lead <= 0xA7 && trail <= 0xA0);
}

// Characters that GB18030 editions after the first moved onto two-byte
// codes that code page 936 gives to private-use code points. They keep the
// four-byte codes of the first edition.
bool MovedOntoTwoBytes(char32_t c) {
  return c > 0xFFFF || c == 0x1E3F || (c >= 0xFE10 && c <= 0xFE19) || (c >= 0x9FB4 && c <= 0x9FBB);
}

// The mapping, built once per process from the system's code page 936 (the
// characters that it names) and GB18030 (the characters GB18030 adds at the
// code page's other positions, which fix the order of the four-byte codes),
// and made to agree with Windows: every two-byte position that GBK leaves
// empty holds a private-use code point, those outside the user-defined areas
// U+E766 onwards in byte order. Without the system's GB18030 there are no
// four-byte codes.
class CodePage {
 public:
  static const CodePage& Instance() {
    static const CodePage code_page;
    return code_page;
  }

  bool has_four_byte_codes() const { return four_byte_codes_; }

  void Append(Text& out, char32_t c) const {
    char bytes[4];
    out.append(bytes, Write(c, bytes));
  }

  void AppendUtf16(Text& out, const uint16_t* units, size_t count) const {
    size_t used = out.size();
    out.resize(used + count * 4);  // no unit takes more
    for (size_t i = 0; i < count;) {
      if (units[i] < 0x80) {
        out[used++] = static_cast<char>(units[i++]);
        continue;
      }
      used += Write(NextUtf16(units, count, i), out.data() + used);
    }
    out.resize(used);
  }

  char32_t Next(std::string_view text, size_t& at) const {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[at + k]); };
    const size_t left = text.size() - at;
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
      ++at;
      return lead;
    }
    if (lead == kEuroByte) {
      ++at;
      return kEuroSign;
    }
    if (IsGbkLeadByte(lead) && left >= 2) {
      int trail = TrailIndex(byte(1));
      if (trail >= 0) {
        at += 2;
        return two_byte_[(lead - 0x81) * kTrailCount + trail];
      }
      if (left >= 4 && IsDigit(byte(1)) && IsGbkLeadByte(byte(2)) && IsDigit(byte(3))) {
        uint32_t linear =
            (((lead - 0x81u) * 10 + (byte(1) - 0x30u)) * 126 + (byte(2) - 0x81u)) * 10 +
            (byte(3) - 0x30u);
        at += 4;
        if (!four_byte_codes_) return kReplacementCharacter;
        if (linear < kBmpFourByteCount) return four_byte_[linear];
        if (linear >= kSupplementaryStart && linear < kSupplementaryEnd) {
          return 0x10000 + (linear - kSupplementaryStart);
        }
        return kReplacementCharacter;
      }
    }
    ++at;
    return kReplacementCharacter;
  }

 private:
  CodePage()
      : four_byte_codes_(SystemHasCodePage(SystemCodePage::kGb18030)),
        encoded_(0x10000),
        two_byte_(kTwoByteCount),
        four_byte_(kBmpFourByteCount) {
    // What the first GB18030 edition holds at each position: it decides which
    // characters have four-byte codes, and in what order.
    std::vector<char16_t> first_edition(kTwoByteCount);
    std::vector<bool> two_byte_in_first_edition(0x10000);
    char32_t next_private = 0xE766;
    for (int index = 0; index < kTwoByteCount; ++index) {
      uint32_t code = TwoByteCode(index);
      const char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code)};
      char32_t named = SystemDecode(SystemCodePage::k936, bytes, 2);
      char32_t added = SystemDecode(SystemCodePage::kGb18030, bytes, 2);
      if (named == 0) {
        named = IsUserDefined(code >> 8, code & 0xFF) ? added : next_private++;
      }
      if (named == 0 || named > 0xFFFF) named = kReplacementCharacter;
      two_byte_[index] = static_cast<char16_t>(named);
      if (added == 0 || MovedOntoTwoBytes(added)) added = named;
      first_edition[index] = static_cast<char16_t>(added);
      two_byte_in_first_edition[added] = true;
    }
    std::vector<uint32_t> linear_of(0x10000, kBmpFourByteCount);
    uint32_t linear = four_byte_codes_ ? 0 : kBmpFourByteCount;
    for (char32_t c = 0x80; c <= 0xFFFF && linear < kBmpFourByteCount; ++c) {
      if (IsSurrogate(c) || two_byte_in_first_edition[c]) continue;
      four_byte_[linear] = static_cast<char16_t>(c);
      encoded_[c] = FourByteCode(linear);
      linear_of[c] = linear++;
    }
    for (int index = 0; index < kTwoByteCount; ++index)
      encoded_[two_byte_[index]] = TwoByteCode(index);
    // Where code page 936 keeps a private-use code point in place of what
    // GB18030 put there, that character takes the private one's four-byte
    // code, so that it too has bytes of its own.
    for (int index = 0; index < kTwoByteCount; ++index) {
      char32_t own = two_byte_[index];
      char32_t displaced = first_edition[index];
      if (own == displaced || linear_of[own] == kBmpFourByteCount) continue;
      four_byte_[linear_of[own]] = static_cast<char16_t>(displaced);
      encoded_[displaced] = FourByteCode(linear_of[own]);
    }
    encoded_[kEuroSign] = kEuroByte;
  }

  static bool IsDigit(unsigned char byte) { return byte >= 0x30 && byte <= 0x39; }

  // Writes the bytes of `c` and gives their number.
  size_t Write(char32_t c, char* out) const {
    uint32_t code;
    if (c < 0x80) {
      code = c;
    } else if (c <= 0xFFFF) {
      code = encoded_[c];
    } else if (c <= 0x10FFFF && four_byte_codes_) {
      code = FourByteCode(kSupplementaryStart + (c - 0x10000));
    } else {
      code = 0;
    }
    if (code == 0 && c != 0) {
      out[0] = '?';
      return 1;
    }
    if (code <= 0xFF) {
      out[0] = static_cast<char>(code);
      return 1;
    }
    if (code <= 0xFFFF) {
      out[0] = static_cast<char>(code >> 8);
      out[1] = static_cast<char>(code);
      return 2;
    }
    for (int k = 0; k < 4; ++k)
      out[k] = static_cast<char>(code >> (24 - 8 * k));
    return 4;
  }

  const bool four_byte_codes_;
  std::vector<uint32_t> encoded_;    // by BMP code point: the bytes, big-endian; 0 for none
  std::vector<char16_t> two_byte_;   // by two-byte position
  std::vector<char16_t> four_byte_;  // by four-byte BMP position
};

}  // namespace

void AppendGbk(Text& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
    return;
  }
  CodePage::Instance().Append(out, c);
}

void AppendGbkFromUtf16(Text& out, const uint16_t* units, size_t count) {
  CodePage::Instance().AppendUtf16(out, units, count);
}

Text GbkFromUtf16(const uint16_t* units, size_t count) {
  Text text;
  AppendGbkFromUtf16(text, units, count);
  return text;
}

Utf16Text Utf16FromGbk(std::string_view gbk) {
  const CodePage& code_page = CodePage::Instance();
  Utf16Text utf16;
  utf16.reserve(gbk.size());
  for (size_t at = 0; at < gbk.size();)
    AppendUtf16(utf16, code_page.Next(gbk, at));
  return utf16;
}

size_t GbkCharacterSize(std::string_view gbk, size_t at) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(gbk[at + k]); };
  if (!IsGbkLeadByte(byte(0)) || at + 1 >= gbk.size()) return 1;
  if (TrailIndex(byte(1)) >= 0) return 2;
  auto is_digit = [](unsigned char b) { return b >= '0' && b <= '9'; };
  if (at + 3 < gbk.size() && is_digit(byte(1)) && IsGbkLeadByte(byte(2)) && is_digit(byte(3))) {
    return 4;
  }
  return 1;
}

bool EqualGbkIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t at = 0; at < a.size();) {
    const size_t size = GbkCharacterSize(a, at);
    if (size > 1) {
      if (a.substr(at, size) != b.substr(at, size)) return false;
    } else if (AsciiLower(a[at]) != AsciiLower(b[at])) {
      return false;
    }
    at += size;
  }
  return true;
}

bool HasFourByteCodes() {
  return CodePage::Instance().has_four_byte_codes();
}

char32_t NextGbk(std::string_view gbk, size_t& at) {
  return CodePage::Instance().Next(gbk, at);
}

Text Gbk(std::string_view utf8) {
  Text out;
  out.reserve(utf8.size());
  for (size_t at = 0; at < utf8.size();) {
    const size_t start = at;
    char32_t c = NextUtf8(utf8, at);
    if (c == kReplacementCharacter && utf8.substr(start, at - start) != "\xEF\xBF\xBD") c = U'?';
    AppendGbk(out, c);
  }
  return out;
}

std::string Utf8(std::string_view gbk) {
  std::string out;
  out.reserve(gbk.size() * 3 / 2);
  for (size_t at = 0; at < gbk.size();)
    AppendUtf8(out, NextGbk(gbk, at));
  return out;
}

}  // namespace frame
