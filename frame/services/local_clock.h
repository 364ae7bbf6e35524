// The local date and time as the system's clock and time zone give it.
#pragma once

namespace frame {

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

LocalTime LocalTimeNow();

}  // namespace frame
