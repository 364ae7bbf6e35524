#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

#include <string>
#include <vector>

#include "bench/paths.h"

namespace bench {
namespace {

std::u16string Wide(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

SQLWCHAR* Units(std::u16string& text) {
  return reinterpret_cast<SQLWCHAR*>(text.data());
}

bool ReadAll(SQLHDBC dbc, const char* statement, Reading& reading) {
  SQLHSTMT stmt = SQL_NULL_HSTMT;
  SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt);
  std::u16string query = Wide(statement);
  if (!SQL_SUCCEEDED(SQLExecDirectW(stmt, Units(query), static_cast<SQLINTEGER>(query.size())))) {
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    return false;
  }
  SQLSMALLINT columns = 0;
  SQLNumResultCols(stmt, &columns);
  std::vector<SQLWCHAR> buffer(4096);
  while (SQL_SUCCEEDED(SQLFetch(stmt))) {
    ++reading.rows;
    for (SQLUSMALLINT column = 1; column <= columns; ++column) {
      SQLLEN indicator = 0;
      SQLGetData(stmt, column, SQL_C_WCHAR, buffer.data(), buffer.size() * sizeof(SQLWCHAR),
                 &indicator);
      if (indicator > 0) reading.bytes += static_cast<uint64_t>(indicator);
    }
  }
  SQLFreeHandle(SQL_HANDLE_STMT, stmt);
  return true;
}

}  // namespace

Reading ReadWithRawOdbc(const std::string& connection_text) {
  Reading reading;
  SQLHENV env = SQL_NULL_HENV;
  SQLHDBC dbc = SQL_NULL_HDBC;
  SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env);
  SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
  SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
  std::u16string text = Wide(connection_text);
  if (!SQL_SUCCEEDED(SQLDriverConnectW(dbc, nullptr, Units(text),
                                       static_cast<SQLSMALLINT>(text.size()), nullptr, 0, nullptr,
                                       SQL_DRIVER_NOPROMPT))) {
    reading.error = "raw ODBC: connect failed";
    return reading;
  }

  Reading warm_up;
  if (!ReadAll(dbc, kWarmUpQuery, warm_up)) {
    reading.error = "raw ODBC: query failed";
    return reading;
  }
  auto start = std::chrono::steady_clock::now();
  if (!ReadAll(dbc, kQuery, reading)) {
    reading.error = "raw ODBC: query failed";
    return reading;
  }
  reading.elapsed = std::chrono::steady_clock::now() - start;

  SQLDisconnect(dbc);
  SQLFreeHandle(SQL_HANDLE_DBC, dbc);
  SQLFreeHandle(SQL_HANDLE_ENV, env);
  return reading;
}

}  // namespace bench
