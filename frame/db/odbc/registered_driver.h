// What the driver manager has registered under a driver's name.
#pragma once

#include <string>
#include <string_view>

#include "frame/db/db_result.h"
#include "frame/db/odbc/odbc_api.h"
#include "frame/text/gbk.h"

namespace frame {

// The file of the driver registered as `name` (its "Driver" attribute), as
// the driver manager gives it; empty when none is registered or the driver
// manager does not say. Under wine, odbc32 answers from unixODBC's list.
std::string RegisteredDriverFile(SQLHENV environment, std::string_view name);

// The text that the driver the connection text names gets for it, by that
// driver's rules (connection_text.h); `default_port` follows a bare host
// where the driver has no default of its own.
DbResult<Text> RegisteredDriverText(SQLHENV environment, std::string_view connection_text,
                                    int default_port);

}  // namespace frame
