// The seam under the database components: a backend opens sessions, and a
// session runs statements. ODBC for the programs, a scripted database for
// handler suites.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "frame/db/result_rows.h"
#include "frame/text/gbk.h"
#include "frame/window/window_model.h"

namespace frame {

struct StatementResult {
  bool succeeded = false;
  // The last row count of the batch; none when nothing reported one.
  std::optional<int64_t> changed_rows;
  // The first result that has columns, when rows were asked for.
  std::optional<ResultRows> rows;
  // Why it failed, for tests and debugging (UTF-8).
  std::string diagnostic;
};

// One open connection. Its owner runs one statement at a time on it.
class SqlSession {
 public:
  virtual ~SqlSession() = default;
  // Runs one statement text (GBK) under a time-out in seconds (0: none) and
  // reads every result it produces.
  virtual StatementResult Run(std::string_view statement, int timeout_seconds, bool keep_rows) = 0;
};

class SqlBackend {
 public:
  virtual ~SqlBackend() = default;
  // Opens a session with a connection text (GBK) for the component
  // `connection`; none, with `diagnostic` set, when it does not open.
  virtual std::unique_ptr<SqlSession> Connect(ControlId connection,
                                              std::string_view connection_text,
                                              std::string& diagnostic) = 0;
};

}  // namespace frame
