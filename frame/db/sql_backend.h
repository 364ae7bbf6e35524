// The seam under the database components: a backend opens sessions, and a
// session runs statements. ODBC for the programs, a scripted database for
// handler suites.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "frame/db/db_result.h"
#include "frame/db/result_rows.h"
#include "frame/text/gbk.h"
#include "frame/window/window_model.h"

namespace frame {

// What a statement that ran without error gave back.
struct StatementOutput {
  // The last row count of the batch; none when nothing reported one.
  std::optional<int64_t> changed_rows;
  // The first result that has columns, when rows were asked for.
  std::optional<ResultRows> rows;
};

// One open connection. Its owner runs one statement at a time on it.
class SqlSession {
 public:
  virtual ~SqlSession() = default;
  // Runs one statement text (GBK) under a time-out in seconds (0: none) and
  // reads every result it produces.
  virtual DbResult<StatementOutput> Run(std::string_view statement, int timeout_seconds,
                                        bool keep_rows) = 0;
};

class SqlBackend {
 public:
  virtual ~SqlBackend() = default;
  // Opens a session with a connection text (GBK) for the component
  // `connection`.
  virtual DbResult<std::unique_ptr<SqlSession>> Connect(ControlId connection,
                                                        std::string_view connection_text) = 0;
};

}  // namespace frame
