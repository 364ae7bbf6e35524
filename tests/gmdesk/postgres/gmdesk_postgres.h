// gmdesk against a private PostgreSQL server through the real ODBC path. Each
// test program starts one server and creates the three databases, each with
// a dbo schema that unqualified names resolve to, as on SQL Server.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tests/db/postgres_test_server.h"

namespace gmdesk_pg {

db_test::PostgresTestServer& Server();

// A Config.ini that reaches the server (its port comes from the environment).
std::string ConfigIni();

// Runs SQL in one of the databases; fails the test when it fails.
void Execute(std::string_view database, std::string_view sql);
// The rows a query returns, one line each, columns joined by '|'.
std::string Query(std::string_view database, std::string_view sql);

}  // namespace gmdesk_pg
