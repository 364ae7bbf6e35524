// The process's one ODBC environment.
#pragma once

#include "frame/db/odbc/odbc_api.h"

namespace frame {

// Set up at the first call and kept for the life of the process. Null when
// the driver manager refuses.
SQLHENV OdbcEnvironment();

}  // namespace frame
