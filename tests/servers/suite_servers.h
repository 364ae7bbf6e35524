// Where a suite's TDS test server runs: in the suite's own process, or in a
// session of the server host (host/host_client.h). SuiteDriver asks this.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/servers/tds/tds_fault.h"

namespace db_test {

class SuiteServers {
 public:
  virtual ~SuiteServers() = default;
  // 0 on PostgreSQL's own run.
  virtual int tds_port() const = 0;
  virtual std::vector<std::vector<uint8_t>> Logins() = 0;
  virtual std::vector<std::string> Batches() = 0;
  virtual void SetTriggerCount(std::optional<int64_t> count) = 0;
  virtual void SetFault(TdsFault fault) = 0;
  virtual void Stop() {}
};

// Points the driver manager at the driver list in `odbcsysini`, and
// PostgreSQL's driver at `postgres_port`, for this process. Call it before
// any thread starts: it sets environment variables.
void UseDriverList(const std::string& odbcsysini, int postgres_port);

// The servers in this process, in front of PostgreSQL at `postgres_port`;
// null when they do not start, or where they cannot run (Windows: they link
// libpq and fork).
std::unique_ptr<SuiteServers> StartServersInProcess(int postgres_port, bool freetds);

}  // namespace db_test
