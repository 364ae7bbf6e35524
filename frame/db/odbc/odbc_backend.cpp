#include "frame/db/odbc/odbc_backend.h"

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <limits>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "frame/db/component_factory.h"
#include "frame/db/connection_text.h"
#include "frame/db/odbc/odbc_diagnostics.h"
#include "frame/db/odbc/odbc_environment.h"
#include "frame/db/odbc/odbc_result_reader.h"
#include "frame/db/odbc/odbc_text.h"
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
  explicit OdbcLink(SQLHDBC handle) : handle_(handle) {}
  OdbcLink(const OdbcLink&) = delete;
  OdbcLink& operator=(const OdbcLink&) = delete;
  ~OdbcLink() {
    SQLDisconnect(handle_);
    SQLFreeHandle(SQL_HANDLE_DBC, handle_);
  }
  SQLHDBC handle() const { return handle_; }

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
    return SQL_SUCCEEDED(SQLGetConnectAttr(handle_, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr)) &&
           dead == SQL_CD_TRUE;
  }

  const SQLHDBC handle_;
  std::mutex running_mutex_;
  SQLHSTMT running_ = SQL_NULL_HSTMT;
  std::atomic<bool> broken_{false};
};

// One statement on the driver, every result of its batch read.
class OdbcStatement {
 public:
  OdbcStatement(OdbcLink& link, CallProgress& progress) : link_(link), progress_(progress) {}
  StatementResult Run(std::string_view statement, int timeout_seconds, bool keep_rows);

 private:
  StatementResult Execute(SQLHSTMT handle, std::string_view statement, int timeout_seconds,
                          bool keep_rows, std::string& state);
  // Takes in the result the statement handle stands on; false when it failed.
  bool TakeResult(SQLHSTMT handle, bool keep_rows, StatementResult& result);

  OdbcLink& link_;
  CallProgress& progress_;
};

// Diagnostics for what the driver never saw (UTF-8).
constexpr const char* kGivenUp =
    "HYT00 the server did not answer within the time-out; the statement was cancelled";
constexpr const char* kStillBusy =
    "HY000 the connection is busy: a statement given up on after its time-out has not ended yet";
constexpr const char* kLinkBroken = "08S01 the link to the server broke; connect again";
constexpr const char* kNoThread = "HY000 no thread could be started for the statement";

StatementResult Failure(const char* diagnostic) {
  StatementResult result;
  result.diagnostic = diagnostic;
  return result;
}

class OdbcSession final : public SqlSession {
 public:
  explicit OdbcSession(SQLHDBC connection) : link_(std::make_shared<OdbcLink>(connection)) {}

  StatementResult Run(std::string_view statement, int timeout_seconds, bool keep_rows) override;

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

StatementResult OdbcSession::Run(std::string_view statement, int timeout_seconds, bool keep_rows) {
  if (link_->broken()) return Failure(kLinkBroken);
  if (timeout_seconds <= 0) {
    if (watcher_.busy()) return Failure(kStillBusy);
    CallProgress progress;
    return OdbcStatement(*link_, progress).Run(statement, timeout_seconds, keep_rows);
  }
  Watched<StatementResult> watched = watcher_.Run<StatementResult>(
      [link = link_, text = std::string(statement), timeout_seconds,
       keep_rows](CallProgress& progress) {
        return OdbcStatement(*link, progress).Run(text, timeout_seconds, keep_rows);
      },
      std::chrono::seconds(timeout_seconds) + kCancelGrace,
      [link = link_] { link->CancelRunning(); });
  switch (watched.end) {
    case WatchedEnd::kFinished:
      return std::move(*watched.result);
    case WatchedEnd::kGivenUp:
      return Failure(kGivenUp);
    case WatchedEnd::kBusy:
      return Failure(kStillBusy);
    case WatchedEnd::kNoThread:
      break;
  }
  return Failure(kNoThread);
}

StatementResult OdbcStatement::Run(std::string_view statement, int timeout_seconds,
                                   bool keep_rows) {
  SQLHSTMT handle = SQL_NULL_HSTMT;
  if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, link_.handle(), &handle))) {
    OdbcDiagnostic diagnostic = ReadDiagnostic(SQL_HANDLE_DBC, link_.handle());
    link_.MarkBrokenAfter(diagnostic.state);
    return Failure(diagnostic.text.c_str());
  }
  link_.Track(handle);
  std::string state;
  StatementResult result = Execute(handle, statement, timeout_seconds, keep_rows, state);
  link_.Untrack();
  SQLFreeHandle(SQL_HANDLE_STMT, handle);
  if (!result.succeeded) link_.MarkBrokenAfter(state);
  return result;
}

