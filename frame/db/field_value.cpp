#include "frame/db/field_value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

namespace frame {
namespace {

template <class Number>
std::optional<Number> ParseNumber(std::string_view raw) {
  Number value{};
  auto [end, error] = std::from_chars(raw.data(), raw.data() + raw.size(), value);
  if (error != std::errc() || end != raw.data() + raw.size()) return std::nullopt;
  return value;
}

// The bits of an integer value of any width, as the 64-bit pattern.
std::optional<uint64_t> ParseIntegerBits(std::string_view raw) {
  if (auto value = ParseNumber<int64_t>(raw)) return static_cast<uint64_t>(*value);
  return ParseNumber<uint64_t>(raw);
}

template <class Integer>
std::string IntegerText(Integer value) {
  char buffer[24];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, end);
}

// A float in plain notation: with `places` decimals when that text reads back
// to the very same value, else the shortest plain text that does. Neither
// rounds a stored value away (0.00001 does not become 0.0000).
template <class Float>
std::string FloatText(Float value, int places) {
  // The widest double in plain notation, the smallest subnormal, fits.
  char buffer[400];
  char* const last = buffer + sizeof buffer;
  if (std::isfinite(value)) {
    auto fixed = std::to_chars(buffer, last, value, std::chars_format::fixed, places);
    if (fixed.ec == std::errc()) {
      std::string text(buffer, fixed.ptr);
      if (ParseNumber<Float>(text) == value) return text;
    }
    auto shortest = std::to_chars(buffer, last, value, std::chars_format::fixed);
    if (shortest.ec == std::errc()) return std::string(buffer, shortest.ptr);
  }
  auto general = std::to_chars(buffer, last, value);  // "nan", "inf", "-inf"
  return general.ec == std::errc() ? std::string(buffer, general.ptr) : std::string();
}

// An exact decimal as its digits, so that no value is rounded through a double.
struct Decimal {
  bool negative = false;
  std::string integer;   // at least one digit, no leading zeros beyond one
  std::string fraction;  // digits after the point
};

bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::optional<Decimal> ParseDecimal(std::string_view raw) {
  Decimal decimal;
  if (!raw.empty() && (raw.front() == '-' || raw.front() == '+')) {
    decimal.negative = raw.front() == '-';
    raw.remove_prefix(1);
  }
  std::string_view integer = raw;
  std::string_view fraction;
  if (size_t point = raw.find('.'); point != std::string_view::npos) {
    integer = raw.substr(0, point);
    fraction = raw.substr(point + 1);
  }
  if (integer.empty() && fraction.empty()) return std::nullopt;
  if (!AllDigits(integer) || !AllDigits(fraction)) return std::nullopt;
  while (integer.size() > 1 && integer.front() == '0')
    integer.remove_prefix(1);
  decimal.integer = integer.empty() ? "0" : std::string(integer);
  decimal.fraction = std::string(fraction);
  return decimal;
}

// At least `places` decimals: short ones padded with zeros, and of longer
// ones every digit up to the last that is not zero. Nothing is rounded.
void KeepDigits(Decimal& decimal, size_t places) {
  size_t significant = decimal.fraction.find_last_not_of('0') + 1;  // 0 when all are zeros
  decimal.fraction.resize(std::max(significant, places), '0');
}

std::string DecimalText(const Decimal& decimal) {
  bool zero = decimal.integer.find_first_not_of('0') == std::string::npos &&
              decimal.fraction.find_first_not_of('0') == std::string::npos;
  std::string text = decimal.negative && !zero ? "-" : "";
  text += decimal.integer;
  if (!decimal.fraction.empty()) text += "." + decimal.fraction;
  return text;
}

// `places` decimals unless the value has digits beyond them.
std::string ExactDecimalText(std::string_view raw, size_t places) {
  std::optional<Decimal> decimal = ParseDecimal(raw);
  if (!decimal) return std::string(raw);
  KeepDigits(*decimal, places);
  return DecimalText(*decimal);
}

std::string GuidText(std::string_view raw) {
  std::string digits;
  for (char c : raw) {
    if (c == '-' || c == '{' || c == '}') continue;
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return {};
    digits += c;
  }
  if (digits.size() != 32) return {};
  return "{" + digits.substr(0, 8) + "-" + digits.substr(8, 4) + "-" + digits.substr(12, 4) + "-" +
         digits.substr(16, 4) + "-" + digits.substr(20) + "}";
}

}  // namespace

Text FieldText(const FieldValue& value) {
  const std::string& raw = value.raw;
  switch (value.kind) {
    case FieldKind::kNull:
      return {};
    case FieldKind::kInteger: {
      auto bits = ParseIntegerBits(raw);
      return bits ? IntegerText(static_cast<int32_t>(static_cast<uint32_t>(*bits))) : Text();
    }
    case FieldKind::kBigInt: {
      auto bits = ParseIntegerBits(raw);
      return bits ? IntegerText(static_cast<int64_t>(*bits)) : Text();
    }
    case FieldKind::kUnsignedBigInt: {
      auto bits = ParseIntegerBits(raw);
      return bits ? IntegerText(*bits) : Text();
    }
    case FieldKind::kTinyInt: {
      auto bits = ParseIntegerBits(raw);
      return bits ? IntegerText(*bits & 0xFF) : Text();
    }
    case FieldKind::kReal: {
      auto number = ParseNumber<float>(raw);
      return number ? FloatText(*number, 4) : Text();
    }
    case FieldKind::kDouble: {
      auto number = ParseNumber<double>(raw);
      return number ? FloatText(*number, 8) : Text();
    }
    case FieldKind::kDecimal:
      return ExactDecimalText(raw, 8);
    case FieldKind::kCurrency:
      return ExactDecimalText(raw, 0);
    case FieldKind::kDateTime:
    case FieldKind::kText:
      return raw;
    case FieldKind::kBit:
      return raw == "1" || raw == "true" ? "TRUE" : "FALSE";
    case FieldKind::kGuid:
      return GuidText(raw);
    case FieldKind::kBinary:
      return "[BLOB]";
    case FieldKind::kUnknown:
      return "UN_KNOW";
  }
  return {};
}

}  // namespace frame
