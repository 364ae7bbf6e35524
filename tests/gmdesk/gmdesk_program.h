// gmdesk on the headless window, over the scripted database or any other
// component factory, with a Config.ini beside it.
#pragma once

#include <optional>
#include <string>

#include "gmdesk/main_window.h"
#include "tests/support/scripted_program.h"

namespace gmdesk_testing {

inline constexpr const char* kConfigIni =
    "[Server]\r\nIP=127.0.0.1,1433\r\nID=sa\r\nPW=pw\r\nDB1=KV7_Member\r\n"
    "DB2=KV7_SiteConfig\r\nDB3=KV7_User\r\n";

class GmdeskProgram : public testing_support::ScriptedProgram {
 public:
  // Over the scripted database; Config.ini is written unless none is given.
  explicit GmdeskProgram(std::optional<std::string> config_ini = kConfigIni);
  // Over the given components (a real database, say).
  GmdeskProgram(frame::ComponentFactory components, std::optional<std::string> config_ini);

  // Chooses "工具连接MSSQL" and lets the connecting thread and the loaders it
  // starts finish. Message boxes they show need scripted answers.
  void Connect();
};

}  // namespace gmdesk_testing
