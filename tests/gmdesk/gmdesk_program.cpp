#include "tests/gmdesk/gmdesk_program.h"

#include <gtest/gtest.h>

namespace gmdesk_testing {

GmdeskProgram::GmdeskProgram(std::optional<std::string> config_ini)
    : ScriptedProgram(gmdesk::kProgram) {
  if (config_ini) WriteIni("Config.ini", *config_ini);
}

GmdeskProgram::GmdeskProgram(frame::ComponentFactory components,
                             std::optional<std::string> config_ini)
    : ScriptedProgram(gmdesk::kProgram, std::move(components)) {
  if (config_ini) WriteIni("Config.ini", *config_ini);
}

void GmdeskProgram::Connect() {
  ASSERT_TRUE(window().ChooseMenuItem(gmdesk::kConnectItem));
  Settle();
}

}  // namespace gmdesk_testing
