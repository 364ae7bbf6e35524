#include "frame/db/odbc/odbc_backend.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "frame/db/component_factory.h"
#include "frame/db/odbc/odbc_api.h"
#include "frame/db/odbc/odbc_diagnostics.h"
#include "frame/db/odbc/odbc_environment.h"
#include "frame/db/odbc/odbc_handle.h"
#include "frame/db/odbc/odbc_result_reader.h"
#include "frame/db/odbc/odbc_text.h"
#include "frame/db/odbc/registered_driver.h"
#include "frame/db/watched_call.h"

namespace frame {
namespace {

// Errors after which the driver has nothing more to give for this statement.
bool EndsTheStatement(const std::string& state) {
  return state.starts_with("08") || state == "HYT00" || state == "HYT01" || state == "HY008" ||
         state == "HY010";
}

// The driver's connection handle. A statement given up on keeps it until the
// driver lets that statement go; whoever holds it last disconnects.
class OdbcLink {
 public:
  explicit OdbcLink(OdbcHandle handle) : handle_(std::move(handle)) {}
  OdbcLink(const OdbcLink&) = delete;
  OdbcLink& operator=(const OdbcLink&) = delete;
  // A handle that never connected only refuses; the handle goes after.
  ~OdbcLink() { SQLDisconnect(handle()); }
  SQLHDBC handle() const { return handle_.get(); }

  // The statement handle the driver works on, so that another thread can
  // cancel it; it is never freed while a cancel is under way.
  void Track(SQLHSTMT statement) {
    std::lock_guard lock(running_mutex_);
    running_ = statement;
  }
  void Untrack() {
    std::lock_guard lock(running_mutex_);
    running_ = SQL_NULL_HSTMT;
  }
  void CancelRunning() {
    std::lock_guard lock(running_mutex_);
    if (running_ != SQL_NULL_HSTMT) SQLCancel(running_);
  }

  // Once the link to the server broke, nothing more is sent on it.
  bool broken() const { return broken_.load(); }
  void MarkBrokenAfter(const std::string& state) {
    if (state.starts_with("08") || IsDead()) broken_.store(true);
  }

 private:
  bool IsDead() const {
    SQLUINTEGER dead = SQL_CD_FALSE;
    return SQL_SUCCEEDED(
               SQLGetConnectAttr(handle(), SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr)) &&
           dead == SQL_CD_TRUE;
  }

  const OdbcHandle handle_;
  std::mutex running_mutex_;
  SQLHSTMT running_ = SQL_NULL_HSTMT;
  std::atomic<bool> broken_{false};
};

// Tracked from here to the end of the scope, whatever ends it: the handle
// must not be freed while it can still be cancelled.
class TrackedStatement {
 public:
  TrackedStatement(OdbcLink& link, SQLHSTMT statement) : link_(link) { link_.Track(statement); }
  TrackedStatement(const TrackedStatement&) = delete;
  TrackedStatement& operator=(const TrackedStatement&) = delete;
  ~TrackedStatement() { link_.Untrack(); }

 private:
  OdbcLink& link_;
};

// One statement on the driver, every result of its batch read.
class OdbcStatement {
 public:
  OdbcStatement(OdbcLink& link, CallProgress& progress) : link_(link), progress_(progress) {}
  DbResult<StatementOutput> Run(std::string_view statement, int timeout_seconds, bool keep_rows);

 private:
  DbResult<StatementOutput> Execute(SQLHSTMT handle, std::string_view statement,
                                    int timeout_seconds, bool keep_rows);
  // Takes in the result the statement handle stands on.
  DbResult<> TakeResult(SQLHSTMT handle, bool keep_rows, StatementOutput& output);

  OdbcLink& link_;
  CallProgress& progress_;
};

class OdbcSession final : public SqlSession {
 public:
  explicit OdbcSession(std::shared_ptr<OdbcLink> link) : link_(std::move(link)) {}

  DbResult<StatementOutput> Run(std::string_view statement, int timeout_seconds,
                                bool keep_rows) override;

 private:
  const std::shared_ptr<OdbcLink> link_;
  // Runs the statements that have a time-out, so that their caller can stop
  // waiting. Declared last: it goes first, before the link is let go.
  CallWatcher watcher_;
};

// How long past its time-out a statement may go without a whole result or
// row from the server. FreeTDS sends its cancel at the time-out and then
// waits as long again for the answer; a live server answers a cancel at
// once, or after a rollback that may take a while.
constexpr std::chrono::milliseconds kCancelGrace{1500};

DbResult<StatementOutput> OdbcSession::Run(std::string_view statement, int timeout_seconds,
                                           bool keep_rows) {
  if (link_->broken()) return DbError{"08S01", "the link to the server broke; connect again"};
  if (timeout_seconds <= 0) {
    if (watcher_.busy()) return CallWatcher::BusyError();
    CallProgress progress;
    return OdbcStatement(*link_, progress).Run(statement, timeout_seconds, keep_rows);
  }
  return watcher_.Run<StatementOutput>(
      [link = link_, text = std::string(statement), timeout_seconds,
       keep_rows](CallProgress& progress) {
        return OdbcStatement(*link, progress).Run(text, timeout_seconds, keep_rows);
      },
      std::chrono::seconds(timeout_seconds) + kCancelGrace,
      [link = link_] { link->CancelRunning(); });
}

DbResult<StatementOutput> OdbcStatement::Run(std::string_view statement, int timeout_seconds,
                                             bool keep_rows) {
  OdbcHandle handle = OdbcHandle::Allocate(SQL_HANDLE_STMT, link_.handle());
  if (!handle) {
    DbError error = ReadDiagnostic(SQL_HANDLE_DBC, link_.handle());
    link_.MarkBrokenAfter(error.state);
    return error;
  }
  DbResult<StatementOutput> result = [&] {
    TrackedStatement tracked(link_, handle.get());
    return Execute(handle.get(), statement, timeout_seconds, keep_rows);
  }();
  handle = OdbcHandle();
  if (!result) link_.MarkBrokenAfter(result.error().state);
  return result;
}

DbResult<StatementOutput> OdbcStatement::Execute(SQLHSTMT handle, std::string_view statement,
                                                 int timeout_seconds, bool keep_rows) {
  // A caller that gave up before the statement was tracked cancelled nothing.
  if (progress_.abandoned()) return CallWatcher::GivenUpError();
  SQLSetStmtAttr(handle, SQL_ATTR_QUERY_TIMEOUT,
                 reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(timeout_seconds)),
                 SQL_IS_UINTEGER);

