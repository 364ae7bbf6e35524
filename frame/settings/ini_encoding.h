// How a settings file stores its text on disk: GBK bytes, or UTF-16LE after
// a byte-order mark, as an editor's "Unicode" saves it. The profile functions
// of the programs' home platform read both and keep each as it is.
#pragma once

#include <string>
#include <string_view>

#include "frame/text/gbk.h"

namespace frame {

enum class IniEncoding { kGbk, kUtf16Le };

struct IniText {
  IniEncoding encoding = IniEncoding::kGbk;
  Text text;  // GBK
};

// The file's text as GBK, and how the file stores it. UTF-16 that forms no
// character becomes U+FFFD.
IniText DecodeIni(std::string bytes);

// The GBK text as a file of that encoding stores it, with the byte-order mark
// of UTF-16LE.
std::string EncodeIni(std::string_view text, IniEncoding encoding);

}  // namespace frame
