#include <cstdlib>

#include "frame/runtime/environment.h"

namespace frame {

void SetEnvironmentDefault(const char* name, const char* value) {
  setenv(name, value, /*overwrite=*/0);
}

}  // namespace frame
