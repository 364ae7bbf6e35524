// The text encodings on the wire (UTF-16LE for names, batches and nvarchar
// data; code page 936 for varchar data under a Chinese_PRC collation), and
// numbers read from PostgreSQL's text.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace db_test::tds {

// A number that is the whole text, whatever the C locale.
template <class Number>
std::optional<Number> NumberFromText(std::string_view text) {
  Number value{};
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// Invalid UTF-8 becomes U+FFFD.
std::vector<uint8_t> Utf16FromUtf8(std::string_view utf8);
// Unpaired surrogates become U+FFFD; an odd last byte is dropped.
std::string Utf8FromUtf16(std::span<const uint8_t> utf16);
// A character that code page 936 lacks becomes '?', as SQL Server stores it
// in a varchar column of that code page.
std::string Cp936FromUtf8(std::string_view utf8);

}  // namespace db_test::tds
