#include "frame/db/odbc_backend.h"

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <cstdint>

#include "frame/db/component_factory.h"
#include "frame/db/odbc_diagnostics.h"
#include "frame/db/odbc_environment.h"
#include "frame/db/odbc_result_reader.h"
#include "frame/db/odbc_text.h"

namespace frame {
namespace {

// Errors after which the driver has nothing more to give for this statement.
bool EndsTheStatement(const std::string& state) {
  return state.starts_with("08") || state == "HYT00" || state == "HYT01" || state == "HY008" ||
         state == "HY010";
}

class OdbcSession final : public SqlSession {
 public:
  explicit OdbcSession(SQLHDBC connection) : connection_(connection) {}
  OdbcSession(const OdbcSession&) = delete;
  OdbcSession& operator=(const OdbcSession&) = delete;
  ~OdbcSession() override {
    SQLDisconnect(connection_);
    SQLFreeHandle(SQL_HANDLE_DBC, connection_);
  }

  StatementResult Run(std::string_view statement, int timeout_seconds, bool keep_rows) override;

 private:
  // Takes in the result the statement handle stands on; false when it failed.
  bool TakeResult(SQLHSTMT handle, bool keep_rows, StatementResult& result);

  SQLHDBC connection_;
};

StatementResult OdbcSession::Run(std::string_view statement, int timeout_seconds, bool keep_rows) {
  StatementResult result;
  SQLHSTMT handle = SQL_NULL_HSTMT;
  if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, connection_, &handle))) {
    result.diagnostic = ReadDiagnostic(SQL_HANDLE_DBC, connection_).text;
    return result;
  }
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
    if (ret == SQL_SUCCESS || ret == SQL_SUCCESS_WITH_INFO || ret == SQL_NO_DATA) {
      errors_in_a_row = 0;
      if (!TakeResult(handle, keep_rows, result)) ok = false;
    } else {
      ++errors_in_a_row;
      ok = false;
      OdbcDiagnostic diagnostic = ReadDiagnostic(SQL_HANDLE_STMT, handle);
      if (result.diagnostic.empty()) result.diagnostic = diagnostic.text;
      if (ret == SQL_INVALID_HANDLE || EndsTheStatement(diagnostic.state)) break;
    }
    ret = SQLMoreResults(handle);
    if (ret == SQL_NO_DATA) break;
  }
  SQLFreeHandle(SQL_HANDLE_STMT, handle);
  result.succeeded = ok;
  return result;
}

bool OdbcSession::TakeResult(SQLHSTMT handle, bool keep_rows, StatementResult& result) {
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
  if (!keep_rows || result.table) return true;
  ResultTable table;
  std::string diagnostic;
  if (!ReadResultTable(handle, columns, table, diagnostic)) {
    if (result.diagnostic.empty()) result.diagnostic = diagnostic;
    return false;
  }
  result.table = std::move(table);
  return true;
}

}  // namespace

std::unique_ptr<SqlSession> OdbcBackend::Connect(ControlId /*connection*/,
                                                 std::string_view connection_text,
                                                 std::string& diagnostic) {
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
  WideText text = WideFromGbk(connection_text);
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

ComponentFactory OdbcComponentFactory() {
  OdbcEnvironment();
  return DatabaseComponentFactory(std::make_shared<OdbcBackend>());
}

}  // namespace frame
