// CurrentDateTime is the local time that Windows gives, in the automation
// date form that the system's own conversion makes of it.
#include <windows.h>
// Needs windows.h before it.
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cmath>

#include "frame/services/values.h"

namespace frame {
namespace {

double AutomationDateNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  now.wMilliseconds = 0;
  double date = 0;
  EXPECT_TRUE(SystemTimeToVariantTime(&now, &date));
  return date;
}

TEST(DateTimeTest, CurrentDateTimeIsTheLocalTimeInWholeSeconds) {
  const double before = AutomationDateNow();
  const DateTime now = CurrentDateTime();
  const double after = AutomationDateNow();
  EXPECT_GE(now.days, before - 1e-6);
  EXPECT_LE(now.days, after + 1e-6);
  const double seconds = now.days * 86400;
  EXPECT_NEAR(seconds, std::round(seconds), 1e-3);
}

}  // namespace
}  // namespace frame
