// Windows' own code pages as a second opinion: 936 for the characters it
// has, 54936 (GB18030) for the four-byte codes where the system has it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "frame/text/gbk.h"
#include "tests/frame/text/gbk_test_texts.h"

namespace {

using gbk_test::BytesOf;
using gbk_test::CodePoint;
using gbk_test::Hex;

// The bytes Windows writes for `c` in the code page; empty when it has none.
std::string SystemBytes(UINT code_page, char32_t c) {
  wchar_t units[2];
  int count = 1;
  if (c > 0xFFFF) {
    units[0] = static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
    units[1] = static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    count = 2;
  } else {
    units[0] = static_cast<wchar_t>(c);
  }
  char bytes[8];
  BOOL defaulted = FALSE;
  // 54936 takes no default-character flag.
  const int length = WideCharToMultiByte(code_page, 0, units, count, bytes, sizeof bytes, nullptr,
                                         code_page == 54936 ? nullptr : &defaulted);
  if (length <= 0 || defaulted) return {};
  return std::string(bytes, static_cast<size_t>(length));
}

TEST(Gbk, CodePage936CharactersHaveTheBytesWindowsGivesThem) {
  int wrong = 0;
  for (char32_t c = 0x80; c <= 0xFFFF && wrong < 10; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::string theirs = SystemBytes(936, c);
    // Windows writes some characters it cannot hold as a look-alike (best
    // fit); only those it reads back as themselves are its own.
    if (theirs.empty()) continue;
    wchar_t back = 0;
    if (MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, theirs.data(),
                            static_cast<int>(theirs.size()), &back, 1) != 1 ||
        back != static_cast<wchar_t>(c)) {
      continue;
    }
    if (BytesOf(c) != theirs) {
      ADD_FAILURE() << CodePoint(c) << ": " << Hex(BytesOf(c)) << ", code page 936 " << Hex(theirs);
      ++wrong;
    }
  }
}

TEST(Gbk, FourByteCodesAreThoseOfGb18030) {
  if (!IsValidCodePage(54936)) {
    // wine 8.0 lacks code page 54936: the code page's behaviour without it
    // is in gbk_test.cpp (characters beyond code page 936 become '?').
    EXPECT_FALSE(frame::HasFourByteCodes());
    GTEST_SKIP() << "this system has no GB18030 (code page 54936)";
  }
  ASSERT_TRUE(frame::HasFourByteCodes());
  int wrong = 0;
  for (char32_t c = 0x80; c <= 0x10FFFF && wrong < 10; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::string theirs = SystemBytes(54936, c);
    const std::string ours = BytesOf(c);
    if (theirs.size() == 4 && ours.size() != 2 && ours != theirs) {
      ADD_FAILURE() << CodePoint(c) << ": " << Hex(ours) << ", GB18030 " << Hex(theirs);
      ++wrong;
    }
  }
}

}  // namespace
