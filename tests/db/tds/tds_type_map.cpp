#include "tests/db/tds/tds_type_map.h"

#include <string_view>

namespace db_test::tds {
namespace {

enum class Source { kBuiltIn, kDomain };

struct TypeMapping {
  const char* postgres;  // a built-in type's or a domain's name
  Source source;
  SqlServerType sql_server;
};

// Built-in types go out as their SQL Server namesakes. The types PostgreSQL
// lacks are domains of the test schema, named after them; a length or
// precision comes from the domain's base type. Every other type goes out as
// nvarchar of its text.
constexpr TypeMapping kTypeMappings[] = {
    {"int2", Source::kBuiltIn, SqlServerType::kSmallInt},
    {"int4", Source::kBuiltIn, SqlServerType::kInt},
    {"int8", Source::kBuiltIn, SqlServerType::kBigInt},
    // boolean is SQL Server's bit.
    {"bool", Source::kBuiltIn, SqlServerType::kBit},
    {"float4", Source::kBuiltIn, SqlServerType::kReal},
    {"float8", Source::kBuiltIn, SqlServerType::kFloat},
    // numeric(p,s) as decimal(p,s); without them, as wide as its values.
    {"numeric", Source::kBuiltIn, SqlServerType::kDecimal},
    // timestamp is the game tables' datetime.
    {"timestamp", Source::kBuiltIn, SqlServerType::kDateTime},
    {"date", Source::kBuiltIn, SqlServerType::kDate},
    {"time", Source::kBuiltIn, SqlServerType::kTime},
    {"uuid", Source::kBuiltIn, SqlServerType::kUniqueIdentifier},
    // varchar(n) and char(n) hold code-page texts, as SQL Server's do; a
    // varchar without a length is varchar(max).
    {"varchar", Source::kBuiltIn, SqlServerType::kVarChar},
    {"bpchar", Source::kBuiltIn, SqlServerType::kChar},
    // bytea as varbinary(max).
    {"bytea", Source::kBuiltIn, SqlServerType::kVarBinaryMax},
    // smallint limited to 0..255.
    {"tinyint", Source::kDomain, SqlServerType::kTinyInt},
    // numeric(19,4) and numeric(10,4) within the ranges of SQL Server's money types.
    {"money", Source::kDomain, SqlServerType::kMoney},
    {"smallmoney", Source::kDomain, SqlServerType::kSmallMoney},
    // timestamp(3), as datetime keeps milliseconds (in 1/300 s).
    {"datetime", Source::kDomain, SqlServerType::kDateTime},
    // timestamp(0): smalldatetime keeps minutes.
    {"smalldatetime", Source::kDomain, SqlServerType::kSmallDateTime},
    // timestamp: datetime2(7), with PostgreSQL's microseconds.
    {"datetime2", Source::kDomain, SqlServerType::kDateTime2},
    // varchar(n): nvarchar(n).
    {"nvarchar", Source::kDomain, SqlServerType::kNVarChar},
    // char(n): nchar(n).
    {"nchar", Source::kDomain, SqlServerType::kNChar},
    // text as the old large types, with a text pointer before each value.
    {"text", Source::kDomain, SqlServerType::kText},
    {"ntext", Source::kDomain, SqlServerType::kNText},
    // text as the (max) types, sent in PLP chunks.
    {"varchar_max", Source::kDomain, SqlServerType::kVarCharMax},
    {"nvarchar_max", Source::kDomain, SqlServerType::kNVarCharMax},
};

}  // namespace

SqlServerType SqlServerTypeOf(const PostgresType& type) {
  auto find = [](std::string_view name, Source source) -> const TypeMapping* {
    for (const TypeMapping& mapping : kTypeMappings) {
      if (mapping.source == source && name == mapping.postgres) return &mapping;
    }
    return nullptr;
  };
  const TypeMapping* mapping = nullptr;
  if (!type.domain.empty()) mapping = find(type.domain, Source::kDomain);
  if (mapping == nullptr) mapping = find(type.base, Source::kBuiltIn);
  if (mapping == nullptr) return SqlServerType::kNVarChar;
  if (mapping->sql_server == SqlServerType::kVarChar && type.modifier < 0) {
    return SqlServerType::kVarCharMax;
  }
  return mapping->sql_server;
}

}  // namespace db_test::tds
