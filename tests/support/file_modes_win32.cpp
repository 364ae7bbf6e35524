#include "tests/support/file_modes.h"

namespace testing_support {

bool FileModesSayWhoMayRead() {
  return false;
}

}  // namespace testing_support
