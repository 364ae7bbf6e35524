#include "frame/db/odbc/odbc_diagnostics.h"

#include <sqlucode.h>

#include "frame/db/odbc/odbc_text.h"

namespace frame {

OdbcDiagnostic ReadDiagnostic(SQLSMALLINT handle_type, SQLHANDLE handle) {
  OdbcDiagnostic diagnostic;
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
    std::string state_text = Utf8FromWide(state, state_length);
    if (record == 1) diagnostic.state = state_text;
    if (!diagnostic.text.empty()) diagnostic.text += "; ";
    size_t units = length < 1024 ? static_cast<size_t>(length) : 1023;
    diagnostic.text += state_text + " " + Utf8FromWide(message, units);
  }
  return diagnostic;
}

}  // namespace frame
