// gmdesk, the game-master console.
#include "frame/desktop_program.h"
#include "gmdesk/main_window.h"

int main(int argc, char** argv) {
  frame::RunDesktopProgram(argc, argv, gmdesk::kProgram);
}
