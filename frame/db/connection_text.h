// The ODBC connection text of a SQL Server login.
#pragma once

#include "frame/gbk.h"
#include "frame/text_services.h"

namespace frame {

// The items exactly as given, nothing escaped or trimmed: an empty password
// still sends "PWD=;". The database comes last although callers name it second.
Text SqlServerConnectionText(TextArg server, TextArg database, TextArg user, TextArg password);

}  // namespace frame
