#include "frame/services/values.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "frame/services/local_clock.h"

namespace frame {
namespace {

constexpr double kFirstDay = -657434;       // 0100-01-01
constexpr double kLastDay = 2958465;        // 9999-12-31
constexpr int64_t kEpochFrom1970 = -25569;  // 1899-12-30 in days since 1970-01-01
constexpr int64_t kSecondsPerDay = 86400;

template <typename T>
Text FormatGeneral(T value, int precision) {
  // to_chars ignores the C locale, so the decimal point is always '.'.
  char buffer[64];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, precision);
  return Text(buffer, result.ptr);
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct CivilDate {
  int64_t year;
  int month;
  int day;
};

CivilDate CivilFromDays(int64_t z) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (month <= 2), month, day};
}

Text DateTimeText(DateTime value) {
  // NaN has no date; it is shown as the epoch rather than left to the casts below.
  double days = std::isnan(value.days) ? 0.0 : std::clamp(value.days, kFirstDay, kLastDay);
  double whole = std::trunc(days);
  int64_t date = static_cast<int64_t>(whole);
  int64_t seconds = static_cast<int64_t>(std::round(std::fabs(days - whole) * kSecondsPerDay));
  if (seconds >= kSecondsPerDay) {
    ++date;
    seconds -= kSecondsPerDay;
  }
  CivilDate civil = CivilFromDays(date + kEpochFrom1970);
  int hour = static_cast<int>(seconds / 3600);
  int minute = static_cast<int>(seconds / 60 % 60);
  int second = static_cast<int>(seconds % 60);

  std::string utf8 = std::to_string(civil.year) + "年" + std::to_string(civil.month) + "月" +
                     std::to_string(civil.day) + "日";
  if (second != 0) {
    utf8 +=
        std::to_string(hour) + "时" + std::to_string(minute) + "分" + std::to_string(second) + "秒";
  } else if (minute != 0) {
    utf8 += std::to_string(hour) + "时" + std::to_string(minute) + "分";
  } else if (hour != 0) {
    utf8 += std::to_string(hour) + "时";
  }
  return Gbk(utf8);
}

// Full-width GBK forms become their ASCII bytes; other characters stay whole.
Text NarrowFullWidth(std::string_view text) {
  Text out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    if (!IsGbkLeadByte(lead) || i + 1 == text.size()) {
      out.push_back(text[i]);
      continue;
    }
    unsigned char trail = static_cast<unsigned char>(text[i + 1]);
    ++i;
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      out.push_back(static_cast<char>(trail - 0x80));
    } else if (lead == 0xA1 && trail == 0xA1) {
      out.push_back(' ');
    } else if (lead == 0xA1 && trail == 0xAB) {
      out.push_back('~');
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      out.push_back('*');
    } else {
      out.push_back(static_cast<char>(lead));
      out.push_back(static_cast<char>(trail));
    }
  }
  return out;
}

bool IsBlank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

int32_t TextToInteger(std::string_view text) {
  Text narrow = NarrowFullWidth(text);
  size_t i = 0;
  while (i < narrow.size() && IsBlank(narrow[i]))
    ++i;
  bool negative = false;
  if (i < narrow.size() && (narrow[i] == '+' || narrow[i] == '-')) negative = narrow[i++] == '-';
  // Wraps like 32-bit C arithmetic without an overflow check, done unsigned.
  uint32_t accumulated = 0;
  for (; i < narrow.size() && narrow[i] >= '0' && narrow[i] <= '9'; ++i) {
    accumulated = accumulated * 10u + static_cast<uint32_t>(narrow[i] - '0');
  }
  if (negative) accumulated = 0u - accumulated;
  return static_cast<int32_t>(accumulated);
}

int32_t TruncateToInteger(double value) {
  // Out of range and NaN give what the x86 truncating conversion gives.
  if (!(value > -2147483649.0 && value < 2147483648.0)) {
    return std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(value);
}

int32_t Low32(uint64_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

}  // namespace

Text ToText(const Value& value) {
  const Value::Storage& s = value.storage();
  switch (value.kind()) {
    case Value::Kind::kByte:
      return std::to_string(std::get<uint8_t>(s));
    case Value::Kind::kShort:
      return std::to_string(std::get<int16_t>(s));
    case Value::Kind::kInt:
      return std::to_string(std::get<int32_t>(s));
    case Value::Kind::kInt64:
      return std::to_string(std::get<int64_t>(s));
    case Value::Kind::kFloat:
      return FormatGeneral(std::get<float>(s), 6);
    case Value::Kind::kDouble:
      return FormatGeneral(std::get<double>(s), 13);
    case Value::Kind::kBool: {
      static const Text kTrue = Gbk("真");
      static const Text kFalse = Gbk("假");
      return std::get<bool>(s) ? kTrue : kFalse;
    }
    case Value::Kind::kDateTime:
      return DateTimeText(std::get<DateTime>(s));
    case Value::Kind::kText:
      return std::get<Text>(s);
    case Value::Kind::kArray: {
      const std::vector<uint8_t>& bytes = std::get<ArrayBytes>(s).bytes;
      std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
      return Text(data.substr(0, data.find('\0')));
    }
    case Value::Kind::kEmpty:
    case Value::Kind::kSubroutine:
      break;
  }
  return Text();
}

int32_t ToInteger(const Value& value) {
  const Value::Storage& s = value.storage();
  switch (value.kind()) {
    case Value::Kind::kByte:
      return std::get<uint8_t>(s);
    case Value::Kind::kShort:
      return std::get<int16_t>(s);
    case Value::Kind::kInt:
      return std::get<int32_t>(s);
    case Value::Kind::kInt64:
      return Low32(static_cast<uint64_t>(std::get<int64_t>(s)));
    case Value::Kind::kBool:
      return std::get<bool>(s) ? 1 : 0;
    case Value::Kind::kSubroutine:
      return Low32(reinterpret_cast<uintptr_t>(std::get<Subroutine>(s)));
    case Value::Kind::kFloat:
      return TruncateToInteger(std::get<float>(s));
    case Value::Kind::kDouble:
      return TruncateToInteger(std::get<double>(s));
    case Value::Kind::kText:
      return TextToInteger(std::get<Text>(s));
    case Value::Kind::kEmpty:
    case Value::Kind::kDateTime:
    case Value::Kind::kArray:
      break;
  }
  return 0;
}

DateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
  int64_t seconds = (DaysFromCivil(year, month, day) - kEpochFrom1970) * kSecondsPerDay +
                    int64_t{hour} * 3600 + int64_t{minute} * 60 + second;
  int64_t date = seconds / kSecondsPerDay;
  int64_t time_of_day = seconds % kSecondsPerDay;
  if (time_of_day < 0) {
    --date;
    time_of_day += kSecondsPerDay;
  }
  double fraction = static_cast<double>(time_of_day) / kSecondsPerDay;
  // Before the epoch the fraction is subtracted: the time still counts forward.
  return {date < 0 ? static_cast<double>(date) - fraction : static_cast<double>(date) + fraction};
}

DateTime CurrentDateTime() {
  const LocalTime now = LocalTimeNow();
  return MakeDateTime(now.year, now.month, now.day, now.hour, now.minute, now.second);
}

}  // namespace frame
