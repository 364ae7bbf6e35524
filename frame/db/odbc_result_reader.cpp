#include "frame/db/odbc_result_reader.h"

#include <sqlext.h>
#include <sqlucode.h>

#include <charconv>
#include <cstdio>
#include <vector>

#include "frame/db/odbc_diagnostics.h"
#include "frame/db/odbc_text.h"

namespace frame {
namespace {

bool SameAsciiLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
    if (x != b[i]) return false;
  }
  return true;
}

template <class Number>
std::string ShortestText(Number value) {
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? std::string(buffer, end) : std::string();
}

// Reads one fixed-size value; false when the call failed.
template <class Target>
bool GetFixed(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT c_type, Target& target,
              SQLLEN& indicator) {
  return SQL_SUCCEEDED(SQLGetData(statement, column, c_type, &target, sizeof target, &indicator));
}

// Reads a character value of any length in pieces. `Unit` is SQLCHAR or
// SQLWCHAR; the driver ends each piece with a zero unit. A value is whole
// only when a piece comes with SQL_SUCCESS: FreeTDS gives long code-page
// texts no total length (SQL_NO_TOTAL) until their last piece.
template <class Unit>
bool GetLong(SQLHSTMT statement, SQLUSMALLINT column, SQLSMALLINT c_type,
             std::basic_string<Unit>& text, bool& is_null) {
  Unit buffer[2048];
  const size_t capacity = sizeof buffer / sizeof(Unit) - 1;
  for (;;) {
    SQLLEN indicator = 0;
    SQLRETURN ret = SQLGetData(statement, column, c_type, buffer, sizeof buffer, &indicator);
    if (ret == SQL_NO_DATA) return true;
    if (!SQL_SUCCEEDED(ret)) return false;
    if (indicator == SQL_NULL_DATA) {
      is_null = true;
      return true;
    }
    bool more =
        ret == SQL_SUCCESS_WITH_INFO &&
        (indicator == SQL_NO_TOTAL || static_cast<size_t>(indicator) / sizeof(Unit) > capacity);
    size_t units = more ? capacity : static_cast<size_t>(indicator) / sizeof(Unit);
    text.append(buffer, units < capacity ? units : capacity);
    if (!more) return true;
  }
}

std::string DateTimeText(const SQL_TIMESTAMP_STRUCT& t) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u %02u:%02u:%02u", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  return buffer;
}

std::string GuidText(const SQLGUID& g) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X",
                static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
  return buffer;
}

