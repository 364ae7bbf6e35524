#include "tests/support/file_modes.h"

namespace testing_support {

bool FileModesSayWhoMayRead() {
  return true;
}

}  // namespace testing_support
