// Texts across the ODBC wide API: whatever the driver hands over comes back
// as it was when the frame sends it.
#include <gtest/gtest.h>

#include <cstdint>

#include "frame/db/odbc/odbc_text.h"
#include "frame/text/gbk.h"

namespace {

using frame::WideText;

void AppendUnits(WideText& wide, char32_t c) {
  if (c < 0x10000) {
    wide += static_cast<SQLWCHAR>(c);
  } else {
    wide += static_cast<SQLWCHAR>(0xD800 | ((c - 0x10000) >> 10));
    wide += static_cast<SQLWCHAR>(0xDC00 | ((c - 0x10000) & 0x3FF));
  }
}

TEST(WideText, EveryCodePointComesBackAsItWent) {
  int wrong = 0;
  WideText all;
  for (char32_t c = 1; c <= 0x10FFFF && wrong < 5; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    WideText wide = {'a'};
    AppendUnits(wide, c);
    AppendUnits(all, c);
    const WideText back = frame::Utf16FromGbk(frame::GbkFromUtf16(wide.data(), wide.size()));
    // Wine has no GB18030: what code page 936 lacks comes back as "?".
    if (back != wide && (frame::HasFourByteCodes() || back != WideText{'a', '?'})) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<uint32_t>(c);
      ++wrong;
    }
  }
  if (frame::HasFourByteCodes()) {
    EXPECT_TRUE(frame::Utf16FromGbk(frame::GbkFromUtf16(all.data(), all.size())) == all);
  }
}

TEST(WideText, SurrogatesPairedOrNot) {
  struct Case {
    WideText wide;
    const char* utf8;
  };
  const Case cases[] = {
      {{0xD840, 0xDC00}, "𠀀"},                        // beyond the plane
      {{'a', 0xD840, 0xDC00, 0x6C49, 'b'}, "a𠀀汉b"},  // with ASCII and 汉 around it
      {{0xD800}, "\uFFFD"},                            // a high one at the end
      {{0xD800, 'b'},
       "\uFFFD"
       "b"},                                 // followed by no low one
      {{'a', 0xDC00, 0x6C49}, "a\uFFFD汉"},  // a low one alone
      {{0x6C49, 0xDBFF, 0xDFFF, 0xDC00}, "汉\U0010FFFF\uFFFD"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(frame::GbkFromUtf16(c.wide.data(), c.wide.size()), frame::Gbk(c.utf8)) << c.utf8;
    EXPECT_EQ(frame::Utf8FromUtf16(c.wide.data(), c.wide.size()), c.utf8);
  }
}

TEST(WideText, AppendsToWhatIsThere) {
  const WideText wide = {'O', '\'', 0x9F99, 0x5E01, 0xE78D};  // O'龙币 and a private one
  frame::Text text = "kept ";
  frame::AppendGbkFromUtf16(text, wide.data(), wide.size());
  EXPECT_EQ(text, "kept O'" + frame::Gbk("龙币") + "\xA6\xD9");
}

}  // namespace
