// The system's own conversions of the two Chinese code pages, from which
// gbk.cpp builds its one mapping.
#pragma once

#include <cstddef>

namespace frame {

enum class SystemCodePage {
  k936,     // GBK as Windows has it
  kGb18030  // its superset; Windows' code page 54936
};

// False where the system cannot convert the code page (wine has no 54936).
bool SystemHasCodePage(SystemCodePage page);

// The one code point that the bytes stand for; 0 when they stand for none
// or for more than one, or the system lacks the code page.
char32_t SystemDecode(SystemCodePage page, const char* bytes, size_t length);

}  // namespace frame
