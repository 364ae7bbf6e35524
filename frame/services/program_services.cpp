#include "frame/services/program_services.h"

#include "frame/runtime/runtime.h"

namespace frame {

Text GetProgramDirectory() {
  return Runtime::Current().program_directory();
}

bool StartThread(Subroutine body) {
  return Runtime::Current().StartThread(body);
}

void EndProgram(int exit_code) {
  Runtime::Current().EndProgram(exit_code);
}

void ReportRuntimeError(int32_t code, std::string_view text) {
  Runtime::Current().ReportRuntimeError(code, text);
}

}  // namespace frame
