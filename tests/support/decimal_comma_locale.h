// A C locale whose decimal point is a comma, for the time of a test: the
// installed de_DE one, or one built with localedef (package locales); on
// Windows the German one.
#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

class DecimalCommaLocale {
 public:
  DecimalCommaLocale();
  DecimalCommaLocale(const DecimalCommaLocale&) = delete;
  DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;
  // Back to the C locale.
  ~DecimalCommaLocale();

  // The locale in force; empty when none could be had.
  const std::string& name() const { return name_; }

 private:
  std::filesystem::path scratch_;
  std::string name_;
};

}  // namespace testing_support
