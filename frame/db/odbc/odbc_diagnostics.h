// The diagnostic records of an ODBC handle, read before any other call on it
// replaces them.
#pragma once

#include <sql.h>

#include <string>

namespace frame {

struct OdbcDiagnostic {
  std::string state;  // SQLSTATE of the first record
  std::string text;   // every record as "STATE message", joined by "; " (UTF-8)
};

OdbcDiagnostic ReadDiagnostic(SQLSMALLINT handle_type, SQLHANDLE handle);

}  // namespace frame
