// Conversions between the frame's GBK byte texts and UTF-8.
//
// Texts inside the frame and the handlers are GBK byte strings. Conversions
// happen only at the edges (window systems, database components, file names),
// through GB18030 so that no typed character is lost.
#pragma once

#include <string>
#include <string_view>

namespace frame {

// A text in the Chinese code page: GBK bytes (GB18030 for characters beyond GBK).
using Text = std::string;

// UTF-8 to GBK. Invalid UTF-8 sequences become '?'.
Text Gbk(std::string_view utf8);

// GBK to UTF-8. Bytes that form no GB18030 character become U+FFFD.
std::string Utf8(std::string_view gbk);

// True when the byte starts a two-byte GBK character. 0x80 stands alone
// (the euro sign in code page 936), and 0xFF is no character at all.
constexpr bool IsGbkLeadByte(unsigned char byte) {
  return byte >= 0x81 && byte <= 0xFE;
}

}  // namespace frame
