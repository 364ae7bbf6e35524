// acctdesk, the account tool.
#include "acctdesk/main_window.h"
#include "frame/desktop_program.h"

int main(int argc, char** argv) {
  frame::RunDesktopProgram(argc, argv, acctdesk::kProgram);
}
