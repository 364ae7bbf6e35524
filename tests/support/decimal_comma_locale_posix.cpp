#include "tests/support/decimal_comma_locale.h"

#include <unistd.h>

#include <clocale>
#include <cstdlib>

namespace testing_support {

DecimalCommaLocale::DecimalCommaLocale() {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) {
    name_ = "de_DE.UTF-8";
    return;
  }
  scratch_ = std::filesystem::temp_directory_path() / ("comma-locale-" + std::to_string(getpid()));
  std::filesystem::create_directories(scratch_);
  std::string command =
      "localedef -i de_DE -f UTF-8 '" + (scratch_ / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0) return;
  // LOCPATH is read at each setlocale.
  setenv("LOCPATH", scratch_.c_str(), 1);
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) name_ = "de_DE.UTF-8";
}

DecimalCommaLocale::~DecimalCommaLocale() {
  std::setlocale(LC_ALL, "C");
  if (!scratch_.empty()) {
    unsetenv("LOCPATH");
    std::error_code ignored;
    std::filesystem::remove_all(scratch_, ignored);
  }
}

}  // namespace testing_support
