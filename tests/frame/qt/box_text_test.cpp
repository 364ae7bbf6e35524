// A box shows each code point of the text a handler puts there, and hands
// back the same bytes; what the operator has in the box reads as the code
// points he sees.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QString>
#include <vector>

#include "frame/text/gbk.h"
#include "tests/frame/qt/qt_program.h"
#include "tests/frame/qt/sample_window_test.h"
#include "tests/support/test_window.h"

namespace {

using frame::Property;
using testing_support::Get;
using testing_support::Set;
using BoxTextTest = testing_support::SampleWindowTest;

// The whole Basic Multilingual Plane from the blank on, surrogates aside,
// then every 97th code point beyond it and the last one.
std::vector<char32_t> CodePoints() {
  std::vector<char32_t> all;
  for (char32_t c = 0x20; c <= 0xFFFF; ++c)
    if (c < 0xD800 || c > 0xDFFF) all.push_back(c);
  for (char32_t c = 0x10000; c <= 0x10FFFF; c += 97)
    all.push_back(c);
  all.push_back(0x10FFFF);
  return all;
}

std::string Hex(char32_t c) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
  return text;
}

TEST_F(BoxTextTest, EveryCodePointShowsAndReadsBackUnchanged) {
  const std::vector<char32_t> all = CodePoints();
  auto& box = program_.widget<QLineEdit>(test_window::kEdit);
  constexpr size_t kPerText = 4096;
  for (size_t at = 0; at < all.size(); at += kPerText) {
    const size_t end = std::min(at + kPerText, all.size());
    frame::Text text;
    QString shown;
    for (size_t i = at; i < end; ++i) {
      frame::AppendGbk(text, all[i]);
      // By hand: QString::fromUcs4 takes a leading U+FEFF for a byte-order mark.
      if (all[i] < 0x10000) {
        shown += QChar(static_cast<char16_t>(all[i]));
      } else {
        shown += QChar(QChar::highSurrogate(all[i]));
        shown += QChar(QChar::lowSurrogate(all[i]));
      }
    }
    SCOPED_TRACE(Hex(all[at]));

    Set(test_window::kEdit, Property::kText, text);
    const QString in_box = box.text();
    if (in_box != shown) {
      qsizetype k = 0;
      while (k < in_box.size() && k < shown.size() && in_box[k] == shown[k])
        ++k;
      ADD_FAILURE() << "the box shows another character at UTF-16 unit " << k;
    }
    EXPECT_TRUE(Get(test_window::kEdit, Property::kText) == text);

    box.setText(shown);  // as the operator would have it
    EXPECT_TRUE(Get(test_window::kEdit, Property::kText) == text);
  }
}

}  // namespace
