// DBConnection: one connection to one database, a component of the window.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string_view>

#include "frame/db/sql_backend.h"
#include "frame/runtime/runtime.h"
#include "frame/services/text_services.h"

namespace frame {

class DBConnection final : public WindowComponent {
 public:
  // Statements run under this time-out unless their caller gives one; nothing
  // changes it, so a time-out given for one statement never outlives it.
  static constexpr int kCommandTimeoutSeconds = 30;

  DBConnection(std::shared_ptr<SqlBackend> backend, ControlId id);
  DBConnection(const DBConnection&) = delete;
  DBConnection& operator=(const DBConnection&) = delete;
  ~DBConnection() override;

  // Closes an open connection first; a failed connect leaves it closed.
  // Statements sent while it logs in fail at once.
  DbResult<> Connect(TextArg server, TextArg database, TextArg user, TextArg password);

  // Runs one statement text. A time-out of 0 or more applies to this statement
  // only (0: no limit); negative or none means the connection's.
  DbResult<StatementOutput> Execute(TextArg statement,
                                    std::optional<int> timeout_seconds = std::nullopt);

  // The whole result of a query, for record sets.
  DbResult<ResultRows> Query(TextArg statement);

  // Why the last failed operation failed, whoever asked for it: handlers
  // hear only that it failed, so tests and debugging look here. Empty while
  // nothing has failed.
  DbError last_error() const;

 private:
  // One login. Statements on it take turns; once a reconnect closed it, a
  // statement still waiting for its turn fails instead of running.
  struct Session {
    explicit Session(std::unique_ptr<SqlSession> s) : session(std::move(s)) {}
    std::mutex turn;
    const std::unique_ptr<SqlSession> session;
    std::atomic<bool> closed{false};
  };

  DbResult<StatementOutput> Run(std::string_view statement, int timeout_seconds, bool keep_rows);
  std::shared_ptr<Session> CurrentSession() const;
  void NoteFailure(const DbError& error);

  const std::shared_ptr<SqlBackend> backend_;
  const ControlId id_;

  // Held only to swap or copy `session_`: a login never holds it, so a
  // statement during a reconnect fails at once instead of waiting.
  mutable std::mutex session_mutex_;
  std::shared_ptr<Session> session_;

  mutable std::mutex error_mutex_;
  DbError last_error_;
};

}  // namespace frame
