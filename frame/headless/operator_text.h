// Texts as the operator's keys meet them: UTF-16 with "\n" line breaks, as
// the typing rules take them; the frame keeps GBK with "\r\n".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "frame/text/gbk.h"

namespace frame {

std::u16string OperatorTextFromUtf8(std::string_view utf8);
std::u16string OperatorTextFromGbk(std::string_view gbk);
Text GbkFromOperatorText(std::u16string_view text);

// One key per character: a character beyond the BMP is one key of two units.
std::vector<std::u16string> Keys(std::u16string_view text);

}  // namespace frame
