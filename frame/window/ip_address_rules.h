// An IP address box: four decimal fields of 0 to 255 between dots, each
// possibly blank. Handlers read it as "%d.%d.%d.%d" with blank fields as 0,
// or "" when every field is blank.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace frame {

using IpAddress = std::array<std::optional<int32_t>, 4>;

inline constexpr size_t kIpFieldDigits = 3;
inline constexpr int32_t kMaxIpFieldValue = 255;

// A field's digits as the box keeps them: blank stays blank, a value above
// 255 becomes "255"; nullopt when they are not up to three digits.
std::optional<std::string> HeldIpField(std::string_view digits);

// The value of a field the box holds; none when blank.
std::optional<int32_t> IpFieldValue(std::string_view held);

// A definition's or a handler's text: fields it leaves blank or cannot fill
// stay blank.
IpAddress ParseIpAddress(std::string_view dotted);

// What the operator enters whole: four fields between three dots, or ""
// for a blank box; nullopt for anything else.
std::optional<IpAddress> ParseEnteredIpAddress(std::string_view dotted);

std::string FormatIpAddress(const IpAddress& address);

// What a key does in a field holding `held` (nothing selected).
enum class IpFieldKey {
  kTake,    // a digit the field has room for
  kMoveOn,  // "." after at least one digit: on to the next field
  kRefuse,  // anything else
};
IpFieldKey IpFieldKeyOf(std::string_view held, char16_t key);

// A field that has all its digits hands the caret on to the next.
constexpr bool IsIpFieldFull(std::string_view held) {
  return held.size() >= kIpFieldDigits;
}

}  // namespace frame
