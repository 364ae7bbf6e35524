#include "tests/servers/tds/tds_values.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

#include "tests/servers/tds/tds_dates.h"
#include "tests/servers/tds/tds_text.h"

namespace db_test::tds {
namespace {

using Int128 = __int128;

bool IsUnicodeText(SqlServerType type) {
  return type == SqlServerType::kNVarChar || type == SqlServerType::kNChar ||
         type == SqlServerType::kNText || type == SqlServerType::kNVarCharMax;
}

std::optional<Bytes> Integer(std::string_view text, int64_t low, int64_t high, size_t width) {
  auto value = NumberFromText<int64_t>(text);
  if (!value || *value < low || *value > high) return std::nullopt;
  return LittleEndian(static_cast<uint64_t>(*value), width);
}

struct DecimalText {
  bool negative = false;
  std::string_view integer;
  std::string_view fraction;
};

std::optional<DecimalText> ParseDecimalText(std::string_view text) {
  DecimalText decimal;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    decimal.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  size_t point = text.find('.');
  decimal.integer = text.substr(0, point);
  if (point != std::string_view::npos) decimal.fraction = text.substr(point + 1);
  auto digits = [](std::string_view part) {
    return part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if ((decimal.integer.empty() && decimal.fraction.empty()) || !digits(decimal.integer) ||
      !digits(decimal.fraction)) {
    return std::nullopt;
  }
  while (!decimal.integer.empty() && decimal.integer.front() == '0')
    decimal.integer.remove_prefix(1);
  return decimal;
}

// The value times 10^scale, rounded half away from zero; none beyond
// `precision` digits.
std::optional<Int128> ScaledDecimal(std::string_view text, int precision, int scale) {
  auto decimal = ParseDecimalText(text);
  if (!decimal) return std::nullopt;
  std::string digits(decimal->integer);
  std::string_view fraction = decimal->fraction;
  bool round_up = false;
  if (fraction.size() > static_cast<size_t>(scale)) {
    round_up = fraction[scale] >= '5';
    fraction = fraction.substr(0, scale);
  }
  digits += fraction;
  digits.append(scale - fraction.size(), '0');
  Int128 magnitude = 0;
  for (char digit : digits)
    magnitude = magnitude * 10 + (digit - '0');
  if (round_up) ++magnitude;
  Int128 limit = 1;
  for (int i = 0; i < precision; ++i)
    limit *= 10;
  if (magnitude >= limit) return std::nullopt;
  return decimal->negative ? -magnitude : magnitude;
}

std::optional<Bytes> Decimal(const TdsColumn& column, std::string_view text) {
  auto value = ScaledDecimal(text, column.precision, column.scale);
  if (!value) return std::nullopt;
  Bytes bytes = {static_cast<uint8_t>(*value < 0 ? 0 : 1)};
  unsigned __int128 magnitude = static_cast<unsigned __int128>(*value < 0 ? -*value : *value);
  for (size_t i = 0; i < DecimalWidth(column.precision); ++i)
    bytes.push_back(static_cast<uint8_t>(magnitude >> (8 * i)));
  return bytes;
}

std::optional<Bytes> Money(std::string_view text, bool small) {
  auto value = ScaledDecimal(text, 19, 4);
  if (!value) return std::nullopt;
  if (small) {
    if (*value < std::numeric_limits<int32_t>::min() ||
        *value > std::numeric_limits<int32_t>::max())
      return std::nullopt;
    return LittleEndian(static_cast<uint32_t>(static_cast<int32_t>(*value)), 4);
  }
  if (*value < std::numeric_limits<int64_t>::min() || *value > std::numeric_limits<int64_t>::max())
    return std::nullopt;
  auto bits = static_cast<uint64_t>(static_cast<int64_t>(*value));
  // The high half goes first.
  Bytes bytes = LittleEndian(bits >> 32, 4);
  Bytes low = LittleEndian(bits & 0xFFFFFFFF, 4);
  bytes.insert(bytes.end(), low.begin(), low.end());
  return bytes;
}

template <class Float>
std::optional<Bytes> FloatingPoint(std::string_view text) {
  auto value = NumberFromText<Float>(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  using Bits = std::conditional_t<sizeof(Float) == 4, uint32_t, uint64_t>;
  return LittleEndian(std::bit_cast<Bits>(*value), sizeof(Float));
}

std::optional<Bytes> HexBytes(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  Bytes bytes;
  for (size_t i = 0; i < hex.size(); i += 2) {
    uint8_t byte = 0;
    auto [end, error] = std::from_chars(hex.data() + i, hex.data() + i + 2, byte, 16);
    if (error != std::errc() || end != hex.data() + i + 2) return std::nullopt;
    bytes.push_back(byte);
  }
  return bytes;
}

// The first three groups go out little-endian, as Windows keeps a GUID.
std::optional<Bytes> UniqueIdentifier(std::string_view text) {
  std::string hex;
  for (char c : text) {
    if (c != '-') hex += c;
  }
  auto bytes = HexBytes(hex);
  if (!bytes || bytes->size() != 16) return std::nullopt;
  Bytes& b = *bytes;
  std::swap(b[0], b[3]);
  std::swap(b[1], b[2]);
  std::swap(b[4], b[5]);
  std::swap(b[6], b[7]);
  return bytes;
}

// The varchar types hold code page 936, the n types UTF-16.
std::optional<Bytes> Text(SqlServerType type, std::string_view text) {
  if (IsUnicodeText(type)) return Utf16FromUtf8(text);
  std::string code_page = Cp936FromUtf8(text);
  return Bytes(code_page.begin(), code_page.end());
}

}  // namespace

size_t DecimalWidth(int precision) {
  return precision <= 9 ? 4 : precision <= 19 ? 8 : precision <= 28 ? 12 : 16;
}

std::optional<DecimalShape> ShapeOfDecimal(std::string_view text) {
  auto decimal = ParseDecimalText(text);
  if (!decimal) return std::nullopt;
  return DecimalShape{static_cast<int>(decimal->integer.size()),
                      static_cast<int>(decimal->fraction.size())};
}

std::optional<Bytes> EncodeValue(const TdsColumn& column, std::string_view text) {
  switch (column.type) {
    case SqlServerType::kTinyInt:
      return Integer(text, 0, 255, 1);
    case SqlServerType::kSmallInt:
      return Integer(text, INT16_MIN, INT16_MAX, 2);
    case SqlServerType::kInt:
      return Integer(text, INT32_MIN, INT32_MAX, 4);
    case SqlServerType::kBigInt:
      return Integer(text, INT64_MIN, INT64_MAX, 8);
    case SqlServerType::kBit:
      if (text != "t" && text != "f") return std::nullopt;
      return Bytes{static_cast<uint8_t>(text == "t")};
    case SqlServerType::kReal:
      return FloatingPoint<float>(text);
    case SqlServerType::kFloat:
      return FloatingPoint<double>(text);
    case SqlServerType::kDecimal:
      return Decimal(column, text);
    case SqlServerType::kMoney:
      return Money(text, false);
    case SqlServerType::kSmallMoney:
      return Money(text, true);
    case SqlServerType::kDateTime:
      return EncodeDateTime(text);
    case SqlServerType::kSmallDateTime:
      return EncodeSmallDateTime(text);
    case SqlServerType::kDateTime2:
      return EncodeDateTime2(text);
    case SqlServerType::kDate:
      return EncodeDate(text);
    case SqlServerType::kTime:
      return EncodeTime(text);
    case SqlServerType::kUniqueIdentifier:
      return UniqueIdentifier(text);
    case SqlServerType::kVarBinaryMax:
      if (!text.starts_with("\\x")) return std::nullopt;
      return HexBytes(text.substr(2));
    default:
      return Text(column.type, text);
  }
}

}  // namespace db_test::tds