// The current row's value of one column. False when the driver failed.
bool ReadValue(SQLHSTMT statement, SQLUSMALLINT column, FieldKind kind, FieldValue& value) {
  SQLLEN indicator = 0;
  bool ok = true;
  bool is_null = false;
  value.kind = kind;
  switch (kind) {
    case FieldKind::kInteger:
    case FieldKind::kBigInt:
    case FieldKind::kTinyInt: {
      SQLBIGINT number = 0;
      ok = GetFixed(statement, column, SQL_C_SBIGINT, number, indicator);
      value.raw = ShortestText(static_cast<int64_t>(number));
      break;
    }
    case FieldKind::kUnsignedBigInt: {
      SQLUBIGINT number = 0;
      ok = GetFixed(statement, column, SQL_C_UBIGINT, number, indicator);
      value.raw = ShortestText(static_cast<uint64_t>(number));
      break;
    }
    case FieldKind::kReal: {
      SQLREAL number = 0;
      ok = GetFixed(statement, column, SQL_C_FLOAT, number, indicator);
      value.raw = ShortestText(number);
      break;
    }
    case FieldKind::kDouble: {
      SQLDOUBLE number = 0;
      ok = GetFixed(statement, column, SQL_C_DOUBLE, number, indicator);
      value.raw = ShortestText(number);
      break;
    }
    case FieldKind::kDecimal:
    case FieldKind::kCurrency: {
      // As text: a double would round 999999999999999999 up.
      std::basic_string<SQLCHAR> digits;
      ok = GetLong(statement, column, SQL_C_CHAR, digits, is_null);
      value.raw.assign(digits.begin(), digits.end());
      break;
    }
    case FieldKind::kDateTime: {
      SQL_TIMESTAMP_STRUCT stamp{};
      ok = GetFixed(statement, column, SQL_C_TYPE_TIMESTAMP, stamp, indicator);
      value.raw = DateTimeText(stamp);
      break;
    }
    case FieldKind::kBit: {
      SQLCHAR bit = 0;
      ok = GetFixed(statement, column, SQL_C_BIT, bit, indicator);
      value.raw = bit != 0 ? "1" : "0";
      break;
    }
    case FieldKind::kText: {
      WideText text;
      ok = GetLong(statement, column, SQL_C_WCHAR, text, is_null);
      value.raw = GbkFromWide(text.data(), text.size());
      break;
    }
    case FieldKind::kGuid: {
      SQLGUID guid{};
      ok = GetFixed(statement, column, SQL_C_GUID, guid, indicator);
      value.raw = GuidText(guid);
      break;
    }
    case FieldKind::kBinary:
    case FieldKind::kUnknown: {
      // Only whether it is NULL matters. A type that the driver cannot hand
      // over as bytes still reads as unknown rather than failing the row.
      SQLCHAR probe[8];
      SQLRETURN ret = SQLGetData(statement, column, SQL_C_BINARY, probe, sizeof probe, &indicator);
      if (!SQL_SUCCEEDED(ret)) {
        ok = kind == FieldKind::kUnknown;
        indicator = 0;
      }
      break;
    }
    case FieldKind::kNull:
      break;
  }
  if (indicator == SQL_NULL_DATA || is_null) value = FieldValue{};
  return ok;
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
  description.name = GbkFromWide(name, units);

  std::string type_name;
  if (sql_type == SQL_DECIMAL || sql_type == SQL_NUMERIC) {
    SQLWCHAR buffer[128] = {};
    SQLSMALLINT bytes = 0;
    if (SQL_SUCCEEDED(SQLColAttributeW(statement, column, SQL_DESC_TYPE_NAME, buffer, sizeof buffer,
                                       &bytes, nullptr))) {
      size_t count = 0;
      while (count < 127 && buffer[count] != 0)
        ++count;
      type_name = Utf8FromWide(buffer, count);
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
      return SameAsciiLetters(type_name, "money") || SameAsciiLetters(type_name, "smallmoney")
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

bool ReadResultTable(SQLHSTMT statement, SQLSMALLINT columns, ResultTable& table,
                     std::string& diagnostic, CallProgress* progress) {
  std::vector<FieldKind> kinds;
  for (SQLUSMALLINT column = 1; column <= columns; ++column) {
    ColumnDescription description;
    if (!DescribeColumn(statement, column, description)) {
      diagnostic = ReadDiagnostic(SQL_HANDLE_STMT, statement).text;
      return false;
    }
    table.columns.push_back(std::move(description.name));
    kinds.push_back(description.kind);
  }
  for (;;) {
    SQLRETURN ret = SQLFetch(statement);
    if (ret == SQL_NO_DATA) return true;
    if (!SQL_SUCCEEDED(ret)) {
      diagnostic = ReadDiagnostic(SQL_HANDLE_STMT, statement).text;
      return false;
    }
    if (progress != nullptr) progress->Step();
    std::vector<FieldValue>& row = table.rows.emplace_back(kinds.size());
    for (SQLUSMALLINT column = 1; column <= columns; ++column) {
      if (!ReadValue(statement, column, kinds[column - 1], row[column - 1])) {
        diagnostic = ReadDiagnostic(SQL_HANDLE_STMT, statement).text;
        return false;
      }
    }
  }
}

}  // namespace frame
