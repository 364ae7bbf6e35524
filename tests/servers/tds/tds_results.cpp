#include "tests/servers/tds/tds_results.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "tests/servers/tds/tds_rows.h"
#include "tests/servers/tds/tds_values.h"

namespace db_test::tds {
namespace {

constexpr int kMaxPrecision = 38;

bool IsCharacterType(SqlServerType type) {
  switch (type) {
    case SqlServerType::kVarChar:
    case SqlServerType::kChar:
    case SqlServerType::kNVarChar:
    case SqlServerType::kNChar:
      return true;
    default:
      return false;
  }
}

bool IsUnicode(SqlServerType type) {
  return type == SqlServerType::kNVarChar || type == SqlServerType::kNChar;
}

// Precision and scale from numeric(p,s), or wide enough for every value.
void SizeDecimal(TdsColumn& column, const PostgresType& type, const PGresult* result, int field) {
  if (type.modifier >= 4) {
    int precision = (type.modifier - 4) >> 16 & 0xFFFF;
    int scale = (type.modifier - 4) & 0xFFFF;
    if (precision <= kMaxPrecision && scale <= precision) {
      column.precision = static_cast<uint8_t>(precision);
      column.scale = static_cast<uint8_t>(scale);
      return;
    }
  }
  int integer_digits = 0;
  int fraction_digits = 0;
  for (int row = 0; row < PQntuples(result); ++row) {
    if (PQgetisnull(result, row, field)) continue;
    if (auto shape = ShapeOfDecimal(PQgetvalue(result, row, field))) {
      integer_digits = std::max(integer_digits, shape->integer_digits);
      fraction_digits = std::max(fraction_digits, shape->fraction_digits);
    }
  }
  fraction_digits = std::min(fraction_digits, std::max(0, kMaxPrecision - integer_digits));
  int precision = std::clamp(integer_digits + fraction_digits, 1, kMaxPrecision);
  column.precision = static_cast<uint8_t>(precision);
  column.scale = static_cast<uint8_t>(fraction_digits);
}

// The declared length: the column's own, or more when a value needs it;
// past 8000 bytes the (max) type.
void SizeCharacters(TdsColumn& column, const PostgresType& type,
                    const std::vector<std::optional<Bytes>>& values) {
  size_t unit = IsUnicode(column.type) ? 2 : 1;
  size_t length = unit;
  if ((type.base == "varchar" || type.base == "bpchar") && type.modifier >= 4) {
    length = std::max(length, static_cast<size_t>(type.modifier - 4) * unit);
  }
  for (const auto& value : values) {
    if (value) length = std::max(length, value->size());
  }
  if (length > kMaxShortLength) {
    column.type = IsUnicode(column.type) ? SqlServerType::kNVarCharMax : SqlServerType::kVarCharMax;
  }
  column.max_length = static_cast<uint32_t>(std::min<size_t>(length, kMaxShortLength));
}

struct NumberedState {
  const char* sqlstate;
  int32_t number;
};

// SQL Server's numbers for the faults the tools can meet, so that the driver
// derives the SQLSTATE it would from SQL Server.
constexpr NumberedState kErrorNumbers[] = {
    {"42601", 102},   // incorrect syntax
    {"42P01", 208},   // invalid object name
    {"42703", 207},   // invalid column name
    {"42883", 2812},  // no such procedure or function
    {"23505", 2627},  // duplicate key
    {"23502", 515},   // NULL into a NOT NULL column
    {"22P02", 245},   // conversion failed
    {"22003", 8115},  // arithmetic overflow
    {"57014", 3617},  // cancelled
};

}  // namespace

bool WriteResultSet(ByteWriter& out, const PGresult* result, PostgresColumnTypes& types,
                    ServerMessage& error) {
  const int fields = PQnfields(result);
  const int rows = PQntuples(result);
  std::vector<TdsColumn> columns(fields);
  // cells[row][field]
  std::vector<std::vector<std::optional<Bytes>>> cells(rows,
                                                       std::vector<std::optional<Bytes>>(fields));
  for (int field = 0; field < fields; ++field) {
    TdsColumn& column = columns[field];
    PostgresType type = types.TypeOf(result, field);
    column.name = PQfname(result, field);
    column.type = SqlServerTypeOf(type);
    if (column.type == SqlServerType::kDecimal) SizeDecimal(column, type, result, field);

    std::vector<std::optional<Bytes>> values(rows);
    for (int row = 0; row < rows; ++row) {
      if (PQgetisnull(result, row, field)) continue;
      const char* text = PQgetvalue(result, row, field);
      values[row] = EncodeValue(column, std::string_view(text, PQgetlength(result, row, field)));
      if (!values[row]) {
        error = {.number = 8115,
                 .text = "The value '" + std::string(text) + "' of column '" + column.name +
                         "' has no form in its SQL Server type."};
        return false;
      }
    }
    if (IsCharacterType(column.type)) SizeCharacters(column, type, values);
    for (int row = 0; row < rows; ++row)
      cells[row][field] = std::move(values[row]);
  }
  WriteColumnMetadata(out, columns);
  for (const auto& row : cells)
    WriteRow(out, columns, row);
  return true;
}

Done DoneOf(PGresult* result) {
  Done done;
  std::string_view status = PQcmdStatus(result);
  std::string_view command = status.substr(0, status.find(' '));
  if (command == "SELECT") done.command = kCommandSelect;
  if (command == "INSERT") done.command = kCommandInsert;
  if (command == "UPDATE") done.command = kCommandUpdate;
  if (command == "DELETE") done.command = kCommandDelete;
  std::string_view count = PQcmdTuples(result);
  if (!count.empty()) {
    done.status |= kDoneCount;
    done.row_count = std::stoull(std::string(count));
  }
  return done;
}

ServerMessage ErrorOf(const PGresult* result) {
  ServerMessage message{.number = 50000};
  const char* sqlstate = PQresultErrorField(result, PG_DIAG_SQLSTATE);
  for (const NumberedState& known : kErrorNumbers) {
    if (sqlstate != nullptr && std::string_view(sqlstate) == known.sqlstate) {
      message.number = known.number;
    }
  }
  const char* text = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
  message.text = text != nullptr ? text : PQresultErrorMessage(result);
  return message;
}

}  // namespace db_test::tds
