#include <windows.h>

#include "frame/services/local_clock.h"

namespace frame {

// The zone of the control panel, as the programs' home platform reads it.
LocalTime LocalTimeNow() {
  SYSTEMTIME local;
  GetLocalTime(&local);
  return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

}  // namespace frame
