#include "frame/text/gbk.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iomanip>
#include <sstream>
#include <string>

#include "frame/text/utf8.h"
#include "tests/frame/text/gbk_test_texts.h"

namespace {

using gbk_test::BytesOf;
using gbk_test::CodePoint;
using gbk_test::Hex;

// The one character the bytes decode to, or U+FFFD when they are not
// exactly one character.
char32_t CharacterOf(std::string_view bytes) {
  size_t at = 0;
  char32_t c = frame::NextGbk(bytes, at);
  return at == bytes.size() ? c : frame::kReplacementCharacter;
}

TEST(Gbk, ChineseTextCrossesBothWaysUnchanged) {
  const std::string samples[] = {"霜月奇谭工具v4.0【1510011924A版】", "乗", "O'Neil", "",
                                 "运行时出错!\r\n\r\n"};
  for (const std::string& utf8 : samples)
    EXPECT_EQ(frame::Utf8(frame::Gbk(utf8)), utf8);
  if (frame::HasFourByteCodes()) {
    EXPECT_EQ(frame::Utf8(frame::Gbk("😀 beyond GBK")), "😀 beyond GBK");
  } else {
    // wine has no GB18030: what code page 936 lacks is lost.
    EXPECT_EQ(frame::Utf8(frame::Gbk("😀 beyond GBK")), "? beyond GBK");
  }
  EXPECT_EQ(frame::Gbk("错误"), std::string("\xB4\xED\xCE\xF3"));
  EXPECT_EQ(frame::Gbk("乗"), std::string("\x81\x5C"));  // a trail byte that looks like '\'
}

// Whatever a database or a box hands over comes back as it went. Without
// GB18030 (wine) only what code page 936 has comes back, each in one or two
// bytes; every other code point becomes '?'.
TEST(Gbk, EveryCodePointComesBackAsItWent) {
  const bool four_byte_codes = frame::HasFourByteCodes();
  int wrong = 0;
  int lost = 0;
  std::string all_utf8;
  for (char32_t c = 1; c <= 0x10FFFF && wrong < 10; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    frame::AppendUtf8(all_utf8, c);
    std::string bytes = BytesOf(c);
    if (!four_byte_codes && c != U'?' && bytes == "?") {
      ++lost;
      continue;
    }
    const size_t most = four_byte_codes ? 4 : 2;
    if (CharacterOf(bytes) != c ||
        (bytes.size() != 1 && bytes.size() != 2 && bytes.size() != most)) {
      ADD_FAILURE() << CodePoint(c) << " -> " << Hex(bytes) << " -> "
                    << CodePoint(CharacterOf(bytes));
      ++wrong;
    }
  }
  if (four_byte_codes) {
    EXPECT_TRUE(frame::Utf8(frame::Gbk(all_utf8)) == all_utf8);
  } else {
    // Each of the code page's 23940 two-byte positions and 128 single bytes
    // holds a character; every other code point is lost.
    EXPECT_EQ(lost, 0x10FFFF - 0x800 - 23940 - 128);
  }
}

// Code page 936 as Windows converts it, so that a settings file written there
// reads the same here: its private-use code points included, where later
// GB18030 editions put other characters.
TEST(Gbk, CodePage936CharactersKeepTheirWindowsBytes) {
  struct Case {
    const char* bytes;
    char32_t c;
  };
  const Case cases[] = {
      {"\x80", 0x20AC},     {"\xA1\xA1", 0x3000}, {"\xA1\xA4", 0x00B7}, {"\xA1\xAA", 0x2014},
      {"\xA8\x44", 0x2015}, {"\xB4\xED", 0x9519}, {"\x81\x40", 0x4E02}, {"\xFE\x4F", 0xFA29},
      {"\xA6\xD9", 0xE78D}, {"\xA6\xDA", 0xE78E}, {"\xA6\xF3", 0xE796}, {"\xFE\x51", 0xE816},
      {"\xFE\x53", 0xE818}, {"\xFE\x59", 0xE81E}, {"\xFE\x61", 0xE826}, {"\xFE\x91", 0xE855},
      {"\xFE\xA0", 0xE864}, {"\xA8\xBC", 0xE7C7}, {"\xA8\xBF", 0xE7C8}, {"\xA9\x89", 0xE7E7},
      {"\xFE\x50", 0xE815}, {"\xA2\xE3", 0xE76C}, {"\xA2\xAB", 0xE766}, {"\xA3\xA0", 0xE5E5},
      {"\xAA\xA1", 0xE000}, {"\xF8\xA1", 0xE234}, {"\xFE\xFE", 0xE4C5}, {"\xA1\x40", 0xE4C6},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Hex(BytesOf(c.c)), Hex(c.bytes)) << CodePoint(c.c);
    EXPECT_EQ(CodePoint(CharacterOf(c.bytes)), CodePoint(c.c)) << Hex(c.bytes);
  }
}

