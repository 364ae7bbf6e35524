// On Windows the server is always a session of the server host: initdb and
// postgres are Linux programs, and the suites run under wine.
#include <cstdio>

#include "tests/servers/host/host_client.h"
#include "tests/servers/postgres_test_server.h"

namespace db_test {

PostgresTestServer::PostgresTestServer() : external_(true) {}

PostgresTestServer::~PostgresTestServer() = default;

bool PostgresTestServer::Start() {
  host::HostClient* session = host::HostClient::Session();
  if (session == nullptr) {
    std::fprintf(stderr, "no server host: DB_TEST_SERVER_HOST names none that answers\n");
    return false;
  }
  port_ = session->postgres_port();
  return true;
}

// The session's servers end with the process.
void PostgresTestServer::Stop() {}

bool PostgresTestServer::RunSql(std::string_view database, std::string_view sql) const {
  host::HostClient* session = host::HostClient::Session();
  return session != nullptr && session->RunSql(database, sql);
}

std::optional<std::string> PostgresTestServer::Query(std::string_view database,
                                                     std::string_view sql) const {
  host::HostClient* session = host::HostClient::Session();
  if (session == nullptr) return std::nullopt;
  return session->Query(database, sql);
}

}  // namespace db_test
