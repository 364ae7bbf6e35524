// The database components over the ODBC wide-character API (unixODBC).
#pragma once

#include <memory>
#include <string_view>

#include "frame/db/sql_backend.h"
#include "frame/runtime/runtime.h"

namespace frame {

class OdbcBackend final : public SqlBackend {
 public:
  // Logins give up after this long.
  static constexpr int kLoginTimeoutSeconds = 15;
  // Where a server named without a port listens.
  static constexpr int kSqlServerPort = 1433;

  explicit OdbcBackend(int default_port = kSqlServerPort);

  DbResult<std::unique_ptr<SqlSession>> Connect(ControlId connection,
                                                std::string_view connection_text) override;

 private:
  const int default_port_;
};

// What the programs hand the Runtime. It sets up the ODBC environment at
// once, so call it at start, before any worker thread runs.
ComponentFactory OdbcComponentFactory(int default_port = OdbcBackend::kSqlServerPort);

}  // namespace frame
