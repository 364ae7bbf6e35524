#include "frame/services/text_services.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace frame {
namespace {

TEST(TextConcatTest, JoinsPartsOfEveryArgumentKindInOrder) {
  const char* absent = nullptr;
  std::string owned = "b";
  std::string_view view = "c";
  EXPECT_EQ(ConcatTexts("a", owned, view, absent, Text("d")), "abcd");
  EXPECT_EQ(ConcatTexts("only"), "only");
}

TEST(TextConcatTest, AbsentAndEmptyPartsGiveTheEmptyText) {
  const char* absent = nullptr;
  EXPECT_EQ(ConcatTexts(absent, absent, absent), "");
  EXPECT_EQ(ConcatTexts(nullptr, "", std::string()), "");
}

TEST(TextLeftTest, CutsBytes) {
  struct Case {
    const char* text;
    int n;
    const char* expected;
  };
  for (const Case& c :
       {Case{"abcdef", 10, "abcdef"}, Case{"abcdef", 6, "abcdef"}, Case{"abcdef", 3, "abc"},
        Case{"abcdef", 0, ""}, Case{"abcdef", -1, ""}, Case{nullptr, 3, ""}}) {
    EXPECT_EQ(LeftText(c.text, c.n), c.expected) << (c.text ? c.text : "(absent)") << " " << c.n;
  }
}

TEST(TextMidTest, CutsBytesFromOneBasedPosition) {
  struct Case {
    const char* text;
    int start;
    int n;
    const char* expected;
  };
  for (const Case& c :
       {Case{"abcdef", 5, 10, "ef"}, Case{"abcdef", 1, 2, "ab"}, Case{"abcdef", 6, 1, "f"},
        Case{"abcdef", 2, 2147483647, "bcdef"}, Case{"abcdef", 7, 1, ""}, Case{"abcdef", 0, 3, ""},
        Case{"abcdef", -5, 3, ""}, Case{"abcdef", 2, 0, ""}, Case{"abcdef", 2, -1, ""},
        Case{nullptr, 1, 1, ""}}) {
    EXPECT_EQ(MidText(c.text, c.start, c.n), c.expected)
        << (c.text ? c.text : "(absent)") << " " << c.start << " " << c.n;
  }
}

TEST(TextLeftTest, CountsGbkCharactersAsTwoBytes) {
  Text chinese = Gbk("中文");
  ASSERT_EQ(chinese.size(), 4u);
  EXPECT_EQ(LeftText(chinese, 2), Gbk("中"));
  EXPECT_EQ(MidText(chinese, 3, 2), Gbk("文"));
}

TEST(TextReplaceTest, DefaultsDeleteEveryMatchIgnoringCase) {
  EXPECT_EQ(ReplaceText("12.00000000", ".00000000"), "12");
  EXPECT_EQ(ReplaceText("ABCabc", "b", "x"), "AxCaxc");
  EXPECT_EQ(ReplaceText("ABCabc", "b", "x", 1, std::nullopt, true), "ABCaxc");
  // Only ASCII letters fold: '[' and '{' are 0x20 apart like 'A' and 'a'.
  EXPECT_EQ(ReplaceText("[{", "{", "x"), "[x");
  // 0x80 and 0xFF start no two-byte character: what follows them still matches.
  EXPECT_EQ(ReplaceText("\x80'\xFF'", "'", "''"), "\x80''\xFF''");
  EXPECT_EQ(ReplaceText(Gbk("乗'"), "'", "''"), Gbk("乗''"));
}

TEST(TextReplaceTest, StartCountAndEdgeArguments) {
  struct Case {
    const char* text;
    const char* search;
    const char* replacement;
    int start;
    std::optional<int> count;
    const char* expected;
  };
  const Case cases[] = {
      {"aaaa", "a", "b", 1, std::nullopt, "bbbb"},
      {"aaaa", "a", "b", 3, std::nullopt, "aabb"},
      {"aaaa", "a", "b", 0, std::nullopt, "bbbb"},  // start below 1 means from the start
      {"aaaa", "a", "b", -9, std::nullopt, "bbbb"},
      {"aaaa", "a", "b", 4, std::nullopt, "aaab"},
      {"aaaa", "a", "b", 5, std::nullopt, "aaaa"},  // start past the end
      {"aaaa", "a", "b", 1, 2, "bbaa"},
      {"aaaa", "a", "b", 2, 1, "abaa"},
      {"aaaa", "a", "b", 1, 0, "aaaa"},
      {"aaaa", "a", "b", 1, -1, "bbbb"},  // negative count: no limit
      {"aaaa", "a", "b", 1, -100, "bbbb"},
      {"aaaa", "aa", "x", 1, std::nullopt, "xx"},  // matches do not overlap
      {"aaa", "aa", "x", 1, std::nullopt, "xa"},
      {"abc", "abcd", "x", 1, std::nullopt, "abc"},  // search longer than the text
      {"abc", "", "x", 1, std::nullopt, "abc"},
      {"abc", nullptr, "x", 1, std::nullopt, "abc"},
      {"", "a", "x", 1, std::nullopt, ""},
      {nullptr, "a", "x", 1, std::nullopt, ""},
      {"a.b", ".", nullptr, 1, std::nullopt, "ab"},  // absent replacement deletes
      {"ab", "b", "bb", 1, std::nullopt, "abb"},     // replacement is not rescanned
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplaceText(c.text, c.search, c.replacement, c.start, c.count), c.expected)
        << (c.text ? c.text : "(absent)") << " / " << (c.search ? c.search : "(absent)")
        << " start " << c.start << " count " << c.count.value_or(999);
  }
}

