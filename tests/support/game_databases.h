// The game's three databases on a private PostgreSQL server, reached through
// the real ODBC path: PostgreSQL's own driver, or FreeTDS in front of the TDS
// test server (tests/servers/suite_driver.h). Each test program that links this
// starts one server and creates KV7_Member, KV7_SiteConfig and KV7_User, each
// with a dbo schema that unqualified names resolve to, as on SQL Server, and
// SQL Server's types as domains there.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "frame/runtime/runtime.h"
#include "tests/servers/postgres_test_server.h"
#include "tests/servers/suite_driver.h"

namespace game_databases {

db_test::PostgresTestServer& Server();
db_test::SuiteDriver& Driver();

// The programs' database components; a bare host reaches the server the
// driver talks to.
frame::ComponentFactory Components();

// The server text a program connects with: "127.0.0.1", or with the TDS
// test server's port on the FreeTDS run.
std::string ServerText();

// gmdesk's Config.ini for the server.
std::string ConfigIni();

// While it lives, on the FreeTDS run, the TDS test server answers each
// INSERT, UPDATE and DELETE as SQL Server does for a table with a trigger
// that reports a count of its own: the trigger's count comes first, and
// FreeTDS reports it as the statement's. PostgreSQL's driver reports the
// statement's own count, so the other run goes on as without it.
class TriggerCountOnFreeTds {
 public:
  explicit TriggerCountOnFreeTds(int64_t count);
  ~TriggerCountOnFreeTds();
  TriggerCountOnFreeTds(const TriggerCountOnFreeTds&) = delete;
  TriggerCountOnFreeTds& operator=(const TriggerCountOnFreeTds&) = delete;
};

// Runs SQL in one of the databases; fails the test when it fails.
void Execute(std::string_view database, std::string_view sql);
// The rows a query returns, one line each, columns joined by '|'.
std::string Query(std::string_view database, std::string_view sql);

}  // namespace game_databases
