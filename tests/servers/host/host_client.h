// A suite's side of the server host: when DB_TEST_SERVER_HOST names a host
// file, the suite's servers are one session of that host instead of servers
// of its own (tests/servers/host/server_host_main.cpp).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/servers/host/host_protocol.h"

namespace db_test::host {

class HostClient {
 public:
  // True when the suite is to use an external host.
  static bool Named();
  // The process's one session, started at the first call; null when no
  // host is named or it cannot be reached.
  static HostClient* Session();

  const HostFile& file() const { return file_; }
  int postgres_port() const { return postgres_port_; }
  int tds_port() const { return tds_port_; }

  bool RunSql(std::string_view database, std::string_view sql);
  std::optional<std::string> Query(std::string_view database, std::string_view sql);
  bool SetTriggerCount(std::optional<int64_t> count);
  std::vector<std::vector<uint8_t>> Logins();
  std::vector<std::string> Batches();
  bool SetFault(int fault);

 private:
  HostClient() = default;
  bool Connect();
  std::vector<std::string> HexLines(std::string_view command);
  std::optional<std::string> Ask(std::string_view command, std::string word,
                                 std::string_view bytes);

  HostFile file_;
  SocketHandle socket_ = -1;
  int postgres_port_ = 0;
  int tds_port_ = 0;
};

}  // namespace db_test::host
