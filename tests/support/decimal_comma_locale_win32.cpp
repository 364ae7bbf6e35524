#include <clocale>

#include "tests/support/decimal_comma_locale.h"

namespace testing_support {

// Every Windows has the German locale; its name depends on the C runtime.
DecimalCommaLocale::DecimalCommaLocale() {
  for (const char* name : {"de-DE", "German_Germany.1252", "German"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      name_ = name;
      return;
    }
  }
}

DecimalCommaLocale::~DecimalCommaLocale() {
  std::setlocale(LC_ALL, "C");
}

}  // namespace testing_support
