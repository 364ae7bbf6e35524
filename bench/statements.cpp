#include "bench/statements.h"

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <array>
#include <vector>

#include "frame/db/db_connection.h"
#include "frame/db/db_services.h"
#include "frame/db/odbc/odbc_backend.h"
#include "tests/support/db_test_window.h"
#include "tests/support/headless_program.h"

namespace bench {
namespace {

using db_test::kConnection;
using db_test::kRecords;
using db_test::kWindowId;

std::u16string Wide(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}

SQLWCHAR* Units(std::u16string& text) {
  return reinterpret_cast<SQLWCHAR*>(text.data());
}

class RawOdbc final : public StatementPath {
 public:
  explicit RawOdbc(const std::string& connection_text) {
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env_);
    SQLSetEnvAttr(env_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, env_, &dbc_);
    std::u16string text = Wide(connection_text);
    connected_ = SQL_SUCCEEDED(SQLDriverConnectW(dbc_, nullptr, Units(text),
                                                 static_cast<SQLSMALLINT>(text.size()), nullptr, 0,
                                                 nullptr, SQL_DRIVER_NOPROMPT));
  }
  ~RawOdbc() override {
    if (connected_) SQLDisconnect(dbc_);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
    SQLFreeHandle(SQL_HANDLE_ENV, env_);
  }

  bool connected() const override { return connected_; }
  bool Update() override { return Run(update_, false); }
  bool Select() override { return Run(select_, true); }

 private:
  bool Run(std::u16string& statement, bool fetch) {
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &stmt))) return false;
    SQLSetStmtAttr(stmt, SQL_ATTR_QUERY_TIMEOUT,
                   reinterpret_cast<SQLPOINTER>(
                       static_cast<SQLULEN>(frame::DBConnection::kCommandTimeoutSeconds)),
                   SQL_IS_UINTEGER);
    bool ok = SQL_SUCCEEDED(
        SQLExecDirectW(stmt, Units(statement), static_cast<SQLINTEGER>(statement.size())));
    SQLSMALLINT columns = 0;
    if (ok) ok = SQL_SUCCEEDED(SQLNumResultCols(stmt, &columns));
    if (ok && fetch) {
      while (SQL_SUCCEEDED(SQLFetch(stmt))) {
        for (SQLUSMALLINT column = 1; column <= columns; ++column) {
          SQLLEN indicator = 0;
          SQLGetData(stmt, column, SQL_C_WCHAR, buffer_.data(), buffer_.size() * sizeof(SQLWCHAR),
                     &indicator);
        }
      }
    } else if (ok) {
      SQLLEN count = 0;
      SQLRowCount(stmt, &count);
    }
    if (ok) SQLMoreResults(stmt);
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    return ok;
  }

  SQLHENV env_ = SQL_NULL_HENV;
  SQLHDBC dbc_ = SQL_NULL_HDBC;
  bool connected_ = false;
  std::u16string update_ = Wide(kUpdate);
  std::u16string select_ = Wide(kSelect);
  std::vector<SQLWCHAR> buffer_ = std::vector<SQLWCHAR>(256);
};

class Services final : public StatementPath {
 public:
  explicit Services(int port) : program_(db_test::kProgram, frame::OdbcComponentFactory(port)) {
    connected_ = program_.Start() &&
                 frame::ConnectSqlServer(kWindowId, kConnection, "127.0.0.1", "bench", "sa", "") &&
                 frame::AttachRecordSet(kWindowId, kRecords, kConnection);
  }

  bool connected() const override { return connected_; }
  bool Update() override { return frame::ExecuteSql(kWindowId, kConnection, kUpdate); }
  bool Select() override {
    static constexpr std::array<const char*, 3> kColumns = {"id", "cash", "name"};
    if (!frame::OpenRecordSet(kWindowId, kRecords, kSelect)) return false;
    frame::MoveFirstRecord(kWindowId, kRecords);
    while (!frame::AtEndOfRecords(kWindowId, kRecords)) {
      for (const char* column : kColumns)
        frame::ReadFieldText(kWindowId, kRecords, column, text_);
      frame::MoveNextRecord(kWindowId, kRecords);
    }
    frame::CloseRecordSet(kWindowId, kRecords);
    return true;
  }

 private:
  testing_support::HeadlessProgram program_;
  bool connected_ = false;
  frame::Text text_;
};

}  // namespace

std::unique_ptr<StatementPath> RawOdbcStatements(const std::string& connection_text) {
  return std::make_unique<RawOdbc>(connection_text);
}

std::unique_ptr<StatementPath> ServiceStatements(int port) {
  return std::make_unique<Services>(port);
}

}  // namespace bench
