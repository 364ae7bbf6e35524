// The ODBC driver a database suite runs through. CTest runs each such suite
// twice: through PostgreSQL's own driver, and (with DB_TEST_DRIVER=freetds)
// through FreeTDS, the operators' driver, in front of the TDS test server.
// With a server host (host/host_client.h) the TDS test server is the
// session's, and reached through the host.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/servers/postgres_test_server.h"
#include "tests/servers/suite_servers.h"

namespace db_test {

class SuiteDriver {
 public:
  // True on the FreeTDS run.
  static bool UsesFreeTds();

  // Once the PostgreSQL server runs: starts the TDS test server in front of
  // it on the FreeTDS run, and points unixODBC at the driver. Call it before
  // any thread starts: it sets environment variables.
  bool Start(const PostgresTestServer& postgres);
  void Stop();

  // The server text a connection gives: a bare host, as operators mostly
  // give it. The port comes with the components (port()) as their default.
  std::string server_text() const;
  // The port of the server the driver talks to, which a bare host reaches.
  int port() const;
  // What the TDS test server received and plays, in process or on the
  // host; on PostgreSQL's own run there are no logins and no trigger.
  std::vector<std::vector<uint8_t>> Logins();
  void SetTriggerCount(std::optional<int64_t> count);
  std::vector<std::string> Batches();
  void SetFault(TdsFault fault);

 private:
  int postgres_port_ = 0;
  std::unique_ptr<SuiteServers> servers_;
};

}  // namespace db_test
