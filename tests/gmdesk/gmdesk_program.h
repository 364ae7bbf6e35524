// gmdesk on the headless window, over the scripted database or any other
// component factory, with a Config.ini beside it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frame/db/scripted_database.h"
#include "gmdesk/main_window.h"
#include "tests/support/headless_program.h"

namespace gmdesk_testing {

inline constexpr const char* kConfigIni =
    "[Server]\r\nIP=127.0.0.1,1433\r\nID=sa\r\nPW=pw\r\nDB1=KV7_Member\r\n"
    "DB2=KV7_SiteConfig\r\nDB3=KV7_User\r\n";

class GmdeskProgram {
 public:
  // Over the scripted database; Config.ini (UTF-8 here, GBK on disk) is
  // written unless none is given.
  explicit GmdeskProgram(std::optional<std::string> config_ini = kConfigIni);
  // Over the given components (a real database, say).
  GmdeskProgram(frame::ComponentFactory components, std::optional<std::string> config_ini);

  frame::ScriptedDatabase& database() { return *database_; }
  frame::HeadlessWindowSystem& window() { return program_.window(); }
  testing_support::HeadlessProgram& program() { return program_; }

  void Start();
  // Chooses "工具连接MSSQL" and lets the connecting thread and the loaders it
  // starts finish. Message boxes they show need scripted answers.
  void Connect();
  // Lets every worker finish; fails the test when one is stuck.
  void Settle();

  void Type(frame::ControlId box, const std::string& utf8);
  // Texts of the message boxes shown since the last call.
  std::vector<std::string> NewBoxes();
  // Statement texts sent since the last call (UTF-8), scripted database only.
  std::vector<std::string> NewStatements();

 private:
  std::shared_ptr<frame::ScriptedDatabase> database_ = std::make_shared<frame::ScriptedDatabase>();
  testing_support::HeadlessProgram program_;
  size_t boxes_seen_ = 0;
  size_t statements_seen_ = 0;
};

}  // namespace gmdesk_testing
