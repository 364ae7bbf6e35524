// CurrentDateTime follows the zone that TZ names, as Linux programs do.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "frame/services/values.h"

namespace frame {
namespace {

// The zone for one test, and the one before it back afterwards.
class TimeZone {
 public:
  explicit TimeZone(const char* zone) {
    if (const char* previous = std::getenv("TZ")) previous_ = previous;
    setenv("TZ", zone, 1);
    tzset();
  }
  TimeZone(const TimeZone&) = delete;
  TimeZone& operator=(const TimeZone&) = delete;
  ~TimeZone() {
    if (previous_) {
      setenv("TZ", previous_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::optional<std::string> previous_;
};

// The oracle counts from the Unix epoch, which is day 25569 of automation
// dates, and knows the zone's offset: it shares no step with the code.
TEST(DateTimeTest, CurrentDateTimeIsTheLocalTimeInWholeSeconds) {
  constexpr double kUnixEpoch = 25569;
  struct Case {
    const char* zone;  // POSIX rules: no time-zone files needed
    int east_of_utc_seconds;
  };
  for (const Case& c : {Case{"UTC0", 0}, Case{"CST-8", 8 * 3600}, Case{"NST+3:30", -12600}}) {
    TimeZone zone(c.zone);
    auto as_days = [&](std::time_t t) {
      return kUnixEpoch + static_cast<double>(t + c.east_of_utc_seconds) / 86400;
    };
    double before = as_days(std::time(nullptr));
    DateTime now = CurrentDateTime();
    double after = as_days(std::time(nullptr));
    EXPECT_GE(now.days, before - 1e-9) << c.zone;
    EXPECT_LE(now.days, after + 1e-9) << c.zone;
    double seconds = now.days * 86400;
    EXPECT_NEAR(seconds, std::round(seconds), 1e-3) << c.zone;
  }
}

}  // namespace
}  // namespace frame
