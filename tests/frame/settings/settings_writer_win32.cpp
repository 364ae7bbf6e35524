// Another process that writes settings, for the suites' cross-process cases:
//   settings_writer.exe FILE KEY-PREFIX COUNT
// writes "<prefix><n>=<prefix><n>" for n = 1..COUNT into section S of FILE
// and exits with 0 when every write was stored. Just before its first write
// it sets the event named by ReadyEventName(its process ID).
#include <windows.h>

#include <cstdlib>
#include <string>

#include "frame/settings/ini_file.h"
#include "tests/frame/settings/settings_writer_win32.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const int count = std::atoi(argv[3]);
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, ReadyEventName(GetCurrentProcessId()).c_str());
  if (ready != nullptr) SetEvent(ready);
  for (int n = 1; n <= count; ++n) {
    const std::string key = argv[2] + std::to_string(n);
    if (!frame::WriteIniValue(argv[1], "S", key, key)) return 1;
  }
  return 0;
}
