#include "tests/acctdesk/acctdesk_program.h"

#include <gtest/gtest.h>

namespace acctdesk_testing {

AcctdeskProgram::AcctdeskProgram(const std::string& server_ini)
    : ScriptedProgram(acctdesk::kProgram) {
  if (!server_ini.empty()) WriteIni("Server.ini", server_ini);
}

AcctdeskProgram::AcctdeskProgram(frame::ComponentFactory components, const std::string& server_ini)
    : ScriptedProgram(acctdesk::kProgram, std::move(components)) {
  if (!server_ini.empty()) WriteIni("Server.ini", server_ini);
}

void AcctdeskProgram::Start(bool connect) {
  ScriptedProgram::Start();
  if (connect) {
    ASSERT_TRUE(window().Click(acctdesk::kConnectButton));
    ASSERT_TRUE(NewBoxes().empty());
    NewStatements();
  }
}

}  // namespace acctdesk_testing
