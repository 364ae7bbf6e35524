#include <windows.h>

#include "frame/text/system_code_pages.h"

namespace frame {
namespace {

UINT CodePageNumber(SystemCodePage page) {
  return page == SystemCodePage::k936 ? 936 : 54936;
}

}  // namespace

bool SystemHasCodePage(SystemCodePage page) {
  return IsValidCodePage(CodePageNumber(page)) != 0;
}

char32_t SystemDecode(SystemCodePage page, const char* bytes, size_t length) {
  if (!SystemHasCodePage(page)) return 0;
  wchar_t units[4];
  // MB_ERR_INVALID_CHARS: bytes of no character fail rather than turning
  // into the code page's default character.
  const int count = MultiByteToWideChar(CodePageNumber(page), MB_ERR_INVALID_CHARS, bytes,
                                        static_cast<int>(length), units, 4);
  if (count == 1) return units[0] >= 0xD800 && units[0] <= 0xDFFF ? 0 : units[0];
  if (count == 2 && units[0] >= 0xD800 && units[0] <= 0xDBFF && units[1] >= 0xDC00 &&
      units[1] <= 0xDFFF) {
    return 0x10000 + ((char32_t{units[0]} - 0xD800) << 10) + (char32_t{units[1]} - 0xDC00);
  }
  return 0;
}

}  // namespace frame
