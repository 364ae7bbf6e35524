#include "tests/servers/tds/tds_dates.h"

#include <chrono>

#include "tests/servers/tds/tds_text.h"

namespace db_test::tds {
namespace {

// A date and time of day as PostgreSQL writes them in the ISO style.
struct DateTime {
  int64_t days = 0;          // since 0001-01-01
  int64_t microseconds = 0;  // since midnight
};

std::optional<int> Digits(std::string_view text, size_t at, size_t count) {
  if (at + count > text.size()) return std::nullopt;
  return NumberFromText<int>(text.substr(at, count));
}

int64_t DaysSinceYearOne(int year, unsigned month, unsigned day) {
  using namespace std::chrono;
  constexpr sys_days kYearOne = sys_days(std::chrono::year(1) / 1 / 1);
  return (sys_days(std::chrono::year(year) / month / day) - kYearOne).count();
}

// "HH:MM:SS" with an optional fraction, all of `text`.
std::optional<int64_t> ParseTime(std::string_view text) {
  auto hour = Digits(text, 0, 2);
  auto minute = Digits(text, 3, 2);
  auto second = Digits(text, 6, 2);
  if (!hour || !minute || !second || text[2] != ':' || text[5] != ':') return std::nullopt;
  int64_t microseconds = 0;
  if (text.size() > 8) {
    std::string_view fraction = text.substr(9);
    if (text[8] != '.' || fraction.empty() || fraction.size() > 6) return std::nullopt;
    auto value = NumberFromText<int64_t>(fraction);
    if (!value) return std::nullopt;
    microseconds = *value;
    for (size_t i = fraction.size(); i < 6; ++i)
      microseconds *= 10;
  }
  return ((int64_t{*hour} * 60 + *minute) * 60 + *second) * 1000000 + microseconds;
}

// "YYYY-MM-DD", optionally followed by a blank and a time.
std::optional<DateTime> ParseDateTime(std::string_view text) {
  auto year = Digits(text, 0, 4);
  auto month = Digits(text, 5, 2);
  auto day = Digits(text, 8, 2);
  if (!year || !month || !day || text[4] != '-' || text[7] != '-') return std::nullopt;
  std::chrono::year_month_day date{std::chrono::year(*year), std::chrono::month(*month),
                                   std::chrono::day(*day)};
  if (!date.ok()) return std::nullopt;
  DateTime value{.days = DaysSinceYearOne(*year, *month, *day)};
  if (text.size() > 10) {
    if (text[10] != ' ') return std::nullopt;
    auto time = ParseTime(text.substr(11));
    if (!time) return std::nullopt;
    value.microseconds = *time;
  }
  return value;
}

constexpr int64_t kMicrosecondsPerDay = int64_t{86400} * 1000000;

Bytes TimeOfDay(int64_t microseconds) {
  return LittleEndian(static_cast<uint64_t>(microseconds) * 10, 5);
}

}  // namespace

std::optional<Bytes> EncodeDateTime(std::string_view text) {
  auto value = ParseDateTime(text);
  if (!value) return std::nullopt;
  int64_t days = value->days - DaysSinceYearOne(1900, 1, 1);
  // Ticks of 1/300 s, rounded.
  int64_t ticks = (value->microseconds * 3 + 5000) / 10000;
  if (ticks >= 300 * 86400) {
    ++days;
    ticks -= 300 * 86400;
  }
  if (days < DaysSinceYearOne(1753, 1, 1) - DaysSinceYearOne(1900, 1, 1) ||
      days > DaysSinceYearOne(9999, 12, 31) - DaysSinceYearOne(1900, 1, 1)) {
    return std::nullopt;
  }
  Bytes bytes = LittleEndian(static_cast<uint32_t>(static_cast<int32_t>(days)), 4);
  Bytes time = LittleEndian(static_cast<uint64_t>(ticks), 4);
  bytes.insert(bytes.end(), time.begin(), time.end());
  return bytes;
}

std::optional<Bytes> EncodeSmallDateTime(std::string_view text) {
  auto value = ParseDateTime(text);
  if (!value) return std::nullopt;
  int64_t days = value->days - DaysSinceYearOne(1900, 1, 1);
  // 29.998 seconds round down, 29.999 up.
  int64_t minutes = (value->microseconds / 1000 + 30001) / 60000;
  if (minutes >= 24 * 60) {
    ++days;
    minutes -= 24 * 60;
  }
  if (days < 0 || days > 0xFFFF) return std::nullopt;
  Bytes bytes = LittleEndian(static_cast<uint64_t>(days), 2);
  bytes.push_back(static_cast<uint8_t>(minutes));
  bytes.push_back(static_cast<uint8_t>(minutes >> 8));
  return bytes;
}

std::optional<Bytes> EncodeDate(std::string_view text) {
  auto value = ParseDateTime(text);
  if (!value || value->microseconds != 0 || value->days < 0) return std::nullopt;
  return LittleEndian(static_cast<uint64_t>(value->days), 3);
}

std::optional<Bytes> EncodeDateTime2(std::string_view text) {
  auto value = ParseDateTime(text);
  if (!value || value->days < 0) return std::nullopt;
  Bytes bytes = TimeOfDay(value->microseconds);
  Bytes date = LittleEndian(static_cast<uint64_t>(value->days), 3);
  bytes.insert(bytes.end(), date.begin(), date.end());
  return bytes;
}

std::optional<Bytes> EncodeTime(std::string_view text) {
  auto value = ParseTime(text);
  if (!value || *value >= kMicrosecondsPerDay) return std::nullopt;
  return TimeOfDay(*value);
}

}  // namespace db_test::tds
