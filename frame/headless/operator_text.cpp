#include "frame/headless/operator_text.h"

#include "frame/text/utf16.h"
#include "frame/text/utf8.h"

namespace frame {
namespace {

std::u16string ToU16(const Utf16Text& units) {
  return std::u16string(units.begin(), units.end());
}

// "\r\n" to "\n"; a lone "\r" stays.
std::u16string WithKeyLineBreaks(std::u16string text) {
  std::u16string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
    out += text[i];
  }
  return out;
}

}  // namespace

std::u16string OperatorTextFromUtf8(std::string_view utf8) {
  Utf16Text out;
  for (size_t at = 0; at < utf8.size();)
    AppendUtf16(out, NextUtf8(utf8, at));
  return ToU16(out);
}

std::u16string OperatorTextFromGbk(std::string_view gbk) {
  return WithKeyLineBreaks(ToU16(frame::Utf16FromGbk(gbk)));
}

Text GbkFromOperatorText(std::u16string_view text) {
  std::u16string frame_text;
  for (char16_t c : WithKeyLineBreaks(std::u16string(text))) {
    if (c == u'\n') frame_text += u'\r';
    frame_text += c;
  }
  Text out;
  AppendGbkFromUtf16(out, reinterpret_cast<const uint16_t*>(frame_text.data()), frame_text.size());
  return out;
}

std::vector<std::u16string> Keys(std::u16string_view text) {
  std::vector<std::u16string> keys;
  for (size_t i = 0; i < text.size(); ++i) {
    bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    keys.emplace_back(text.substr(i, pair ? 2 : 1));
    if (pair) ++i;
  }
  return keys;
}

}  // namespace frame
