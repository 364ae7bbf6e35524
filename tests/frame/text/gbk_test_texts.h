// How the code-page suites show bytes and code points.
#pragma once

#include <cstdint>
#include <iomanip>
#include <sstream>
#include <string>
#include <string_view>

#include "frame/text/gbk.h"

namespace gbk_test {

inline std::string Hex(std::string_view bytes) {
  std::ostringstream out;
  for (unsigned char byte : bytes)
    out << std::hex << std::uppercase << std::setw(2) << std::setfill('0') << int{byte};
  return out.str();
}

inline std::string CodePoint(char32_t c) {
  std::ostringstream out;
  out << "U+" << std::hex << std::uppercase << std::setw(4) << std::setfill('0') << uint32_t{c};
  return out.str();
}

inline std::string BytesOf(char32_t c) {
  std::string bytes;
  frame::AppendGbk(bytes, c);
  return bytes;
}

}  // namespace gbk_test