// `state` receives the SQLSTATE of the first error.
StatementResult OdbcStatement::Execute(SQLHSTMT handle, std::string_view statement,
                                       int timeout_seconds, bool keep_rows, std::string& state) {
  StatementResult result;
  // A caller that gave up before the statement was tracked cancelled nothing.
  if (progress_.abandoned()) return Failure(kGivenUp);
  SQLSetStmtAttr(handle, SQL_ATTR_QUERY_TIMEOUT,
                 reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(timeout_seconds)),
                 SQL_IS_UINTEGER);

  WideText text = WideFromGbk(statement);
  SQLRETURN ret = SQLExecDirectW(handle, text.data(), static_cast<SQLINTEGER>(text.size()));
  // Every result of the batch is read before the handle goes: a driver left
  // with pending results may keep the connection busy. A batch can go on
  // past a failed statement, so an error does not end the loop by itself;
  // the bound only guards against a driver that repeats one error forever.
  bool ok = true;
  for (int errors_in_a_row = 0; errors_in_a_row < 16;) {
    progress_.Step();
    if (ret == SQL_SUCCESS || ret == SQL_SUCCESS_WITH_INFO || ret == SQL_NO_DATA) {
      errors_in_a_row = 0;
      if (!TakeResult(handle, keep_rows, result)) ok = false;
    } else {
      ++errors_in_a_row;
      ok = false;
      OdbcDiagnostic diagnostic = ReadDiagnostic(SQL_HANDLE_STMT, handle);
      if (result.diagnostic.empty()) result.diagnostic = diagnostic.text;
      if (state.empty()) state = diagnostic.state;
      if (ret == SQL_INVALID_HANDLE || EndsTheStatement(diagnostic.state)) break;
    }
    // Freeing the handle discards what is left.
    if (progress_.abandoned()) {
      ok = false;
      break;
    }
    ret = SQLMoreResults(handle);
    if (ret == SQL_NO_DATA) break;
  }
  result.succeeded = ok;
  return result;
}

bool OdbcStatement::TakeResult(SQLHSTMT handle, bool keep_rows, StatementResult& result) {
  SQLSMALLINT columns = 0;
  if (!SQL_SUCCEEDED(SQLNumResultCols(handle, &columns))) {
    if (result.diagnostic.empty()) result.diagnostic = ReadDiagnostic(SQL_HANDLE_STMT, handle).text;
    return false;
  }
  if (columns == 0) {
    SQLLEN count = -1;
    if (SQL_SUCCEEDED(SQLRowCount(handle, &count)) && count >= 0) result.changed_rows = count;
    return true;
  }
  if (!keep_rows || result.rows) return true;
  ResultRows rows;
  std::string diagnostic;
  if (!ReadResultRows(handle, columns, rows, diagnostic, &progress_)) {
    if (result.diagnostic.empty()) result.diagnostic = diagnostic;
    return false;
  }
  result.rows = std::move(rows);
  return true;
}

}  // namespace

OdbcBackend::OdbcBackend(int default_port) : default_port_(default_port) {}

std::unique_ptr<SqlSession> OdbcBackend::Connect(ControlId /*connection*/,
                                                 std::string_view connection_text,
                                                 std::string& diagnostic) {
  // FreeTDS's rules hold for the tests' PostgreSQL driver too; a driver of
  // other rules would choose its own here.
  std::optional<Text> driver_text =
      DriverConnectionText(connection_text, FreeTdsTextRules(default_port_), diagnostic);
  if (!driver_text) return nullptr;
  // The length reaches the driver as a SQLSMALLINT: a longer text would lose its end.
  WideText text = WideFromGbk(*driver_text);
  if (text.size() > static_cast<size_t>(std::numeric_limits<SQLSMALLINT>::max())) {
    diagnostic = "the connection text is longer than the driver takes";
    return nullptr;
  }
  SQLHENV environment = OdbcEnvironment();
  SQLHDBC handle = SQL_NULL_HDBC;
  if (environment == SQL_NULL_HENV ||
      !SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, environment, &handle))) {
    diagnostic = "no ODBC environment";
    return nullptr;
  }
  SQLSetConnectAttr(handle, SQL_ATTR_LOGIN_TIMEOUT,
                    reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(kLoginTimeoutSeconds)),
                    SQL_IS_UINTEGER);
  SQLRETURN ret =
      SQLDriverConnectW(handle, nullptr, text.data(), static_cast<SQLSMALLINT>(text.size()),
                        nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
  if (!SQL_SUCCEEDED(ret)) {
    diagnostic = ReadDiagnostic(SQL_HANDLE_DBC, handle).text;
    SQLFreeHandle(SQL_HANDLE_DBC, handle);
    return nullptr;
  }
  return std::make_unique<OdbcSession>(handle);
}

ComponentFactory OdbcComponentFactory(int default_port) {
  OdbcEnvironment();
  return DatabaseComponentFactory(std::make_shared<OdbcBackend>(default_port));
}

}  // namespace frame
