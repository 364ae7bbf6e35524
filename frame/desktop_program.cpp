// The composition root: the only place that joins the layers, choosing the
// window system and the database components a real program runs on.
#include "frame/desktop_program.h"

#include <cstdio>
#include <cstdlib>

#include "frame/db/odbc/odbc_backend.h"
#include "frame/qt/qt_window_system.h"

namespace frame {

void RunDesktopProgram(int argc, char** argv, const Program& program) {
  // The ODBC environment first, before any thread runs.
  ComponentFactory components = OdbcComponentFactory();
  QtWindowSystem window_system(argc, argv);
  Runtime runtime(window_system, {.make_component = std::move(components)});
  int exit_code = runtime.Run(program);
  // Workers may still be running: end without tearing anything down under them.
  std::fflush(nullptr);
  std::_Exit(exit_code);
}

}  // namespace frame
