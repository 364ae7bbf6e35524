#include <windows.h>

#include <string>

#include "frame/runtime/program_file.h"

namespace frame {

std::filesystem::path RunningProgramFile() {
  // A path longer than MAX_PATH fills the buffer exactly, cut: try again
  // with more room.
  std::wstring file(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, file.data(), static_cast<DWORD>(file.size()));
    if (length == 0) return {};
    if (length < file.size()) {
      file.resize(length);
      return std::filesystem::path(file);
    }
    if (file.size() >= 32768) return {};
    file.resize(file.size() * 2);
  }
}

}  // namespace frame
