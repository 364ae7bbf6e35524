#include "tests/servers/tds/tds_type_map.h"

#include <string_view>

namespace db_test::tds {
namespace {

enum class Source { kBuiltIn, kDomain };

struct TypeMapping {
  const char* postgres;  // a built-in type's or a domain's name
  Source source;
  SqlServerType sql_server;
};

// Built-in types go out as their SQL Server counterparts. The types that
// PostgreSQL lacks are domains of the test schema (tests/servers/sql_server_types.h)
// named after them; a length comes from the domain's base type. Every other
// type goes out as nvarchar of its text.
constexpr TypeMapping kTypeMappings[] = {
    // smallint, integer, bigint: the same.
    {"int2", Source::kBuiltIn, SqlServerType::kSmallInt},
    {"int4", Source::kBuiltIn, SqlServerType::kInt},
    {"int8", Source::kBuiltIn, SqlServerType::kBigInt},
    // boolean: bit.
    {"bool", Source::kBuiltIn, SqlServerType::kBit},
    // real: real; double precision: float.
    {"float4", Source::kBuiltIn, SqlServerType::kReal},
    {"float8", Source::kBuiltIn, SqlServerType::kFloat},
    // numeric(p,s): decimal(p,s); without them, as wide as its values.
    {"numeric", Source::kBuiltIn, SqlServerType::kDecimal},
    // timestamp: datetime, the type of the game tables' dates.
    {"timestamp", Source::kBuiltIn, SqlServerType::kDateTime},
    // date and time: the same (time with 100 ns units).
    {"date", Source::kBuiltIn, SqlServerType::kDate},
    {"time", Source::kBuiltIn, SqlServerType::kTime},
    // uuid: uniqueidentifier.
    {"uuid", Source::kBuiltIn, SqlServerType::kUniqueIdentifier},
    // varchar(n): varchar(n) in code page 936; without a length, varchar(max).
    {"varchar", Source::kBuiltIn, SqlServerType::kVarChar},
    // char(n): char(n) in code page 936.
    {"bpchar", Source::kBuiltIn, SqlServerType::kChar},
    // bytea: varbinary(max).
    {"bytea", Source::kBuiltIn, SqlServerType::kVarBinaryMax},
    // smallint within 0..255: tinyint.
    {"tinyint", Source::kDomain, SqlServerType::kTinyInt},
    // numeric(19,4) within money's range: money.
    {"money", Source::kDomain, SqlServerType::kMoney},
    // numeric(10,4) within smallmoney's range: smallmoney.
    {"smallmoney", Source::kDomain, SqlServerType::kSmallMoney},
    // timestamp(3): datetime (1/300 s).
    {"datetime", Source::kDomain, SqlServerType::kDateTime},
    // timestamp(0): smalldatetime (minutes).
    {"smalldatetime", Source::kDomain, SqlServerType::kSmallDateTime},
    // timestamp: datetime2(7).
    {"datetime2", Source::kDomain, SqlServerType::kDateTime2},
    // varchar(4000): nvarchar(4000).
    {"nvarchar", Source::kDomain, SqlServerType::kNVarChar},
    // char(10): nchar(10).
    {"nchar", Source::kDomain, SqlServerType::kNChar},
    // text: text in code page 936, with a text pointer before each value.
    {"text", Source::kDomain, SqlServerType::kText},
    // text: ntext, with a text pointer before each value.
    {"ntext", Source::kDomain, SqlServerType::kNText},
    // text: varchar(max) in code page 936, in PLP chunks.
    {"varchar_max", Source::kDomain, SqlServerType::kVarCharMax},
    // text: nvarchar(max), in PLP chunks.
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