  WideText text = Utf16FromGbk(statement);
  SQLRETURN ret = SQLExecDirectW(handle, OdbcUnits(text), static_cast<SQLINTEGER>(text.size()));
  // Every result of the batch is read before the handle goes: a driver left
  // with pending results may keep the connection busy. A batch can go on
  // past a failed statement, so an error does not end the loop by itself;
  // the bound only guards against a driver that repeats one error forever.
  // The first error is the statement's.
  StatementOutput output;
  std::optional<DbError> first_error;
  for (int errors_in_a_row = 0; errors_in_a_row < 16;) {
    progress_.Step();
    if (ret == SQL_SUCCESS || ret == SQL_SUCCESS_WITH_INFO || ret == SQL_NO_DATA) {
      errors_in_a_row = 0;
      DbResult<> taken = TakeResult(handle, keep_rows, output);
      if (!taken && !first_error) first_error = taken.error();
    } else {
      ++errors_in_a_row;
      DbError error = ReadDiagnostic(SQL_HANDLE_STMT, handle);
      bool ends = ret == SQL_INVALID_HANDLE || EndsTheStatement(error.state);
      if (!first_error) first_error = std::move(error);
      if (ends) break;
    }
    // Freeing the handle discards what is left.
    if (progress_.abandoned()) {
      if (!first_error) first_error = CallWatcher::GivenUpError();
      break;
    }
    ret = SQLMoreResults(handle);
    if (ret == SQL_NO_DATA) break;
  }
  if (first_error) return std::move(*first_error);
  return output;
}

DbResult<> OdbcStatement::TakeResult(SQLHSTMT handle, bool keep_rows, StatementOutput& output) {
  SQLSMALLINT columns = 0;
  if (!SQL_SUCCEEDED(SQLNumResultCols(handle, &columns))) {
    return ReadDiagnostic(SQL_HANDLE_STMT, handle);
  }
  if (columns == 0) {
    SQLLEN count = -1;
    if (SQL_SUCCEEDED(SQLRowCount(handle, &count)) && count >= 0) output.changed_rows = count;
    return Done{};
  }
  if (!keep_rows || output.rows) return Done{};
  DbResult<ResultRows> rows = ReadResultRows(handle, columns, &progress_);
  if (!rows) return rows.error();
  output.rows = std::move(rows).value();
  return Done{};
}

}  // namespace

OdbcBackend::OdbcBackend(int default_port) : default_port_(default_port) {}

DbResult<std::unique_ptr<SqlSession>> OdbcBackend::Connect(ControlId /*connection*/,
                                                           std::string_view connection_text) {
  SQLHENV environment = OdbcEnvironment();
  if (environment == SQL_NULL_HENV) return DbError{"HY000", "no ODBC environment"};
  DbResult<Text> driver_text = RegisteredDriverText(environment, connection_text, default_port_);
  if (!driver_text) return driver_text.error();
  // The length reaches the driver as a SQLSMALLINT: a longer text would lose its end.
  WideText text = Utf16FromGbk(driver_text.value());
  if (text.size() > static_cast<size_t>(std::numeric_limits<SQLSMALLINT>::max())) {
    return DbError{"22001", "the connection text is longer than the driver takes"};
  }
  OdbcHandle handle = OdbcHandle::Allocate(SQL_HANDLE_DBC, environment);
  if (!handle) return DbError{"HY000", "no ODBC environment"};
  auto link = std::make_shared<OdbcLink>(std::move(handle));
  SQLSetConnectAttr(link->handle(), SQL_ATTR_LOGIN_TIMEOUT,
                    reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(kLoginTimeoutSeconds)),
                    SQL_IS_UINTEGER);
  SQLRETURN ret = SQLDriverConnectW(link->handle(), nullptr, OdbcUnits(text),
                                    static_cast<SQLSMALLINT>(text.size()), nullptr, 0, nullptr,
                                    SQL_DRIVER_NOPROMPT);
  if (!SQL_SUCCEEDED(ret)) return ReadDiagnostic(SQL_HANDLE_DBC, link->handle());
  return std::unique_ptr<SqlSession>(std::make_unique<OdbcSession>(std::move(link)));
}

ComponentFactory OdbcComponentFactory(int default_port) {
  OdbcEnvironment();
  return DatabaseComponentFactory(std::make_shared<OdbcBackend>(default_port));
}

}  // namespace frame
