// Text services for handlers: joining, cutting and replacing GBK byte texts.
//
// Every length, position and count is in bytes. An absent text (a null
// `const char*`) is accepted wherever a text is and counts as the empty text.
#pragma once

#include <concepts>
#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "frame/text/gbk.h"

namespace frame {

// A read-only view of a text argument. Implicit on purpose: handlers pass
// literals, Texts, views and absent texts alike.
class TextArg {
 public:
  TextArg(const char* text)
      : view_(text != nullptr ? std::string_view(text) : std::string_view()) {}
  TextArg(std::nullptr_t) {}
  TextArg(const std::string& text) : view_(text) {}
  TextArg(std::string_view text) : view_(text) {}

  std::string_view view() const { return view_; }

 private:
  std::string_view view_;
};

// Joins the parts in order; the list form backs the variadic one.
Text ConcatTextList(std::initializer_list<TextArg> parts);

template <std::convertible_to<TextArg>... Rest>
Text ConcatTexts(TextArg first, const Rest&... rest) {
  return ConcatTextList({first, TextArg(rest)...});
}

// The first n bytes; the whole text when n reaches its length, empty when n <= 0.
Text LeftText(TextArg text, int n);

// n bytes from the 1-based byte position start, cut at the end of the text.
// Empty when start is below 1 or past the last byte, or when n <= 0.
Text MidText(TextArg text, int start, int n);

// Replaces matches of search from the 1-based position start on, at most count
// times (absent or negative: all). Without case_sensitive, ASCII letters match
// either case. Scanning steps over two-byte GBK characters whole, so a match
// never starts at a trail byte.
Text ReplaceText(TextArg text, TextArg search, TextArg replacement = "", int start = 1,
                 std::optional<int> count = std::nullopt, bool case_sensitive = false);

// The text ready to stand between quotes in a statement: every ' byte
// doubled. The byte 0x27 is never part of a GBK or GB18030 character, so this
// holds for every valid text, and a stray lead byte before a quote cannot
// take the quote in as its second byte.
Text DoubleQuotes(TextArg text);

}  // namespace frame
