#include "frame/db/db_connection.h"

#include <utility>

#include "frame/db/connection_text.h"

namespace frame {

DBConnection::DBConnection(std::shared_ptr<SqlBackend> backend, ControlId id)
    : backend_(std::move(backend)), id_(id) {}

DBConnection::~DBConnection() = default;

bool DBConnection::Connect(TextArg server, TextArg database, TextArg user, TextArg password) {
  Text text = SqlServerConnectionText(server, database, user, password);
  std::string diagnostic;
  bool opened = false;
  {
    std::lock_guard lock(mutex_);
    session_.reset();
    session_ = backend_->Connect(id_, text, diagnostic);
    opened = session_ != nullptr;
  }
  if (!opened) NoteFailure(diagnostic);
  return opened;
}

StatementResult DBConnection::Execute(TextArg statement, std::optional<int> timeout_seconds) {
  int timeout =
      timeout_seconds && *timeout_seconds >= 0 ? *timeout_seconds : kCommandTimeoutSeconds;
  return Run(statement.view(), timeout, false);
}

std::optional<ResultTable> DBConnection::Query(TextArg statement) {
  return Run(statement.view(), kCommandTimeoutSeconds, true).table;
}

StatementResult DBConnection::Run(std::string_view statement, int timeout_seconds, bool keep_rows) {
  StatementResult result;
  {
    std::lock_guard lock(mutex_);
    if (session_ == nullptr) {
      result.diagnostic = "the connection is not open";
    } else {
      result = session_->Run(statement, timeout_seconds, keep_rows);
    }
  }
  if (!result.succeeded) {
    result.table.reset();
    NoteFailure(result.diagnostic);
  } else if (keep_rows && !result.table) {
    // A statement that returned no rows at all opens as an empty result.
    result.table.emplace();
  }
  return result;
}

std::string DBConnection::last_diagnostic() const {
  std::lock_guard lock(diagnostic_mutex_);
  return last_diagnostic_;
}

void DBConnection::NoteFailure(const std::string& diagnostic) {
  std::lock_guard lock(diagnostic_mutex_);
  last_diagnostic_ = diagnostic;
}

}  // namespace frame
