// Services that handlers use on the program itself.
#pragma once

#include <cstdint>
#include <string_view>

#include "frame/services/values.h"
#include "frame/text/gbk.h"

namespace frame {

// The program file's directory, without a trailing separator.
Text GetProgramDirectory();

// Starts a detached thread in the subroutine; false when none could be made.
bool StartThread(Subroutine body);

// Runs the exit routine and ends the process with the code.
[[noreturn]] void EndProgram(int exit_code);

// Shows the fatal error box and ends the process with -1.
[[noreturn]] void ReportRuntimeError(int32_t code, std::string_view text);

}  // namespace frame
