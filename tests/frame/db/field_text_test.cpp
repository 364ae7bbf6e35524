// The text form of every kind of value, including the kinds that the
// PostgreSQL suite cannot produce (tiny and unsigned integers, money).
#include "frame/db/field_value.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "tests/support/decimal_comma_locale.h"

namespace {

using frame::FieldKind;
using frame::FieldText;
using frame::FieldValue;

struct Case {
  FieldKind kind;
  std::string raw;
  std::string text;
};

// The rules, one group each. Every number's text reads back as the very
// value it shows: a box written back unchanged leaves its column as it was.
const Case kCases[] = {
    {FieldKind::kNull, "", ""},
    {FieldKind::kNull, "12", ""},

    // 2- and 4-byte integers: "%d" of the low 32 bits, so an unsigned 4-byte
    // value above 2147483647 shows negative.
    {FieldKind::kInteger, "-32768", "-32768"},
    {FieldKind::kInteger, "2147483647", "2147483647"},
    {FieldKind::kInteger, "-2147483648", "-2147483648"},
    {FieldKind::kInteger, "-1", "-1"},
    {FieldKind::kInteger, "4294967295", "-1"},

    // 8-byte integers: all 64 bits, signed or unsigned as the column is.
    {FieldKind::kBigInt, "3000000000", "3000000000"},
    {FieldKind::kBigInt, "5000000000", "5000000000"},
    {FieldKind::kBigInt, "-3000000000", "-3000000000"},
    {FieldKind::kBigInt, "9223372036854775807", "9223372036854775807"},
    {FieldKind::kBigInt, "-9223372036854775808", "-9223372036854775808"},
    {FieldKind::kUnsignedBigInt, "18446744073709551615", "18446744073709551615"},
    {FieldKind::kUnsignedBigInt, "9223372036854775808", "9223372036854775808"},
    {FieldKind::kUnsignedBigInt, "0", "0"},

    // 1-byte integers: the byte taken as unsigned.
    {FieldKind::kTinyInt, "0", "0"},
    {FieldKind::kTinyInt, "255", "255"},
    {FieldKind::kTinyInt, "-1", "255"},

    // Singles: "%.4f" when it reads back as the same single, else the
    // shortest plain decimal that does (never an exponent).
    {FieldKind::kReal, "1.5", "1.5000"},
    {FieldKind::kReal, "0.1", "0.1000"},
    {FieldKind::kReal, "-0", "-0.0000"},
    {FieldKind::kReal, "1e-05", "0.00001"},
    {FieldKind::kReal, "-2.71828", "-2.71828"},
    {FieldKind::kReal, "16777216", "16777216.0000"},
    {FieldKind::kReal, "3.4028235e+38", "340282346638528859811704183484516925440.0000"},
    {FieldKind::kReal, "1e-45", "0.000000000000000000000000000000000000000000001"},
    {FieldKind::kReal, "nan", "nan"},
    {FieldKind::kReal, "-inf", "-inf"},

    // Doubles: "%.8f" when it reads back as the same double, else the
    // shortest plain decimal that does.
    {FieldKind::kDouble, "2.25", "2.25000000"},
    {FieldKind::kDouble, "1e20", "100000000000000000000.00000000"},
    {FieldKind::kDouble, "-0", "-0.00000000"},
    {FieldKind::kDouble, "0.3333333333333333", "0.3333333333333333"},
    {FieldKind::kDouble, "1e-05", "0.00001000"},
    {FieldKind::kDouble, "1.5e-10", "0.00000000015"},
    {FieldKind::kDouble, "123456789.12345678", "123456789.12345678"},
    {FieldKind::kDouble, "9007199254740993", "9007199254740992.00000000"},
    {FieldKind::kDouble, "5e-324", "0." + std::string(323, '0') + "5"},
    {FieldKind::kDouble, "inf", "inf"},

    // Decimals from their digits, never through a double: 8 places, or every
    // digit when one beyond the 8th is not zero. Nothing is rounded.
    {FieldKind::kDecimal, "12", "12.00000000"},
    {FieldKind::kDecimal, "1500.00", "1500.00000000"},
    {FieldKind::kDecimal, "1.0000000000", "1.00000000"},
    {FieldKind::kDecimal, "1.0000000001", "1.0000000001"},
    {FieldKind::kDecimal, "1.000000000100", "1.0000000001"},
    {FieldKind::kDecimal, "0.123456789", "0.123456789"},
    {FieldKind::kDecimal, "-9.999999999", "-9.999999999"},
    {FieldKind::kDecimal, "-0.000000001", "-0.000000001"},
    {FieldKind::kDecimal, "999999999999999999", "999999999999999999.00000000"},
    {FieldKind::kDecimal, "99999999999999999999999999999999999999",
     "99999999999999999999999999999999999999.00000000"},
    {FieldKind::kDecimal, "-9999999999999999999999999999.9999999999",
     "-9999999999999999999999999999.9999999999"},
    {FieldKind::kDecimal, "-0.5", "-0.50000000"},
    {FieldKind::kDecimal, "-0.00", "0.00000000"},
    {FieldKind::kDecimal, ".5", "0.50000000"},
    {FieldKind::kDecimal, "007", "7.00000000"},
    {FieldKind::kDecimal, "NaN", "NaN"},

    // Money: the number alone, with its decimals up to the last that is not
    // zero.
    {FieldKind::kCurrency, "12.5000", "12.5"},
    {FieldKind::kCurrency, "3.0000", "3"},
    {FieldKind::kCurrency, "-0.0100", "-0.01"},
    {FieldKind::kCurrency, "922337203685477.5807", "922337203685477.5807"},
    {FieldKind::kCurrency, "-922337203685477.5808", "-922337203685477.5808"},
    {FieldKind::kCurrency, "0.0000", "0"},
    {FieldKind::kCurrency, "0.0001", "0.0001"},

    {FieldKind::kDateTime, "2015-10-01 00:00:00", "2015-10-01 00:00:00"},
    {FieldKind::kBit, "1", "TRUE"},
    {FieldKind::kBit, "0", "FALSE"},
    {FieldKind::kText, "\xba\xba\xd7\xd6", "\xba\xba\xd7\xd6"},
    {FieldKind::kText, "ab   ", "ab   "},
    {FieldKind::kGuid, "a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11",
     "{A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11}"},
    {FieldKind::kGuid, "{A0EEBC999C0B4EF8BB6D6BB9BD380A11}",
     "{A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11}"},
    {FieldKind::kBinary, "\x01\x02", "[BLOB]"},
    {FieldKind::kUnknown, "12:00:00", "UN_KNOW"},
};

TEST(FieldText, EachKindHasItsTextForm) {
  for (const Case& c : kCases) {
    EXPECT_EQ(FieldText({c.kind, c.raw}), c.text) << static_cast<int>(c.kind) << " " << c.raw;
  }
}

// Qt's programs take the C locale from the environment; a decimal comma must
// not reach a single text.
TEST(FieldText, TheLocaleDoesNotMatter) {
  testing_support::DecimalCommaLocale locale;
  if (locale.name().empty()) GTEST_SKIP() << "no locale with a decimal comma (package locales)";
  ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  for (const Case& c : kCases) {
    EXPECT_EQ(FieldText({c.kind, c.raw}), c.text) << locale.name() << " " << c.raw;
  }
}

}  // namespace
