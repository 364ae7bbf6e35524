// The platform's ODBC headers: unixODBC's stand alone, odbc32's need the
// Windows types first.
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>
