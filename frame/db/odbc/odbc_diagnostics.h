// The diagnostic records of an ODBC handle, read before any other call on it
// replaces them.
#pragma once

#include "frame/db/db_result.h"
#include "frame/db/odbc/odbc_api.h"

namespace frame {

// The first record's state and message, then the other records; no state
// when the handle holds none.
DbError ReadDiagnostic(SQLSMALLINT handle_type, SQLHANDLE handle);

}  // namespace frame
