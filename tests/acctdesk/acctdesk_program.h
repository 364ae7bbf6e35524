// acctdesk on the headless window and the scripted database, with a
// Server.ini beside it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "acctdesk/main_window.h"
#include "frame/db/scripted_database.h"
#include "tests/support/headless_program.h"

namespace acctdesk_testing {

class AcctdeskProgram {
 public:
  // Writes Server.ini (GBK, as an operator on Windows would) unless empty.
  explicit AcctdeskProgram(const std::string& server_ini =
                               "[Config]\r\nSQLIP=127.0.0.1,1433\r\nSQLID=sa\r\nSQLPW=secret\r\n");

  frame::ScriptedDatabase& database() { return *database_; }
  frame::HeadlessWindowSystem& window() { return program_.window(); }
  testing_support::HeadlessProgram& program() { return program_; }

  // Starts acctdesk and, unless told otherwise, connects.
  void Start(bool connect = true);
  void Type(frame::ControlId box, const std::string& utf8);

  // The message area's whole text.
  std::string Messages() { return window().TextOf(acctdesk::kMessageArea); }
  // Texts of the message boxes shown since the last call.
  std::vector<std::string> NewBoxes();
  // Statement texts sent since the last call (UTF-8).
  std::vector<std::string> NewStatements();

 private:
  std::shared_ptr<frame::ScriptedDatabase> database_ = std::make_shared<frame::ScriptedDatabase>();
  testing_support::HeadlessProgram program_;
  size_t boxes_seen_ = 0;
  size_t statements_seen_ = 0;
};

inline constexpr const char* kBanner = "--------单机霜月奇谭--------";

}  // namespace acctdesk_testing
