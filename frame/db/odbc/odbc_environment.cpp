#include "frame/db/odbc/odbc_environment.h"

namespace frame {

SQLHENV OdbcEnvironment() {
  static const SQLHENV environment = []() -> SQLHENV {
    SQLHENV handle = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &handle))) {
      return SQL_NULL_HENV;
    }
    SQLSetEnvAttr(handle, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    return handle;
  }();
  return environment;
}

}  // namespace frame
