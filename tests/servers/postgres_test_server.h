// A private PostgreSQL server on a free loopback port, for the suites that
// run the ODBC components against a real database. Its cluster lives in a
// fresh directory; as root the server runs as the postgres user, since
// initdb refuses root. The server dies with the test process. When the suite
// uses a server host (host/host_client.h), the server is its session's.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace db_test {

class PostgresTestServer {
 public:
  // The superuser, with trust authentication on loopback: any password works.
  static constexpr const char* kUser = "sa";

  PostgresTestServer();  // creates the cluster; Start() runs it
  PostgresTestServer(const PostgresTestServer&) = delete;
  PostgresTestServer& operator=(const PostgresTestServer&) = delete;
  ~PostgresTestServer();

  // Starts the server, on the port of the last start if there was one (a
  // free one otherwise). True when it accepts connections.
  bool Start();
  // Fast shutdown: open connections are cut.
  void Stop();

  int port() const { return port_; }
  // Runs SQL through psql as the superuser; false when any of it fails.
  bool RunSql(std::string_view database, std::string_view sql) const;
  // The rows a query returns as psql prints them unaligned: one line per
  // row, columns joined by '|'. None when it fails.
  std::optional<std::string> Query(std::string_view database, std::string_view sql) const;

 private:
  bool StartOn(int port);

  std::filesystem::path directory_;
  int port_ = 0;
  pid_t server_ = -1;
  const bool external_;
};

// A TCP socket bound to a free loopback port, or -1.
int BindLoopbackSocket(int& port);

// Points unixODBC at the tests' driver list, where PostgreSQL's driver is
// registered as "SQL Server", and that driver at `port`. Call it before any
// thread starts: it sets environment variables.
void UseTestOdbcDriver(int port);

}  // namespace db_test
