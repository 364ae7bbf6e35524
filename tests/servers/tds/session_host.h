// What a TDS session asks of the server that accepted it. Sessions run on
// threads of their own, so every call is safe from any thread.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/servers/tds/postgres_column_types.h"
#include "tests/servers/tds/tds_fault.h"

namespace db_test::tds {

class SessionHost {
 public:
  virtual ~SessionHost() = default;

  // How to reach a database of the PostgreSQL server that runs the batches.
  virtual ConnectionParameters PostgresParameters(const std::string& database) const = 0;
  virtual TdsFault fault() const = 0;
  virtual std::optional<int64_t> trigger_count() const = 0;
  // Readable once the server stops.
  virtual int stop_event() const = 0;

  virtual void RecordLogin(std::vector<uint8_t> record) = 0;
  virtual void RecordBatch(std::string batch) = 0;
  virtual void RecordRewrites(std::vector<std::string> rewrites) = 0;
};

}  // namespace db_test::tds
