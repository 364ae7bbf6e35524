#include "frame/db/odbc_text.h"

#include <iconv.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "frame/utf8.h"

namespace frame {
namespace {

static_assert(sizeof(SQLWCHAR) == 2, "ODBC wide texts are UTF-16 here");

void AppendUtf16(WideText& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<SQLWCHAR>(c);
  } else {
    c -= 0x10000;
    out += static_cast<SQLWCHAR>(0xD800 | (c >> 10));
    out += static_cast<SQLWCHAR>(0xDC00 | (c & 0x3FF));
  }
}

// The GB18030 bytes of every character of the Basic Multilingual Plane
// beyond ASCII, made by iconv once per process, so that a text of such
// characters converts by lookup. Surrogates have none, nor the few
// characters that GB18030 lacks.
class BmpToGbk {
 public:
  static const BmpToGbk& Instance() {
    static const BmpToGbk table;
    return table;
  }

  // Appends the text; false, leaving `out` as it was, when it holds a
  // character the table lacks.
  bool Append(const SQLWCHAR* units, size_t count, std::string& out) const {
    size_t at = out.size();
    out.resize(at + count * sizeof(Code::bytes));
    char* p = out.data() + at;
    for (size_t i = 0; i < count; ++i) {
      if (units[i] < 0x80) {
        *p++ = static_cast<char>(units[i]);
        continue;
      }
      const Code& code = codes_[units[i]];
      if (code.length == 0) {
        out.resize(at);
        return false;
      }
      std::copy_n(code.bytes, sizeof code.bytes, p);
      p += code.length;
    }
    out.resize(static_cast<size_t>(p - out.data()));
    return true;
  }

 private:
  struct Code {
    char bytes[4] = {};
    uint8_t length = 0;
  };

  BmpToGbk()
      : cd_(iconv_open("GB18030",
                       std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE")),
        codes_(0x10000) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return;
    for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
      if (c >= 0xD800 && c <= 0xDFFF) continue;
      SQLWCHAR unit = static_cast<SQLWCHAR>(c);
      char* in = reinterpret_cast<char*>(&unit);
      size_t in_left = sizeof unit;
      Code& code = codes_[c];
      char* end = code.bytes;
      size_t room = sizeof code.bytes;
      if (iconv(cd_, &in, &in_left, &end, &room) == static_cast<size_t>(-1)) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        code = Code{};
        continue;
      }
      code.length = static_cast<uint8_t>(end - code.bytes);
    }
  }

  // Never closed, so that glibc keeps the two conversion modules loaded:
  // ThreadSanitizer does not see the dynamic loader's own lock, and takes a
  // module unloaded on one thread beside one loaded on another for a race.
  const iconv_t cd_;
  std::vector<Code> codes_;
};

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
      c = kReplacementCharacter;
    }
    AppendUtf8(utf8, c);
  }
  return utf8;
}

Text GbkFromWide(const SQLWCHAR* units, size_t count) {
  Text text;
  AppendGbkFromWide(units, count, text);
  return text;
}

void AppendGbkFromWide(const SQLWCHAR* units, size_t count, std::string& out) {
  size_t ascii = 0;
  while (ascii < count && units[ascii] < 0x80)
    ++ascii;
  out.append(units, units + ascii);
  if (ascii == count) return;
  if (BmpToGbk::Instance().Append(units + ascii, count - ascii, out)) return;
  out += Gbk(Utf8FromWide(units + ascii, count - ascii));
}

}  // namespace frame
