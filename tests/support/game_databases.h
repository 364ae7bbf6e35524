// The game's three databases on a private PostgreSQL server, reached through
// the real ODBC path. Each test program that links this starts one server and
// creates KV7_Member, KV7_SiteConfig and KV7_User, each with a dbo schema that
// unqualified names resolve to, as on SQL Server.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "frame/runtime.h"
#include "tests/db/postgres_test_server.h"

namespace game_databases {

db_test::PostgresTestServer& Server();

// The programs' database components, reaching the server at a bare host.
frame::ComponentFactory Components();

// gmdesk's Config.ini for the server (a bare host: the port comes with the
// components).
std::string ConfigIni();

// Runs SQL in one of the databases; fails the test when it fails.
void Execute(std::string_view database, std::string_view sql);
// The rows a query returns, one line each, columns joined by '|'.
std::string Query(std::string_view database, std::string_view sql);

}  // namespace game_databases
