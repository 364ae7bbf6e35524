#include <system_error>

#include "frame/runtime/program_file.h"

namespace frame {

std::filesystem::path RunningProgramFile() {
  std::error_code error;
  return std::filesystem::read_symlink("/proc/self/exe", error);
}

}  // namespace frame
