#include "frame/db/odbc/odbc_diagnostics.h"

#include "frame/db/odbc/odbc_api.h"
#include "frame/db/odbc/odbc_text.h"

namespace frame {

DbError ReadDiagnostic(SQLSMALLINT handle_type, SQLHANDLE handle) {
  DbError error;
  for (SQLSMALLINT record = 1;; ++record) {
    SQLWCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLWCHAR message[1024] = {};
    SQLSMALLINT length = 0;
    SQLRETURN ret = SQLGetDiagRecW(handle_type, handle, record, state, &native, message,
                                   sizeof message / sizeof message[0], &length);
    if (!SQL_SUCCEEDED(ret)) break;
    size_t state_length = 0;
    while (state_length < 5 && state[state_length] != 0)
      ++state_length;
    std::string state_text = Utf8FromUtf16(Utf16Units(state), state_length);
    size_t units = length < 1024 ? static_cast<size_t>(length) : 1023;
    if (record == 1) {
      error.state = state_text;
    } else {
      error.message += "; " + state_text + " ";
    }
    error.message += Utf8FromUtf16(Utf16Units(message), units);
  }
  return error;
}

}  // namespace frame
