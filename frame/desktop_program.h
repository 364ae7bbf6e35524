// What a program's main() calls: the program in a real window, with its
// database components reaching real servers over ODBC.
#pragma once

#include "frame/runtime/runtime.h"

namespace frame {

// Runs the program to its end and ends the process with its exit code,
// whatever worker threads are still running.
[[noreturn]] void RunDesktopProgram(int argc, char** argv, const Program& program);

}  // namespace frame
