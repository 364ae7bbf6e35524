#include "frame/db/odbc/odbc_result_reader.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "frame/db/odbc/odbc_api.h"
#include "frame/db/odbc/odbc_diagnostics.h"
#include "frame/db/odbc/odbc_text.h"
#include "frame/db/text_forms.h"
#include "frame/text/ascii.h"

namespace frame {
namespace {

// Reads one fixed-size value and hands it to `append`, or stores a NULL.
// False when the call failed.
template <class Target, class Append>
bool ReadFixed(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT c_type, ResultRows& rows,
               Append append) {
  Target target{};
  SQLLEN indicator = 0;
  if (!SQL_SUCCEEDED(SQLGetData(statement, column, c_type, &target, sizeof target, &indicator))) {
    return false;
  }
  if (indicator == SQL_NULL_DATA) {
    rows.AppendNull();
  } else {
    append(target);
  }
  return true;
}

// Reads a character value of any length into `buffer`, `length` units of it.
// `Unit` is SQLCHAR or SQLWCHAR; the driver ends each piece with a zero
// unit. A value is whole only when a piece comes with SQL_SUCCESS: FreeTDS
// gives long code-page texts no total length (SQL_NO_TOTAL) until their last
// piece.
template <class Unit>
bool GetCharacters(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT c_type,
                   std::vector<Unit>& buffer, size_t& length, bool& is_null) {
  length = 0;
  is_null = false;
  for (;;) {
    const size_t capacity = buffer.size() - length - 1;
    SQLLEN indicator = 0;
    SQLRETURN ret = SQLGetData(statement, column, c_type, buffer.data() + length,
                               static_cast<SQLLEN>((capacity + 1) * sizeof(Unit)), &indicator);
    if (ret == SQL_NO_DATA) return true;
    if (!SQL_SUCCEEDED(ret)) return false;
    if (indicator == SQL_NULL_DATA) {
      is_null = true;
      return true;
    }
    size_t units = static_cast<size_t>(indicator) / sizeof(Unit);
    bool more = ret == SQL_SUCCESS_WITH_INFO && (indicator == SQL_NO_TOTAL || units > capacity);
    if (!more) {
      length += std::min(units, capacity);
      return true;
    }
    length += capacity;
    // Room for the rest when the driver tells its size, else twice as much.
    size_t rest = indicator == SQL_NO_TOTAL ? buffer.size() : units - capacity;
    buffer.resize(length + rest + 1);
  }
}

// What reading values reuses from row to row.
struct Scratch {
  std::vector<SQLWCHAR> wide = std::vector<SQLWCHAR>(1024);
  std::vector<SQLCHAR> narrow = std::vector<SQLCHAR>(128);
};

DbResult<> EndText(ResultRows& rows) {
  if (rows.EndText()) return Done{};
  return DbError{"HY001", "the result's texts are too large to hold"};
}

// Stores the current row's value of one column in the form its text is made
// from. Date-times come as structs, which the drivers fill without printing a
// text; GUIDs come as text, which PostgreSQL's driver hands over as it holds
// it (its struct goes through sscanf).
DbResult<> ReadValue(SQLHSTMT statement, SQLUSMALLINT column, FieldKind kind, Scratch& scratch,
                     ResultRows& rows) {
  bool ok = true;
  size_t length = 0;
  bool is_null = false;
  switch (kind) {
    case FieldKind::kInteger:
    case FieldKind::kBigInt:
    case FieldKind::kTinyInt:
      ok = ReadFixed<SQLBIGINT>(statement, column, SQL_C_SBIGINT, rows,
                                [&](SQLBIGINT number) { rows.AppendInteger(number); });
      break;
    case FieldKind::kUnsignedBigInt:
      ok = ReadFixed<SQLUBIGINT>(statement, column, SQL_C_UBIGINT, rows,
                                 [&](SQLUBIGINT number) { rows.AppendUnsigned(number); });
      break;
    case FieldKind::kReal:
      ok = ReadFixed<SQLREAL>(statement, column, SQL_C_FLOAT, rows,
                              [&](SQLREAL number) { rows.AppendReal(number); });
      break;
    case FieldKind::kDouble:
      ok = ReadFixed<SQLDOUBLE>(statement, column, SQL_C_DOUBLE, rows,
                                [&](SQLDOUBLE number) { rows.AppendDouble(number); });
      break;
    case FieldKind::kDateTime:
      ok = ReadFixed<SQL_TIMESTAMP_STRUCT>(
          statement, column, SQL_C_TYPE_TIMESTAMP, rows, [&](const SQL_TIMESTAMP_STRUCT& t) {
            rows.AppendDateTime({t.year, static_cast<uint8_t>(t.month), static_cast<uint8_t>(t.day),
                                 static_cast<uint8_t>(t.hour), static_cast<uint8_t>(t.minute),
                                 static_cast<uint8_t>(t.second)});
          });
      break;
    case FieldKind::kBit:
      ok = ReadFixed<SQLCHAR>(statement, column, SQL_C_BIT, rows,
                              [&](SQLCHAR bit) { rows.AppendBit(bit != 0); });
      break;
    case FieldKind::kDecimal:
    case FieldKind::kCurrency:
      // As text: a double would round 999999999999999999 up.
      ok = GetCharacters(statement, column, SQL_C_CHAR, scratch.narrow, length, is_null);
      if (!ok) break;
      if (is_null) {
        rows.AppendNull();
        break;
      }
      AppendDecimalText(
          std::string_view(reinterpret_cast<const char*>(scratch.narrow.data()), length), 0,
          rows.AppendText());
      return EndText(rows);
    case FieldKind::kText:
      ok = GetCharacters(statement, column, SQL_C_WCHAR, scratch.wide, length, is_null);
      if (!ok) break;
      if (is_null) {
        rows.AppendNull();
        break;
      }
      AppendGbkFromUtf16(rows.AppendText(), Utf16Units(scratch.wide.data()), length);
      return EndText(rows);
    case FieldKind::kGuid: {
      ok = GetCharacters(statement, column, SQL_C_CHAR, scratch.narrow, length, is_null);
      if (!ok) break;
      std::optional<Guid> guid;
      if (!is_null) {
        guid = ParseGuid(
            std::string_view(reinterpret_cast<const char*>(scratch.narrow.data()), length));
      }
      if (guid) {
        rows.AppendGuid(*guid);
      } else {
        rows.AppendNull();
      }
      break;
    }
    case FieldKind::kBinary:
    case FieldKind::kUnknown: {
      // Only whether it is NULL matters. A type that the driver cannot hand
      // over as bytes still reads as unknown rather than failing the row.
      SQLCHAR probe[8];
      SQLLEN indicator = 0;
      SQLRETURN ret = SQLGetData(statement, column, SQL_C_BINARY, probe, sizeof probe, &indicator);
      if (!SQL_SUCCEEDED(ret)) {
        ok = kind == FieldKind::kUnknown;
        indicator = 0;
      }
      if (!ok) break;
      if (indicator == SQL_NULL_DATA) {
        rows.AppendNull();
      } else {
        rows.AppendPresent();
      }
      break;
    }
    case FieldKind::kNull:
      rows.AppendNull();
      break;
  }
  if (!ok) return ReadDiagnostic(SQL_HANDLE_STMT, statement);
  return Done{};
}

struct ColumnDescription {
  Text name;
  FieldKind kind = FieldKind::kUnknown;
};

bool DescribeColumn(SQLHSTMT statement, SQLUSMALLINT column, ColumnDescription& description) {
  SQLWCHAR name[512];
  SQLSMALLINT name_length = 0;
  SQLSMALLINT sql_type = 0;
  SQLULEN size = 0;
  SQLSMALLINT digits = 0;
  SQLSMALLINT nullable = 0;
  if (!SQL_SUCCEEDED(SQLDescribeColW(statement, column, name, sizeof name / sizeof name[0],
                                     &name_length, &sql_type, &size, &digits, &nullable))) {
    return false;
  }
  size_t units = name_length < 512 ? static_cast<size_t>(name_length) : 511;
  description.name = GbkFromUtf16(Utf16Units(name), units);

  std::string type_name;
  if (sql_type == SQL_DECIMAL || sql_type == SQL_NUMERIC) {
    SQLWCHAR buffer[128] = {};
    SQLSMALLINT bytes = 0;
    if (SQL_SUCCEEDED(SQLColAttributeW(statement, column, SQL_DESC_TYPE_NAME, buffer, sizeof buffer,
                                       &bytes, nullptr))) {
      size_t count = 0;
      while (count < 127 && buffer[count] != 0)
        ++count;
      type_name = Utf8FromUtf16(Utf16Units(buffer), count);
    }
  }
  SQLLEN is_unsigned = SQL_FALSE;
  if (sql_type == SQL_BIGINT &&
      !SQL_SUCCEEDED(SQLColAttributeW(statement, column, SQL_DESC_UNSIGNED, nullptr, 0, nullptr,
                                      &is_unsigned))) {
    is_unsigned = SQL_FALSE;
  }
  description.kind = OdbcFieldKind(sql_type, type_name, is_unsigned == SQL_TRUE);
  return true;
}

}  // namespace

FieldKind OdbcFieldKind(SQLSMALLINT sql_type, std::string_view type_name, bool is_unsigned) {
  switch (sql_type) {
    case SQL_SMALLINT:
    case SQL_INTEGER:
      return FieldKind::kInteger;
    case SQL_BIGINT:
      return is_unsigned ? FieldKind::kUnsignedBigInt : FieldKind::kBigInt;
    case SQL_TINYINT:
      return FieldKind::kTinyInt;
    case SQL_REAL:
      return FieldKind::kReal;
    case SQL_FLOAT:
    case SQL_DOUBLE:
      return FieldKind::kDouble;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
      return EqualIgnoringAsciiCase(type_name, "money") ||
                     EqualIgnoringAsciiCase(type_name, "smallmoney")
                 ? FieldKind::kCurrency
                 : FieldKind::kDecimal;
    case SQL_DATE:  // the ODBC 2 codes, from older drivers
    case SQL_TIMESTAMP:
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIMESTAMP:
      return FieldKind::kDateTime;
    case SQL_BIT:
      return FieldKind::kBit;
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_LONGVARCHAR:
    case SQL_WCHAR:
    case SQL_WVARCHAR:
    case SQL_WLONGVARCHAR:
      return FieldKind::kText;
    case SQL_GUID:
      return FieldKind::kGuid;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
      return FieldKind::kBinary;
    default:
      return FieldKind::kUnknown;
  }
}

DbResult<ResultRows> ReadResultRows(SQLHSTMT statement, SQLSMALLINT columns,
                                    CallProgress* progress) {
  std::vector<ResultRows::Column> described;
  std::vector<FieldKind> kinds;
  for (SQLUSMALLINT column = 1; column <= columns; ++column) {
    ColumnDescription description;
    if (!DescribeColumn(statement, column, description)) {
      return ReadDiagnostic(SQL_HANDLE_STMT, statement);
    }
    kinds.push_back(description.kind);
    described.push_back({std::move(description.name), description.kind});
  }
  ResultRows rows(std::move(described));
  Scratch scratch;
  for (;;) {
    SQLRETURN ret = SQLFetch(statement);
    if (ret == SQL_NO_DATA) return rows;
    if (!SQL_SUCCEEDED(ret)) return ReadDiagnostic(SQL_HANDLE_STMT, statement);
    if (progress != nullptr) {
      if (progress->abandoned()) return DbError{"HY008", "the caller gave up on the rows"};
      progress->Step();
    }
    rows.AddRow();
    for (SQLUSMALLINT column = 1; column <= columns; ++column) {
      DbResult<> read = ReadValue(statement, column, kinds[column - 1], scratch, rows);
      if (!read) return read.error();
    }
  }
}

}  // namespace frame
