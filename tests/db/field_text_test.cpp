// The text form of every kind of value, including the kinds that the
// PostgreSQL suite cannot produce (tiny integers, money).
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

const Case kCases[] = {
    {FieldKind::kNull, "", ""},
    {FieldKind::kNull, "12", ""},
    // Integers of every width show their low 32 bits.
    {FieldKind::kInteger, "-32768", "-32768"},
    {FieldKind::kInteger, "2147483647", "2147483647"},
    {FieldKind::kInteger, "2147483648", "-2147483648"},
    {FieldKind::kInteger, "4294967297", "1"},
    {FieldKind::kInteger, "-1", "-1"},
    {FieldKind::kInteger, "18446744073709551615", "-1"},
    {FieldKind::kTinyInt, "0", "0"},
    {FieldKind::kTinyInt, "255", "255"},
    {FieldKind::kTinyInt, "-1", "255"},
    {FieldKind::kReal, "1.5", "1.5000"},
    {FieldKind::kReal, "0.1", "0.1000"},
    {FieldKind::kReal, "-2.71828", "-2.7183"},
    {FieldKind::kDouble, "2.25", "2.25000000"},
    {FieldKind::kDouble, "0.3333333333333333", "0.33333333"},
    {FieldKind::kDouble, "1e20", "100000000000000000000.00000000"},
    // Decimals from their digits: exact, 8 places.
    {FieldKind::kDecimal, "12", "12.00000000"},
    {FieldKind::kDecimal, "1500.00", "1500.00000000"},
    {FieldKind::kDecimal, "999999999999999999", "999999999999999999.00000000"},
    {FieldKind::kDecimal, "12345678901234567890123456.5", "12345678901234567890123456.50000000"},
    {FieldKind::kDecimal, "-0.5", "-0.50000000"},
    {FieldKind::kDecimal, ".5", "0.50000000"},
    {FieldKind::kDecimal, "007", "7.00000000"},
    {FieldKind::kDecimal, "0.123456789", "0.12345679"},
    {FieldKind::kDecimal, "0.123456784", "0.12345678"},
    // A tie goes to the even digit, as printing the double 2^-9 did.
    {FieldKind::kDecimal, "0.001953125", "0.00195312"},
    {FieldKind::kDecimal, "0.001953135", "0.00195314"},
    {FieldKind::kDecimal, "0.0019531250001", "0.00195313"},
    {FieldKind::kDecimal, "-9.999999999", "-10.00000000"},
    {FieldKind::kDecimal, "-0.000000001", "0.00000000"},
    {FieldKind::kDecimal, "NaN", "NaN"},
    // Money: the number alone, its shortest decimals up to 4.
    {FieldKind::kCurrency, "12.5000", "12.5"},
    {FieldKind::kCurrency, "3.0000", "3"},
    {FieldKind::kCurrency, "-0.0100", "-0.01"},
    {FieldKind::kCurrency, "922337203685477.5807", "922337203685477.5807"},
    {FieldKind::kCurrency, "0.0000", "0"},
    {FieldKind::kCurrency, "1.23456", "1.2346"},
    {FieldKind::kCurrency, "1.00005", "1"},
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
