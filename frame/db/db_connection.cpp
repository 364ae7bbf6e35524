#include "frame/db/db_connection.h"

#include <utility>

#include "frame/db/connection_text.h"

namespace frame {

DBConnection::DBConnection(std::shared_ptr<SqlBackend> backend, ControlId id)
    : backend_(std::move(backend)), id_(id) {}

DBConnection::~DBConnection() = default;

DbResult<> DBConnection::Connect(TextArg server, TextArg database, TextArg user, TextArg password) {
  Text text = SqlServerConnectionText(server, database, user, password);
  std::shared_ptr<Session> old;
  {
    std::lock_guard lock(session_mutex_);
    old = std::exchange(session_, nullptr);
  }
  // A statement running on the old session keeps it until it ends.
  if (old) old->closed = true;
  old.reset();

  DbResult<std::unique_ptr<SqlSession>> opened = backend_->Connect(id_, text);
  if (!opened) {
    NoteFailure(opened.error());
    return opened.error();
  }
  auto session = std::make_shared<Session>(std::move(opened).value());
  std::lock_guard lock(session_mutex_);
  session_ = std::move(session);
  return Done{};
}

DbResult<StatementOutput> DBConnection::Execute(TextArg statement,
                                                std::optional<int> timeout_seconds) {
  int timeout =
      timeout_seconds && *timeout_seconds >= 0 ? *timeout_seconds : kCommandTimeoutSeconds;
  return Run(statement.view(), timeout, false);
}

DbResult<ResultRows> DBConnection::Query(TextArg statement) {
  DbResult<StatementOutput> result = Run(statement.view(), kCommandTimeoutSeconds, true);
  if (!result) return result.error();
  // A statement that returned no rows at all opens as an empty result.
  if (!result->rows) return ResultRows();
  return std::move(*result->rows);
}

std::shared_ptr<DBConnection::Session> DBConnection::CurrentSession() const {
  std::lock_guard lock(session_mutex_);
  return session_;
}

DbResult<StatementOutput> DBConnection::Run(std::string_view statement, int timeout_seconds,
                                            bool keep_rows) {
  DbResult<StatementOutput> result = DbError{"08003", "the connection is not open"};
  if (std::shared_ptr<Session> session = CurrentSession()) {
    std::lock_guard turn(session->turn);
    if (session->closed) {
      result = DbError{"08003", "the connection was closed by a reconnect"};
    } else {
      result = session->session->Run(statement, timeout_seconds, keep_rows);
    }
  }
  if (!result) NoteFailure(result.error());
  return result;
}

DbError DBConnection::last_error() const {
  std::lock_guard lock(error_mutex_);
  return last_error_;
}

void DBConnection::NoteFailure(const DbError& error) {
  std::lock_guard lock(error_mutex_);
  last_error_ = error;
}

}  // namespace frame
