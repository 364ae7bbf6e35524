// A TDS 7.4 server for the tests, in this process on a free loopback port,
// that answers as SQL Server does and runs each batch on the PostgreSQL test
// server: the operators' driver, FreeTDS, talks to it as to SQL Server.
// Column types, the T-SQL forms it rewrites and the faults it can play are
// in tests/db/tds/.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/servers/tds/session_host.h"

namespace db_test {

class TdsTestServer {
 public:
  // Batches run on 127.0.0.1:postgres_port as PostgresTestServer::kUser, in
  // the database the login names.
  explicit TdsTestServer(int postgres_port);
  TdsTestServer(const TdsTestServer&) = delete;
  TdsTestServer& operator=(const TdsTestServer&) = delete;
  ~TdsTestServer();

  // Listens on a free loopback port. True when it does.
  bool Start();
  // Closes every connection, even one whose batch runs or that is silent,
  // and returns once all are gone.
  void Stop();
  int port() const { return port_; }

  void SetFault(TdsFault fault);
  // A trigger's DONEINPROC with this row count before the DONE of each
  // INSERT, UPDATE and DELETE; none: no trigger.
  void SetTriggerCount(std::optional<int64_t> count);

  // Each LOGIN7 record as received (the message after its packet headers).
  std::vector<std::vector<uint8_t>> logins() const;
  // Each batch's SQL text as received, in UTF-8.
  std::vector<std::string> batches() const;
  // Each rewrite made, as "before => after".
  std::vector<std::string> rewrites() const;

 private:
  class State;
  struct Connection;

  void Accept();
  void EndFinishedConnections();

  std::unique_ptr<State> state_;
  int listener_ = -1;
  int port_ = 0;
  std::thread acceptor_;
  std::vector<std::unique_ptr<Connection>> connections_;  // the acceptor's, then Stop()'s
};

// Points unixODBC at the tests' second driver list, where FreeTDS is
// registered as "SQL Server" as the operators' set-up registers it. Call it
// before any thread starts: it sets environment variables.
void UseFreeTdsDriver();

}  // namespace db_test