TEST(TextReplaceTest, NeverMatchesAtAGbkTrailByte) {
  // "丂" is 0x81 0x40: its trail byte is '@', which must not be taken as a match.
  Text chinese = Gbk("丂");
  ASSERT_EQ(chinese, "\x81@");
  EXPECT_EQ(ReplaceText(chinese + "@", "@", "x"), chinese + "x");
  // "A" after "丂" spans the trail byte and the next byte: no match either.
  EXPECT_EQ(ReplaceText(chinese + "A", "@A", "x"), chinese + "A");
  // A start at the trail byte begins scanning there, as the position says.
  EXPECT_EQ(ReplaceText(chinese, "@", "x", 2), "\x81x");
  // A whole Chinese search text is found and replaced.
  EXPECT_EQ(ReplaceText(Gbk("甲乙丙乙"), Gbk("乙"), Gbk("丁")), Gbk("甲丁丙丁"));
}

TEST(TextReplaceTest, LoneLeadByteAtTheEndIsKept) {
  EXPECT_EQ(ReplaceText("ab\x81", "z", "x"), "ab\x81");
  EXPECT_EQ(ReplaceText("a\x81", "\x81", "x"), "ax");
}

// A quote byte is never part of a GBK or GB18030 character, so every one is
// doubled, whatever byte stands before it.
TEST(DoubleQuotesTest, DoublesEveryQuoteByte) {
  struct Case {
    std::string text;
    std::string expected;
  };
  const Case cases[] = {
      {"", ""},
      {"O'Neil", "O''Neil"},
      {"''", "''''"},
      {Gbk("龙'骑士'"), Gbk("龙''骑士''")},
      // A stray lead byte cannot take the quote in as its second byte.
      {"\x81' or 1=1 --", "\x81'' or 1=1 --"},
      {"a\xfe'\x80'", "a\xfe''\x80''"},
      // A four-byte GB18030 character before a quote.
      {"\x81\x30\x81\x30'", "\x81\x30\x81\x30''"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DoubleQuotes(c.text), c.expected) << c.text;
  }
  EXPECT_EQ(DoubleQuotes(nullptr), "");
}

}  // namespace
}  // namespace frame
