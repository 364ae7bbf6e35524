// The hand-made text forms that a stored result is read through: date-times
// from their parts, GUIDs from any text a driver sends, and a decimal kept in
// its shortest form that reads as the driver's digits would.
#include "frame/db/text_forms.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using frame::Timestamp;

std::string DateTimeText(const Timestamp& value) {
  std::string text = "kept ";
  frame::AppendDateTimeText(value, text);
  return text.substr(5);
}

TEST(TextForms, DateTimesPadEachPart) {
  EXPECT_EQ(DateTimeText({2015, 10, 1, 0, 0, 0}), "2015-10-01 00:00:00");
  EXPECT_EQ(DateTimeText({9999, 12, 31, 23, 59, 59}), "9999-12-31 23:59:59");
  EXPECT_EQ(DateTimeText({1753, 1, 1, 7, 5, 9}), "1753-01-01 07:05:09");
  EXPECT_EQ(DateTimeText({44, 3, 15, 12, 0, 0}), "0044-03-15 12:00:00");
  // Beyond four digits, as "%04d" prints them.
  EXPECT_EQ(DateTimeText({-1, 1, 1, 0, 0, 0}), "-001-01-01 00:00:00");
  EXPECT_EQ(DateTimeText({12345, 1, 1, 0, 0, 0}), "12345-01-01 00:00:00");
}

std::string GuidText(const std::string& text) {
  std::optional<frame::Guid> guid = frame::ParseGuid(text);
  if (!guid) return "none";
  std::string out;
  frame::AppendGuidText(*guid, out);
  return out;
}

TEST(TextForms, GuidsReadFromEveryForm) {
  const std::string braced = "{A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11}";
  struct Case {
    std::string text;
    std::string shown;
  };
  const Case cases[] = {
      {"a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11", braced},  // PostgreSQL's own
      {"A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11", braced},  // its driver, FreeTDS
      {braced, braced},
      {"a0eebc999c0b4ef8bb6d6bb9bd380a11", braced},
      {"a0eebc99-9c0b4ef8-bb6d-6bb9bd380a11--", braced},
      {"00000000-0000-0000-0000-000000000000", "{00000000-0000-0000-0000-000000000000}"},
      {"FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF", "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"},
      {"a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a1g", "none"},
      {"a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a1 ", "none"},
      {"a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a1", "none"},
      {"a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a111", "none"},
      {"", "none"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GuidText(c.text), c.shown) << c.text;
}

// A stored decimal is its shortest form; read with eight places it shows as
// the driver's own digits would.
TEST(TextForms, AShortestDecimalReadsAsItsDigits) {
  for (const char* digits :
       {"1500.00", "12", "-0.50", "0.123456789", "1.000000000100", "-0.00", "+5", ".5", "007",
        "99999999999999999999999999999999999999", "-9999999999999999999999999999.9999999999", "NaN",
        "1e5", "1.2.3", "-", ""}) {
    std::string shortest;
    frame::AppendDecimalText(digits, 0, shortest);
    std::string read;
    frame::AppendDecimalText(shortest, 8, read);
    std::string direct;
    frame::AppendDecimalText(digits, 8, direct);
    EXPECT_EQ(read, direct) << digits << " kept as " << shortest;
  }
}

}  // namespace
