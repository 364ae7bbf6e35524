// Another process that writes settings, for the suites' cross-process cases:
//   settings_writer.exe FILE KEY-PREFIX COUNT
// writes "<prefix><n>=<prefix><n>" for n = 1..COUNT into section S of FILE
// and exits with 0 when every write was stored.
#include <cstdlib>
#include <string>

#include "frame/settings/ini_file.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const int count = std::atoi(argv[3]);
  for (int n = 1; n <= count; ++n) {
    const std::string key = argv[2] + std::to_string(n);
    if (!frame::WriteIniValue(argv[1], "S", key, key)) return 1;
  }
  return 0;
}
