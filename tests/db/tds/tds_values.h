// Result columns and values as SQL Server sends them: the type info of
// COLMETADATA, and each value in its type's binary form after the length
// form the type uses (one byte, two bytes, PLP chunks or a text pointer).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tests/db/tds/tds_bytes.h"
#include "tests/db/tds/tds_type_map.h"

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

// A value's bytes, from PostgreSQL's text form (UTF-8 for texts). None when
// the text is no value of the column's type, or one out of its range.
std::optional<Bytes> EncodeValue(const TdsColumn& column, std::string_view text);

void WriteColumnMetadata(ByteWriter& out, std::span<const TdsColumn> columns);
// NBCROW when a value is NULL (none), ROW otherwise.
void WriteRow(ByteWriter& out, std::span<const TdsColumn> columns,
              std::span<const std::optional<Bytes>> values);

}  // namespace db_test::tds
