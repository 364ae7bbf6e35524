#include "tests/db/tds/tds_values.h"

#include <bit>
#include <charconv>
#include <chrono>
#include <cmath>
#include <limits>

#include "tests/db/tds/tds_text.h"
#include "tests/db/tds/tds_tokens.h"

namespace db_test::tds {
namespace {

using Int128 = __int128;

constexpr uint8_t kColumnMetadataToken = 0x81;
constexpr uint8_t kRowToken = 0xD1;
constexpr uint8_t kNullBitmapRowToken = 0xD2;
constexpr uint16_t kNullable = 0x0001;
constexpr uint16_t kMaxMarker = 0xFFFF;
constexpr uint64_t kPlpNull = ~uint64_t{0};
constexpr uint16_t kShortNull = 0xFFFF;
constexpr size_t kPlpChunk = 8000;
constexpr uint8_t kTimeScale = 7;  // datetime2 and time: 100 ns units

// How a type's values are framed on the wire.
enum class Framing { kByteLength, kShortLength, kPlp, kTextPointer };

Framing FramingOf(SqlServerType type) {
  switch (type) {
    case SqlServerType::kVarChar:
    case SqlServerType::kChar:
    case SqlServerType::kNVarChar:
    case SqlServerType::kNChar:
      return Framing::kShortLength;
    case SqlServerType::kVarCharMax:
    case SqlServerType::kNVarCharMax:
    case SqlServerType::kVarBinaryMax:
      return Framing::kPlp;
    case SqlServerType::kText:
    case SqlServerType::kNText:
      return Framing::kTextPointer;
    default:
      return Framing::kByteLength;
  }
}

bool IsUnicodeText(SqlServerType type) {
  return type == SqlServerType::kNVarChar || type == SqlServerType::kNChar ||
         type == SqlServerType::kNText || type == SqlServerType::kNVarCharMax;
}

Bytes LittleEndian(uint64_t value, size_t width) {
  Bytes bytes(width);
  for (size_t i = 0; i < width; ++i)
    bytes[i] = static_cast<uint8_t>(value >> (8 * i));
  return bytes;
}

template <class Number>
std::optional<Number> ParseNumber(std::string_view text) {
  Number value{};
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<Bytes> Integer(std::string_view text, int64_t low, int64_t high, size_t width) {
  auto value = ParseNumber<int64_t>(text);
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

size_t DecimalWidth(int precision) {
  return precision <= 9 ? 4 : precision <= 19 ? 8 : precision <= 28 ? 12 : 16;
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
  auto value = ParseNumber<Float>(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  using Bits = std::conditional_t<sizeof(Float) == 4, uint32_t, uint64_t>;
  return LittleEndian(std::bit_cast<Bits>(*value), sizeof(Float));
}

// A date and time of day as PostgreSQL writes them in the ISO style.
struct DateTime {
  int64_t days = 0;          // since 0001-01-01
  int64_t microseconds = 0;  // since midnight
};

std::optional<int> Digits(std::string_view text, size_t at, size_t count) {
  if (at + count > text.size()) return std::nullopt;
  return ParseNumber<int>(text.substr(at, count));
}

int64_t DaysSinceYearOne(int year, unsigned month, unsigned day) {
  using namespace std::chrono;
  constexpr sys_days kYearOne = sys_days(std::chrono::year(1) / 1 / 1);
  return (sys_days(std::chrono::year(year) / month / day) - kYearOne).count();
}

// "HH:MM:SS" with an optional fraction, all of `text`.
std::optional<int64_t> ParseTime(std::string_view text) {
  auto hour = Digits(text, 0, 2);
  auto minute = Digits(text, 3, 2);
  auto second = Digits(text, 6, 2);
  if (!hour || !minute || !second || text[2] != ':' || text[5] != ':') return std::nullopt;
  int64_t microseconds = 0;
  if (text.size() > 8) {
    std::string_view fraction = text.substr(9);
    if (text[8] != '.' || fraction.empty() || fraction.size() > 6) return std::nullopt;
    auto value = ParseNumber<int64_t>(fraction);
    if (!value) return std::nullopt;
    microseconds = *value;
    for (size_t i = fraction.size(); i < 6; ++i)
      microseconds *= 10;
  }
  return ((int64_t{*hour} * 60 + *minute) * 60 + *second) * 1000000 + microseconds;
}

// "YYYY-MM-DD", optionally followed by a blank and a time.
std::optional<DateTime> ParseDateTime(std::string_view text) {
  auto year = Digits(text, 0, 4);
  auto month = Digits(text, 5, 2);
  auto day = Digits(text, 8, 2);
  if (!year || !month || !day || text[4] != '-' || text[7] != '-') return std::nullopt;
  std::chrono::year_month_day date{std::chrono::year(*year), std::chrono::month(*month),
                                   std::chrono::day(*day)};
  if (!date.ok()) return std::nullopt;
  DateTime value{.days = DaysSinceYearOne(*year, *month, *day)};
  if (text.size() > 10) {
    if (text[10] != ' ') return std::nullopt;
    auto time = ParseTime(text.substr(11));
    if (!time) return std::nullopt;
    value.microseconds = *time;
  }
  return value;
}

constexpr int64_t kMicrosecondsPerDay = int64_t{86400} * 1000000;

std::optional<Bytes> SqlDateTime(std::string_view text) {
  auto value = ParseDateTime(text);
  if (!value) return std::nullopt;
  int64_t days = value->days - DaysSinceYearOne(1900, 1, 1);
  // Ticks of 1/300 s, rounded.
  int64_t ticks = (value->microseconds * 3 + 5000) / 10000;
  if (ticks >= 300 * 86400) {
    ++days;
    ticks -= 300 * 86400;
  }
  if (days < DaysSinceYearOne(1753, 1, 1) - DaysSinceYearOne(1900, 1, 1) ||
      days > DaysSinceYearOne(9999, 12, 31) - DaysSinceYearOne(1900, 1, 1)) {
    return std::nullopt;
  }
  Bytes bytes = LittleEndian(static_cast<uint32_t>(static_cast<int32_t>(days)), 4);
  Bytes time = LittleEndian(static_cast<uint64_t>(ticks), 4);
  bytes.insert(bytes.end(), time.begin(), time.end());
  return bytes;
}

std::optional<Bytes> SmallDateTime(std::string_view text) {
  auto value = ParseDateTime(text);
  if (!value) return std::nullopt;
  int64_t days = value->days - DaysSinceYearOne(1900, 1, 1);
  // 29.998 seconds round down, 29.999 up.
  int64_t minutes = (value->microseconds / 1000 + 30001) / 60000;
  if (minutes >= 24 * 60) {
    ++days;
    minutes -= 24 * 60;
  }
  if (days < 0 || days > 0xFFFF) return std::nullopt;
  Bytes bytes = LittleEndian(static_cast<uint64_t>(days), 2);
  bytes.push_back(static_cast<uint8_t>(minutes));
  bytes.push_back(static_cast<uint8_t>(minutes >> 8));
  return bytes;
}

Bytes TimeOfDay(int64_t microseconds) {
  return LittleEndian(static_cast<uint64_t>(microseconds) * 10, 5);
}

std::optional<Bytes> Date(std::string_view text) {
  auto value = ParseDateTime(text);
  if (!value || value->microseconds != 0 || value->days < 0) return std::nullopt;
  return LittleEndian(static_cast<uint64_t>(value->days), 3);
}

std::optional<Bytes> DateTime2(std::string_view text) {
  auto value = ParseDateTime(text);
  if (!value || value->days < 0) return std::nullopt;
  Bytes bytes = TimeOfDay(value->microseconds);
  Bytes date = LittleEndian(static_cast<uint64_t>(value->days), 3);
  bytes.insert(bytes.end(), date.begin(), date.end());
  return bytes;
}

std::optional<Bytes> Time(std::string_view text) {
  auto value = ParseTime(text);
  if (!value || *value >= kMicrosecondsPerDay) return std::nullopt;
  return TimeOfDay(*value);
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

void WriteTypeInfo(ByteWriter& out, const TdsColumn& column) {
  auto fixed = [&out](uint8_t type, uint8_t length) {
    out.U8(type);
    out.U8(length);
  };
  auto character = [&out](uint8_t type, uint16_t length) {
    out.U8(type);
    out.U16(length);
    out.Append(kChinesePrcCiAs);
  };
  auto large = [&out](uint8_t type, uint32_t length) {
    out.U8(type);
    out.U32(length);
    out.Append(kChinesePrcCiAs);
    out.U8(0);  // no table name parts
  };
  auto short_length = static_cast<uint16_t>(column.max_length);
  switch (column.type) {
    case SqlServerType::kTinyInt:
      return fixed(0x26, 1);
    case SqlServerType::kSmallInt:
      return fixed(0x26, 2);
    case SqlServerType::kInt:
      return fixed(0x26, 4);
    case SqlServerType::kBigInt:
      return fixed(0x26, 8);
    case SqlServerType::kBit:
      return fixed(0x68, 1);
    case SqlServerType::kReal:
      return fixed(0x6D, 4);
    case SqlServerType::kFloat:
      return fixed(0x6D, 8);
    case SqlServerType::kDecimal:
      fixed(0x6A, static_cast<uint8_t>(1 + DecimalWidth(column.precision)));
      out.U8(column.precision);
      out.U8(column.scale);
      return;
    case SqlServerType::kMoney:
      return fixed(0x6E, 8);
    case SqlServerType::kSmallMoney:
      return fixed(0x6E, 4);
    case SqlServerType::kDateTime:
      return fixed(0x6F, 8);
    case SqlServerType::kSmallDateTime:
      return fixed(0x6F, 4);
    case SqlServerType::kDateTime2:
      return fixed(0x2A, kTimeScale);
    case SqlServerType::kDate:
      return out.U8(0x28);
    case SqlServerType::kTime:
      return fixed(0x29, kTimeScale);
    case SqlServerType::kUniqueIdentifier:
      return fixed(0x24, 16);
    case SqlServerType::kVarChar:
      return character(0xA7, short_length);
    case SqlServerType::kChar:
      return character(0xAF, short_length);
    case SqlServerType::kVarCharMax:
      return character(0xA7, kMaxMarker);
    case SqlServerType::kNVarChar:
      return character(0xE7, short_length);
    case SqlServerType::kNChar:
      return character(0xEF, short_length);
    case SqlServerType::kNVarCharMax:
      return character(0xE7, kMaxMarker);
    case SqlServerType::kText:
      return large(0x23, 0x7FFFFFFF);
    case SqlServerType::kNText:
      return large(0x63, 0x7FFFFFFE);
    case SqlServerType::kVarBinaryMax:
      out.U8(0xA5);
      out.U16(kMaxMarker);
      return;
  }
}

void WriteValue(ByteWriter& out, SqlServerType type, const std::optional<Bytes>& value) {
  switch (FramingOf(type)) {
    case Framing::kByteLength:
      out.U8(value ? static_cast<uint8_t>(value->size()) : 0);
      break;
    case Framing::kShortLength:
      out.U16(value ? static_cast<uint16_t>(value->size()) : kShortNull);
      break;
    case Framing::kPlp:
      out.U64(value ? value->size() : kPlpNull);
      if (!value) return;
      for (size_t at = 0; at < value->size(); at += kPlpChunk) {
        std::span<const uint8_t> chunk = std::span(*value).subspan(at);
        chunk = chunk.first(std::min(chunk.size(), kPlpChunk));
        out.U32(static_cast<uint32_t>(chunk.size()));
        out.Append(chunk);
      }
      out.U32(0);
      return;
    case Framing::kTextPointer:
      if (!value) {
        out.U8(0);
        return;
      }
      out.U8(16);
      out.Append(Bytes(16, 0xAB));  // text pointer
      out.Append(Bytes(8, 0x01));   // timestamp
      out.U32(static_cast<uint32_t>(value->size()));
      break;
  }
  if (value) out.Append(*value);
}

}  // namespace

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
      return SqlDateTime(text);
    case SqlServerType::kSmallDateTime:
      return SmallDateTime(text);
    case SqlServerType::kDateTime2:
      return DateTime2(text);
    case SqlServerType::kDate:
      return Date(text);
    case SqlServerType::kTime:
      return Time(text);
    case SqlServerType::kUniqueIdentifier:
      return UniqueIdentifier(text);
    case SqlServerType::kVarBinaryMax:
      if (!text.starts_with("\\x")) return std::nullopt;
      return HexBytes(text.substr(2));
    default:
      return Text(column.type, text);
  }
}

void WriteColumnMetadata(ByteWriter& out, std::span<const TdsColumn> columns) {
  out.U8(kColumnMetadataToken);
  out.U16(static_cast<uint16_t>(columns.size()));
  for (const TdsColumn& column : columns) {
    out.U32(0);  // user type
    out.U16(kNullable);
    WriteTypeInfo(out, column);
    out.BVarChar(column.name);
  }
}

void WriteRow(ByteWriter& out, std::span<const TdsColumn> columns,
              std::span<const std::optional<Bytes>> values) {
  bool any_null = false;
  for (const auto& value : values)
    any_null = any_null || !value;
  if (!any_null) {
    out.U8(kRowToken);
    for (size_t i = 0; i < columns.size(); ++i)
      WriteValue(out, columns[i].type, values[i]);
    return;
  }
  out.U8(kNullBitmapRowToken);
  Bytes bitmap((columns.size() + 7) / 8, 0);
  for (size_t i = 0; i < columns.size(); ++i) {
    if (!values[i]) bitmap[i / 8] |= static_cast<uint8_t>(1 << (i % 8));
  }
  out.Append(bitmap);
  for (size_t i = 0; i < columns.size(); ++i) {
    if (values[i]) WriteValue(out, columns[i].type, values[i]);
  }
}

}  // namespace db_test::tds
