// The ODBC connection text of a SQL Server login.
#pragma once

#include <cstddef>
#include <optional>
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

// The value of the first item called `name` (in any case), braces undone;
// none when the text has no such item.
std::optional<std::string> ConnectionItem(std::string_view connection_text, std::string_view name);

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
  // Asked for in a TDS_Version item, unless the text has one; empty for none.
  std::string_view tds_version;
};

// FreeTDS 1.3: no default port; a braced value ends at the first "}" that ";"
// or the end follows, and "}}" stays two; a longer user, password or database
// is cut to the 128 units that the login record holds, without a word.
DriverTextRules FreeTdsTextRules(int default_port);

// The rules of the driver in that file, as the driver manager names it
// (with or without a folder or a version). FreeTDS (libtdsodbc, tdsodbc)
// gets its own, and protocol 7.4 unless the operator chose a version
// (TDSVER): its default may fall back to a login that sends the password in
// clear and then waits forever. PostgreSQL's driver, the tests' stand-in,
// gets FreeTDS's without the version. Every other driver, Windows' own
// "SQL Server" among them, takes the text as joined.
DriverTextRules TextRulesForDriver(std::string_view driver_file, int default_port,
                                   bool tds_version_chosen);

// The text the driver gets for one that SqlServerConnectionText joined. It
// fails when the driver would not take every value whole: no login is better
// than one with another user, password or database.
DbResult<Text> DriverConnectionText(std::string_view connection_text, const DriverTextRules& rules);

}  // namespace frame
