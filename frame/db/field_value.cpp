#include "frame/db/field_value.h"

#include <charconv>
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

std::string NumberText(double value, int places) {
  char buffer[400];  // the widest double in fixed notation fits
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, places);
  if (error != std::errc()) return {};
  return std::string(buffer, end);
}

std::string IntegerText(int64_t value) {
  char buffer[24];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, end);
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

// Exactly `places` digits after the point. A cut rounds to the nearest, a
// tie to even, as printing a double does: every value that a double holds
// exactly reads as it did through one.
void RoundTo(Decimal& decimal, size_t places) {
  if (decimal.fraction.size() <= places) {
    decimal.fraction.append(places - decimal.fraction.size(), '0');
    return;
  }
  char first_cut = decimal.fraction[places];
  bool above_tie = decimal.fraction.find_first_not_of('0', places + 1) != std::string::npos;
  char last_kept = places > 0 ? decimal.fraction[places - 1] : decimal.integer.back();
  bool round_up =
      first_cut > '5' || (first_cut == '5' && (above_tie || (last_kept - '0') % 2 == 1));
  decimal.fraction.resize(places);
  if (!round_up) return;
  std::string digits = decimal.integer + decimal.fraction;
  size_t i = digits.size();
  while (i > 0 && digits[i - 1] == '9')
    digits[--i] = '0';
  if (i == 0) {
    digits.insert(digits.begin(), '1');
  } else {
    ++digits[i - 1];
  }
  decimal.integer = digits.substr(0, digits.size() - places);
  decimal.fraction = digits.substr(digits.size() - places);
}

std::string DecimalText(const Decimal& decimal) {
  bool zero = decimal.integer.find_first_not_of('0') == std::string::npos &&
              decimal.fraction.find_first_not_of('0') == std::string::npos;
  std::string text = decimal.negative && !zero ? "-" : "";
  text += decimal.integer;
  if (!decimal.fraction.empty()) text += "." + decimal.fraction;
  return text;
}

std::string FixedDecimalText(std::string_view raw) {
  std::optional<Decimal> decimal = ParseDecimal(raw);
  if (!decimal) return std::string(raw);
  RoundTo(*decimal, 8);
  return DecimalText(*decimal);
}

std::string CurrencyText(std::string_view raw) {
  std::optional<Decimal> decimal = ParseDecimal(raw);
  if (!decimal) return std::string(raw);
  RoundTo(*decimal, 4);
  size_t last = decimal->fraction.find_last_not_of('0');
  decimal->fraction.resize(last == std::string::npos ? 0 : last + 1);
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
    case FieldKind::kTinyInt: {
      auto bits = ParseIntegerBits(raw);
      return bits ? IntegerText(*bits & 0xFF) : Text();
    }
    case FieldKind::kReal: {
      auto number = ParseNumber<float>(raw);
      return number ? NumberText(*number, 4) : Text();
    }
    case FieldKind::kDouble: {
      auto number = ParseNumber<double>(raw);
      return number ? NumberText(*number, 8) : Text();
    }
    case FieldKind::kDecimal:
      return FixedDecimalText(raw);
    case FieldKind::kCurrency:
      return CurrencyText(raw);
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
