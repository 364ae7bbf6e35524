// Which SQL Server type a PostgreSQL column goes out as.
#pragma once

#include <cstdint>
#include <string>

namespace db_test::tds {

enum class SqlServerType {
  kTinyInt,
  kSmallInt,
  kInt,
  kBigInt,
  kBit,
  kReal,
  kFloat,
  kDecimal,
  kMoney,
  kSmallMoney,
  kDateTime,
  kSmallDateTime,
  kDateTime2,
  kDate,
  kTime,
  kUniqueIdentifier,
  kVarChar,  // code page 936, as are kChar, kText and kVarCharMax
  kChar,
  kText,
  kVarCharMax,
  kNVarChar,  // UTF-16, as are kNChar, kNText and kNVarCharMax
  kNChar,
  kNText,
  kNVarCharMax,
  kVarBinaryMax,
};

// What PostgreSQL tells of a column's type.
struct PostgresType {
  std::string domain;     // the domain a table column is declared with; empty otherwise
  std::string base;       // the base type's name in pg_type
  int32_t modifier = -1;  // the base type's modifier: the domain's, else the column's
};

SqlServerType SqlServerTypeOf(const PostgresType& type);

}  // namespace db_test::tds
