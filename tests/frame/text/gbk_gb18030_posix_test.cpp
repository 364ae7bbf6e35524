// The C library's GB18030 as a second opinion on the four-byte codes.
#include <gtest/gtest.h>
#include <iconv.h>

#include <bit>
#include <cstdint>
#include <string>

#include "frame/text/gbk.h"
#include "tests/frame/text/gbk_test_texts.h"

namespace {

using gbk_test::BytesOf;
using gbk_test::CodePoint;
using gbk_test::Hex;

// Beside the cases above, the C library's GB18030 as a second opinion: a
// character it writes in four bytes has those four bytes here too, unless
// code page 936 has it in two.
TEST(Gbk, FourByteCodesAreThoseOfGb18030) {
  iconv_t gb18030 =
      iconv_open("GB18030", std::endian::native == std::endian::little ? "UTF-32LE" : "UTF-32BE");
  ASSERT_NE(gb18030, reinterpret_cast<iconv_t>(-1));
  int wrong = 0;
  for (char32_t c = 0x80; c <= 0x10FFFF && wrong < 10; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    char32_t unit = c;
    char bytes[8];
    char* in = reinterpret_cast<char*>(&unit);
    size_t in_left = sizeof unit;
    char* out = bytes;
    size_t out_left = sizeof bytes;
    iconv(gb18030, nullptr, nullptr, nullptr, nullptr);
    if (iconv(gb18030, &in, &in_left, &out, &out_left) == static_cast<size_t>(-1)) continue;
    std::string theirs(bytes, out);
    std::string ours = BytesOf(c);
    if (theirs.size() == 4 && ours.size() != 2 && ours != theirs) {
      ADD_FAILURE() << CodePoint(c) << ": " << Hex(ours) << ", GB18030 " << Hex(theirs);
      ++wrong;
    }
  }
  iconv_close(gb18030);
}

}  // namespace
