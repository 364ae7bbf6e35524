#include "frame/db/db_connection.h"

#include <utility>

#include "frame/db/connection_text.h"

namespace frame {

DBConnection::DBConnection(std::shared_ptr<SqlBackend> backend, ControlId id)
    : backend_(std::move(backend)), id_(id) {}

DBConnection::~DBConnection() = default;

bool DBConnection::Connect(TextArg server, TextArg database, TextArg user, TextArg password) {
  Text text = SqlServerConnectionText(server, database, user, password);
  std::shared_ptr<Session> old;
  {
    std::lock_guard lock(session_mutex_);
    old = std::exchange(session_, nullptr);
  }
  // A statement running on the old session keeps it until it ends.
  if (old) old->closed = true;
  old.reset();

  std::string diagnostic;
  std::unique_ptr<SqlSession> opened = backend_->Connect(id_, text, diagnostic);
  if (!opened) {
    NoteFailure(diagnostic);
    return false;
  }
  auto session = std::make_shared<Session>(std::move(opened));
  std::lock_guard lock(session_mutex_);
  session_ = std::move(session);
  return true;
}

StatementResult DBConnection::Execute(TextArg statement, std::optional<int> timeout_seconds) {
  int timeout =
      timeout_seconds && *timeout_seconds >= 0 ? *timeout_seconds : kCommandTimeoutSeconds;
  return Run(statement.view(), timeout, false);
}

std::optional<ResultRows> DBConnection::Query(TextArg statement) {
  return Run(statement.view(), kCommandTimeoutSeconds, true).rows;
}

std::shared_ptr<DBConnection::Session> DBConnection::CurrentSession() const {
  std::lock_guard lock(session_mutex_);
  return session_;
}

StatementResult DBConnection::Run(std::string_view statement, int timeout_seconds, bool keep_rows) {
  StatementResult result;
  if (std::shared_ptr<Session> session = CurrentSession()) {
    std::lock_guard turn(session->turn);
    if (session->closed) {
      result.diagnostic = "the connection was closed by a reconnect";
    } else {
      result = session->session->Run(statement, timeout_seconds, keep_rows);
    }
  } else {
    result.diagnostic = "the connection is not open";
  }
  if (!result.succeeded) {
    result.rows.reset();
    NoteFailure(result.diagnostic);
  } else if (keep_rows && !result.rows) {
    // A statement that returned no rows at all opens as an empty result.
    result.rows.emplace();
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
