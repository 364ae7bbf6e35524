// Where the running program's file is.
#pragma once

#include <filesystem>

namespace frame {

// The full path of this process's program file; empty when the system does
// not say.
std::filesystem::path RunningProgramFile();

}  // namespace frame
