#include <windows.h>

#include <cstdlib>

#include "frame/runtime/environment.h"

namespace frame {

// Both copies: the C runtime's, which getenv reads, and the process's, which
// DLLs and child processes see.
void SetEnvironmentDefault(const char* name, const char* value) {
  if (GetEnvironmentVariableA(name, nullptr, 0) != 0 || std::getenv(name) != nullptr) return;
  SetEnvironmentVariableA(name, value);
  _putenv_s(name, value);
}

}  // namespace frame
