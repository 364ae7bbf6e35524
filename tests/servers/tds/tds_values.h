// A result column as SQL Server describes it, and each value in its type's
// binary form, from PostgreSQL's text form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "tests/servers/tds/tds_bytes.h"
#include "tests/servers/tds/tds_type_map.h"

namespace db_test::tds {

// The longest value of a length-bearing type before it needs (max).
inline constexpr uint32_t kMaxShortLength = 8000;

struct TdsColumn {
  std::string name;  // UTF-8
  SqlServerType type = SqlServerType::kNVarChar;
  uint32_t max_length = 0;  // in bytes, for the var and char types
  uint8_t precision = 0;    // decimal
  uint8_t scale = 0;        // decimal
};

// Digits before and after the point of a decimal text such as "-12.50";
// none when it is no such text.
struct DecimalShape {
  int integer_digits = 0;  // without leading zeros
  int fraction_digits = 0;
};
std::optional<DecimalShape> ShapeOfDecimal(std::string_view text);

// The bytes after a decimal's sign byte: 4, 8, 12 or 16.
size_t DecimalWidth(int precision);

// A value's bytes, from PostgreSQL's text form (UTF-8 for texts), without
// the length before them. None when the text is no value of the column's
// type, or one out of its range.
std::optional<Bytes> EncodeValue(const TdsColumn& column, std::string_view text);

}  // namespace db_test::tds
