// The text encodings on the wire: UTF-16LE for names, batches and nvarchar
// data; code page 936 for varchar data under a Chinese_PRC collation.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace db_test::tds {

// Invalid UTF-8 becomes U+FFFD.
std::vector<uint8_t> Utf16FromUtf8(std::string_view utf8);
// Unpaired surrogates become U+FFFD; an odd last byte is dropped.
std::string Utf8FromUtf16(std::span<const uint8_t> utf16);
// A character that code page 936 lacks becomes '?', as SQL Server stores it
// in a varchar column of that code page.
std::string Cp936FromUtf8(std::string_view utf8);

}  // namespace db_test::tds
