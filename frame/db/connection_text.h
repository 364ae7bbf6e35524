// The ODBC connection text of a SQL Server login.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "frame/db/db_result.h"
#include "frame/services/text_services.h"
#include "frame/text/gbk.h"

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

// What a driver takes in a connection text beyond the items as joined. The
// drivers differ here, so each one's rules are chosen in this one place.
struct DriverTextRules {
  // Given as a PORT item after a bare host; 0 for none.
  int default_port = 0;
  // False where a braced value ends at its first "}" and "}}" is not undone.
  bool braces_may_hold_closing_brace = true;
  // The longest user, password and database the driver sends whole, in UTF-16
  // units; 0 for no limit.
  size_t longest_login_value = 0;
};

// FreeTDS 1.3: no default port; a braced value ends at the first "}" that ";"
// or the end follows, and "}}" stays two; a longer user, password or database
// is cut to the 128 units that the login record holds, without a word.
DriverTextRules FreeTdsTextRules(int default_port);

// The text the driver gets for one that SqlServerConnectionText joined. It
// fails when the driver would not take every value whole: no login is better
// than one with another user, password or database.
DbResult<Text> DriverConnectionText(std::string_view connection_text, const DriverTextRules& rules);

}  // namespace frame
