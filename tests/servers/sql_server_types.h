// SQL Server's types that PostgreSQL lacks, as domains named after them in
// the dbo schema of a test database. The TDS test server sends a column
// declared with one as that SQL Server type (tests/servers/tds/tds_type_map.cpp);
// through PostgreSQL's own driver it reads as the domain's base type.
// money, text and nchar name PostgreSQL types of its own, so a column takes
// them as dbo.money, dbo.text and dbo.nchar.
#pragma once

namespace db_test {

inline constexpr const char* kSqlServerTypesSql = R"sql(
CREATE DOMAIN dbo.tinyint AS smallint CHECK (VALUE BETWEEN 0 AND 255);
CREATE DOMAIN dbo.money AS numeric(19, 4)
  CHECK (VALUE BETWEEN -922337203685477.5808 AND 922337203685477.5807);
CREATE DOMAIN dbo.smallmoney AS numeric(10, 4) CHECK (VALUE BETWEEN -214748.3648 AND 214748.3647);
CREATE DOMAIN dbo.datetime AS timestamp(3);
CREATE DOMAIN dbo.smalldatetime AS timestamp(0);
CREATE DOMAIN dbo.datetime2 AS timestamp(6);
CREATE DOMAIN dbo.nvarchar AS varchar(4000);
CREATE DOMAIN dbo.nchar AS char(10);
CREATE DOMAIN dbo.text AS pg_catalog.text;
CREATE DOMAIN dbo.ntext AS pg_catalog.text;
CREATE DOMAIN dbo.varchar_max AS pg_catalog.text;
CREATE DOMAIN dbo.nvarchar_max AS pg_catalog.text;
)sql";

}  // namespace db_test
