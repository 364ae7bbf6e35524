// Texts from the ODBC wide API straight to GB18030: the same bytes as the way
// through UTF-8, for every character.
#include <gtest/gtest.h>

#include <cstdint>

#include "frame/db/odbc_text.h"

namespace {

using frame::WideText;

frame::Text ThroughUtf8(const WideText& wide) {
  return frame::Gbk(frame::Utf8FromWide(wide.data(), wide.size()));
}

TEST(WideText, EveryCharacterConvertsAsThroughUtf8) {
  int wrong = 0;
  for (char32_t c = 1; c <= 0xFFFF && wrong < 5; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const WideText wide = {'a', static_cast<SQLWCHAR>(c)};
    if (frame::GbkFromWide(wide.data(), wide.size()) != ThroughUtf8(wide)) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<uint32_t>(c);
      ++wrong;
    }
  }
}

TEST(WideText, SurrogatesPairedOrNot) {
  const WideText cases[] = {
      {0xD840, 0xDC00},                    // U+20000, beyond the plane
      {'a', 0xD840, 0xDC00, 0x6C49, 'b'},  // with ASCII and 汉 around it
      {0xD800},                            // a high one at the end
      {0xD800, 'b'},                       // followed by no low one
      {'a', 0xDC00, 0x6C49},               // a low one alone
      {0x6C49, 0xDBFF, 0xDFFF, 0xDC00},
  };
  for (const WideText& wide : cases) {
    EXPECT_EQ(frame::GbkFromWide(wide.data(), wide.size()), ThroughUtf8(wide)) << wide.size();
  }
}

TEST(WideText, AppendsToWhatIsThere) {
  const WideText wide = {'O', '\'', 0x9F99, 0x5E01};  // O'龙币
  frame::Text text = "kept ";
  frame::AppendGbkFromWide(wide.data(), wide.size(), text);
  EXPECT_EQ(text, "kept O'" + frame::Gbk("龙币"));
}

}  // namespace
