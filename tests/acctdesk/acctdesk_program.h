// acctdesk on the headless window and the scripted database, with a
// Server.ini beside it.
#pragma once

#include <string>

#include "acctdesk/main_window.h"
#include "tests/support/scripted_program.h"

namespace acctdesk_testing {

class AcctdeskProgram : public testing_support::ScriptedProgram {
 public:
  // Writes Server.ini unless the text is empty.
  explicit AcctdeskProgram(const std::string& server_ini =
                               "[Config]\r\nSQLIP=127.0.0.1,1433\r\nSQLID=sa\r\nSQLPW=secret\r\n");
  // Over the given components (a real database, say).
  AcctdeskProgram(frame::ComponentFactory components, const std::string& server_ini);

  // Starts acctdesk and, unless told otherwise, connects.
  void Start(bool connect = true);

  // The message area's whole text.
  std::string Messages() { return window().TextOf(acctdesk::kMessageArea); }
};

inline constexpr const char* kBanner = "--------单机霜月奇谭--------";

}  // namespace acctdesk_testing