// The characters that GB18030 gives four bytes, and those it put where code
// page 936 keeps a private-use code point, which take that one's four bytes.
// wine has no GB18030: they become '?', and their four bytes read as no
// character.
TEST(Gbk, OtherCharactersTakeFourByteCodes) {
  struct Case {
    char32_t c;
    const char* bytes;
  };
  const Case cases[] = {
      {0x0080, "81308130"},  {0xFFFD, "8431A437"},   {0xFFFF, "8431A439"}, {0x10000, "90308130"},
      {0x20087, "95329031"}, {0x10FFFF, "E3329A35"}, {0xFE10, "84318236"}, {0xFE19, "84318335"},
      {0x9FB4, "82359037"},  {0x1E3F, "8135F437"},   {0x2E81, "8336C934"}, {0x01F9, "8336C830"},
  };
  for (const Case& c : cases) {
    if (frame::HasFourByteCodes()) {
      EXPECT_EQ(Hex(BytesOf(c.c)), c.bytes) << CodePoint(c.c);
    } else {
      EXPECT_EQ(BytesOf(c.c), "?") << CodePoint(c.c);
      std::string bytes;
      for (size_t at = 0; at < 8; at += 2)
        bytes += static_cast<char>(std::stoi(std::string(c.bytes + at, 2), nullptr, 16));
      EXPECT_EQ(CodePoint(CharacterOf(bytes)), CodePoint(frame::kReplacementCharacter)) << c.bytes;
    }
  }
}

TEST(Gbk, BytesThatAreNoCharacterAreReplacedNotDropped) {
  struct Case {
    std::string bytes;
    const char* utf8;
  };
  const Case cases[] = {
      {"a\xFF"
       "b",
       "a\uFFFDb"},
      {"x\xB4", "x\uFFFD"},        // a lead byte at the end
      {"\x81\x7F", "\uFFFD\x7F"},  // a trail byte that is none
      {"\x81\x30",
       "\uFFFD"
       "0"},  // half a four-byte code
      {"\x81\x30\x81",
       "\uFFFD"
       "0\uFFFD"},
      {"\x84\x31\xA5\x30"
       "a",
       "\uFFFD"
       "a"},  // a four-byte code of no character
      {"\xE3\x32\x9A\x36"
       "a",
       "\uFFFD"
       "a"},  // beyond U+10FFFF
  };
  for (const Case& c : cases)
    EXPECT_EQ(frame::Utf8(c.bytes), c.utf8) << Hex(c.bytes);
}

TEST(Gbk, InvalidUtf8BecomesAQuestionMark) {
  EXPECT_EQ(frame::Gbk("a\xC3"
                       "b"),
            "a?b");
  EXPECT_EQ(frame::Gbk("\xED\xA0\x80"), "?");      // a surrogate
  EXPECT_EQ(frame::Gbk("\xF4\x90\x80\x80"), "?");  // beyond U+10FFFF
  // The character itself is kept, where there are four-byte codes.
  EXPECT_EQ(Hex(frame::Gbk("\uFFFD")), frame::HasFourByteCodes() ? "8431A437" : "3F");
  EXPECT_EQ(BytesOf(0xD800), "?");
}

}  // namespace
