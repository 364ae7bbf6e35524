// The process's one ODBC environment.
#pragma once

#include <sql.h>

namespace frame {

// Set up at the first call and kept for the life of the process. Before
// that, TDSVER is set to 7.4 unless the operator set it: with its default
// protocol FreeTDS may fall back to a login that sends the password in clear
// and then waits forever. Null when the driver manager refuses.
SQLHENV OdbcEnvironment();

}  // namespace frame
