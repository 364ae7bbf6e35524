// The ODBC connection text of a SQL Server login.
#pragma once

#include <string_view>

#include "frame/gbk.h"
#include "frame/text_services.h"

namespace frame {

// The items as given, nothing trimmed: an empty password still sends "PWD=;".
// The database comes last although callers name it second. A value that a
// driver would otherwise cut or misread (one holding ";" or starting with
// "{") goes in braces, "}" doubled, so that it is taken whole.
Text SqlServerConnectionText(TextArg server, TextArg database, TextArg user, TextArg password);

// The text a driver gets for a login: where the SERVER item names a bare host
// (no ",port", no "\instance"), a PORT item follows, since FreeTDS has no
// default port and SQL Server's own drivers use 1433.
Text WithDefaultPort(std::string_view connection_text, int port);

}  // namespace frame
