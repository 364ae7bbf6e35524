#include "frame/services/values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "tests/support/decimal_comma_locale.h"

namespace frame {
namespace {

void SomeSubroutine() {}

TEST(ValueTest, ConstructorsPickTheIntendedKind) {
  EXPECT_EQ(Value().kind(), Value::Kind::kEmpty);
  EXPECT_EQ(Value("abc").kind(), Value::Kind::kText);
  EXPECT_EQ(Value(static_cast<const char*>(nullptr)).kind(), Value::Kind::kText);
  EXPECT_EQ(Value(std::string("abc")).kind(), Value::Kind::kText);
  EXPECT_EQ(Value(5).kind(), Value::Kind::kInt);
  EXPECT_EQ(Value(uint8_t{5}).kind(), Value::Kind::kByte);
  EXPECT_EQ(Value(int16_t{5}).kind(), Value::Kind::kShort);
  EXPECT_EQ(Value(int64_t{5}).kind(), Value::Kind::kInt64);
  EXPECT_EQ(Value(1.5f).kind(), Value::Kind::kFloat);
  EXPECT_EQ(Value(1.5).kind(), Value::Kind::kDouble);
  EXPECT_EQ(Value(true).kind(), Value::Kind::kBool);
  EXPECT_EQ(Value(DateTime{1.0}).kind(), Value::Kind::kDateTime);
  EXPECT_EQ(Value(&SomeSubroutine).kind(), Value::Kind::kSubroutine);
  EXPECT_EQ(Value::Array(std::vector<int32_t>{1, 2}).kind(), Value::Kind::kArray);
}

TEST(ToTextTest, FormatsEachKind) {
  struct Case {
    Value value;
    Text expected;
  };
  const Case cases[] = {
      {Value(uint8_t{255}), "255"},
      {Value(int16_t{-32768}), "-32768"},
      {Value(-2147483647 - 1), "-2147483648"},
      {Value(std::numeric_limits<int64_t>::min()), "-9223372036854775808"},
      {Value(int64_t{1} << 40), "1099511627776"},
      {Value(3.14159265f), "3.14159"},
      {Value(1234567.0f), "1.23457e+06"},
      {Value(0.5f), "0.5"},
      {Value(1.5), "1.5"},
      {Value(150.0), "150"},
      {Value(100.0 / 100), "1"},
      {Value(1.25), "1.25"},
      {Value(0.1 + 0.2), "0.3"},
      {Value(1.0 / 3), "0.3333333333333"},
      {Value(1e15), "1e+15"},
      {Value(-0.000125), "-0.000125"},
      {Value(true), Gbk("真")},
      {Value(false), Gbk("假")},
      {Value(Gbk("文本")), Gbk("文本")},
      {Value(""), ""},
      {Value(&SomeSubroutine), ""},
      {Value(), ""},
      {Value::Array(std::vector<uint8_t>{'a', 'b', 0, 'c'}), "ab"},
      {Value::Array(std::vector<uint8_t>{'x', 'y'}), "xy"},
      {Value::Array(std::vector<uint8_t>{}), ""},
      {Value::Array(std::vector<int32_t>{0x00636261}), "abc"},
      {Value::Array(std::vector<int16_t>{0x4141, 0x0042, 0x4343}), "AAB"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToText(c.value), c.expected) << "kind " << static_cast<int>(c.value.kind());
  }
}

TEST(ToTextTest, DecimalPointIgnoresTheCLocale) {
  testing_support::DecimalCommaLocale locale;
  if (locale.name().empty()) GTEST_SKIP() << "no locale with a decimal comma (package locales)";
  EXPECT_EQ(ToText(Value(1.5)), "1.5");
  EXPECT_EQ(ToText(Value(2.25f)), "2.25");
}

TEST(DateTimeTest, TimePartIsAsShortAsTheTimeAllows) {
  struct Case {
    DateTime when;
    const char* expected;
  };
  const Case cases[] = {
      {MakeDateTime(2015, 10, 1, 8, 5, 9), "2015年10月1日8时5分9秒"},
      {MakeDateTime(2015, 10, 1, 8, 5, 0), "2015年10月1日8时5分"},
      {MakeDateTime(2015, 10, 1, 8, 0, 0), "2015年10月1日8时"},
      {MakeDateTime(2015, 10, 1, 0, 0, 0), "2015年10月1日"},
      {MakeDateTime(2015, 10, 1, 0, 0, 30), "2015年10月1日0时0分30秒"},
      {MakeDateTime(2015, 10, 1, 0, 7, 0), "2015年10月1日0时7分"},
      {MakeDateTime(2000, 2, 29, 23, 59, 59), "2000年2月29日23时59分59秒"},
      {DateTime{0.0}, "1899年12月30日"},
      {DateTime{1.0}, "1899年12月31日"},
      {DateTime{0.5}, "1899年12月30日12时"},
      {DateTime{-1.25}, "1899年12月29日6时"},
      {DateTime{-1.0}, "1899年12月29日"},
      {DateTime{42278.25}, "2015年10月1日6时"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8(ToText(Value(c.when))), c.expected) << c.when.days;
  }
}

TEST(DateTimeTest, RoundsToTheSecondAndCarriesIntoTheDate) {
  const double second = 1.0 / 86400;
  struct Case {
    double days;
    const char* expected;
  };
  const Case cases[] = {
      {MakeDateTime(2015, 10, 1, 8, 5, 9).days + 0.4 * second, "2015年10月1日8时5分9秒"},
      {MakeDateTime(2015, 10, 1, 8, 5, 9).days + 0.6 * second, "2015年10月1日8时5分10秒"},
      {MakeDateTime(2015, 12, 31, 23, 59, 59).days + 0.6 * second, "2016年1月1日"},
      // Before the epoch the time runs forward from midnight of the earlier date.
      {-1.0 - (86399.6 / 86400), "1899年12月30日"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8(ToText(Value(DateTime{c.days}))), c.expected) << c.days;
  }
}

TEST(DateTimeTest, ClampsToTheYears100To9999) {
  struct Case {
    double days;
    const char* expected;
  };
  const Case cases[] = {
      {-657434.0, "100年1月1日"},
      {-657435.0, "100年1月1日"},
      {-1e300, "100年1月1日"},
      {-std::numeric_limits<double>::infinity(), "100年1月1日"},
      {2958465.0, "9999年12月31日"},
      {2958465.75, "9999年12月31日"},
      {1e300, "9999年12月31日"},
      {std::numeric_limits<double>::infinity(), "9999年12月31日"},
      {2958464.5, "9999年12月30日12时"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8(ToText(Value(DateTime{c.days}))), c.expected) << c.days;
  }
  // NaN has no date; it must not crash or reach an undefined conversion.
  EXPECT_FALSE(ToText(Value(DateTime{std::nan("")})).empty());
}

TEST(DateTimeTest, MakeDateTimeMatchesKnownAutomationDates) {
  EXPECT_DOUBLE_EQ(MakeDateTime(1899, 12, 30, 0, 0, 0).days, 0.0);
  EXPECT_DOUBLE_EQ(MakeDateTime(1900, 1, 1, 0, 0, 0).days, 2.0);
  EXPECT_DOUBLE_EQ(MakeDateTime(2015, 10, 1, 6, 0, 0).days, 42278.25);
  EXPECT_DOUBLE_EQ(MakeDateTime(1899, 12, 29, 6, 0, 0).days, -1.25);
  EXPECT_DOUBLE_EQ(MakeDateTime(100, 1, 1, 0, 0, 0).days, -657434.0);
  EXPECT_DOUBLE_EQ(MakeDateTime(9999, 12, 31, 0, 0, 0).days, 2958465.0);
  // Fields past their range carry over.
  EXPECT_DOUBLE_EQ(MakeDateTime(2015, 9, 30, 24, 0, 0).days,
                   MakeDateTime(2015, 10, 1, 0, 0, 0).days);
  EXPECT_DOUBLE_EQ(MakeDateTime(1899, 12, 30, 0, 0, -1).days, -(1.0 + 86399.0 / 86400));
}

TEST(DateTimeTest, CivilDatesRoundTripAcrossTheRange) {
  // Year starts across leap rules and both sides of the epoch.
  for (int year : {100, 101, 400, 1600, 1700, 1899, 1900, 1970, 2000, 2024, 2100, 9999}) {
    for (int month : {1, 2, 3, 12}) {
      int day = month == 2 ? 28 : 31;
      std::string expected =
          std::to_string(year) + "年" + std::to_string(month) + "月" + std::to_string(day) + "日";
      EXPECT_EQ(Utf8(ToText(Value(MakeDateTime(year, month, day, 0, 0, 0)))), expected);
    }
  }
  EXPECT_EQ(Utf8(ToText(Value(MakeDateTime(1900, 2, 29, 0, 0, 0)))), "1900年3月1日");
}

TEST(ToIntegerTest, ReadsTexts) {
  struct Case {
    Text text;
    int32_t expected;
  };
  const Case cases[] = {
      {"", 0},
      {"1.5", 1},
      {"-7x", -7},
      {"abc", 0},
      {" 42", 42},
      {"\t\r\n 42", 42},
      {"1e3", 1},
      {"+15", 15},
      {"-", 0},
      {"+-1", 0},
      {"- 1", 0},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", -2147483647 - 1},  // wraps in 32 bits
      {"4294967297", 1},
      {"99999999999", 1215752191},
      {Gbk("１２"), 12},
      {Gbk("－３"), -3},
      {Gbk("＋４"), 4},
      {Gbk("　５"), 5},  // full-width blank
      {Gbk("　－１２ａ"), -12},
      {Gbk("中12"), 0},  // another character is not a digit
      {Gbk("1中"), 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToInteger(Value(c.text)), c.expected) << Utf8(c.text);
  }
}

TEST(ToIntegerTest, FullWidthFormsBecomeAscii) {
  // A trail byte that looks like a digit belongs to its character and is no digit.
  Text digit_trail = "\x81\x31";
  EXPECT_EQ(ToInteger(Value(digit_trail + "7")), 0);
  // The forms that become '~' and '*' are no digits: they end the number.
  EXPECT_EQ(ToInteger(Value(Text("5\xA1\xAB") + "1")), 5);
  EXPECT_EQ(ToInteger(Value(Text("\xA1\xEE") + "1")), 0);
  EXPECT_EQ(ToInteger(Value(Gbk("９") + "\xA3")), 9);  // a lone lead byte at the end
}

TEST(ToIntegerTest, ConvertsOtherKinds) {
  struct Case {
    Value value;
    int32_t expected;
  };
  const int32_t kMin = std::numeric_limits<int32_t>::min();
  const Case cases[] = {
      {Value(uint8_t{255}), 255},
      {Value(int16_t{-5}), -5},
      {Value(-123), -123},
      {Value(int64_t{0x100000002}), 2},
      {Value(int64_t{-1}), -1},
      {Value(int64_t{0xFFFFFFFF}), -1},
      {Value(true), 1},
      {Value(false), 0},
      {Value(1.9), 1},
      {Value(-1.9), -1},
      {Value(-2.7), -2},
      {Value(2.5f), 2},
      {Value(-0.5f), 0},
      {Value(2147483647.9), 2147483647},
      {Value(-2147483648.9), kMin},
      {Value(2147483648.0), kMin},
      {Value(-2147483649.0), kMin},
      {Value(1e300), kMin},
      {Value(std::nan("")), kMin},
      {Value(std::numeric_limits<float>::infinity()), kMin},
      {Value(3e9f), kMin},
      {Value(DateTime{42278.25}), 0},
      {Value(), 0},
      {Value::Array(std::vector<int32_t>{7}), 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToInteger(c.value), c.expected) << "kind " << static_cast<int>(c.value.kind());
  }
  EXPECT_EQ(
      ToInteger(Value(&SomeSubroutine)),
      static_cast<int32_t>(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&SomeSubroutine))));
}

}  // namespace
}  // namespace frame
