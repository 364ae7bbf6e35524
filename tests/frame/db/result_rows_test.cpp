// A result as a record set holds it: each value reads as the text form of
// its kind, NULLs read empty, and texts stay in place across blocks of rows.
#include "frame/db/result_rows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

using frame::FieldKind;
using frame::FieldValue;
using frame::ResultRows;
using frame::Text;

std::string Read(const ResultRows& rows, size_t row, size_t column) {
  Text text = "left over";
  rows.ReadText(row, column, text);
  return text;
}

void AppendText(ResultRows& rows, const std::string& text) {
  rows.AppendText() += text;
  ASSERT_TRUE(rows.EndText());
}

// Each kind stored as the ODBC reader stores it reads as FieldText shows the
// same value given as a literal.
TEST(ResultRows, EachKindReadsAsItsLiteralWould) {
  struct Case {
    FieldKind kind;
    std::function<void(ResultRows&)> append;
    FieldValue literal;
  };
  const Case cases[] = {
      {FieldKind::kInteger,
       [](ResultRows& r) { r.AppendInteger(-2147483648LL); },
       {FieldKind::kInteger, "-2147483648"}},
      {FieldKind::kInteger,
       [](ResultRows& r) { r.AppendInteger(4294967295LL); },
       {FieldKind::kInteger, "4294967295"}},
      {FieldKind::kBigInt,
       [](ResultRows& r) { r.AppendInteger(INT64_MIN); },
       {FieldKind::kBigInt, "-9223372036854775808"}},
      {FieldKind::kUnsignedBigInt,
       [](ResultRows& r) { r.AppendUnsigned(UINT64_MAX); },
       {FieldKind::kUnsignedBigInt, "18446744073709551615"}},
      {FieldKind::kTinyInt,
       [](ResultRows& r) { r.AppendInteger(-1); },
       {FieldKind::kTinyInt, "-1"}},
      {FieldKind::kReal, [](ResultRows& r) { r.AppendReal(0.1f); }, {FieldKind::kReal, "0.1"}},
      {FieldKind::kReal, [](ResultRows& r) { r.AppendReal(1e-5f); }, {FieldKind::kReal, "1e-05"}},
      {FieldKind::kDouble,
       [](ResultRows& r) { r.AppendDouble(1.0 / 3); },
       {FieldKind::kDouble, "0.3333333333333333"}},
      {FieldKind::kDouble,
       [](ResultRows& r) { r.AppendDouble(-2.25); },
       {FieldKind::kDouble, "-2.25"}},
      {FieldKind::kDecimal,
       [](ResultRows& r) { AppendText(r, "1500"); },
       {FieldKind::kDecimal, "1500.00"}},
      {FieldKind::kDecimal,
       [](ResultRows& r) { AppendText(r, "-0.000000001"); },
       {FieldKind::kDecimal, "-0.000000001"}},
      {FieldKind::kDecimal,
       [](ResultRows& r) { AppendText(r, "NaN"); },
       {FieldKind::kDecimal, "NaN"}},
      {FieldKind::kCurrency,
       [](ResultRows& r) { AppendText(r, "-922337203685477.5808"); },
       {FieldKind::kCurrency, "-922337203685477.5808"}},
      {FieldKind::kDateTime,
       [](ResultRows& r) {
         r.AppendDateTime({2015, 10, 1, 13, 45, 30});
       },
       {FieldKind::kDateTime, "2015-10-01 13:45:30"}},
      {FieldKind::kBit, [](ResultRows& r) { r.AppendBit(true); }, {FieldKind::kBit, "1"}},
      {FieldKind::kBit, [](ResultRows& r) { r.AppendBit(false); }, {FieldKind::kBit, "0"}},
      {FieldKind::kText,
       [](ResultRows& r) { AppendText(r, frame::Gbk("玩家'O''Hara 汉字")); },
       {FieldKind::kText, frame::Gbk("玩家'O''Hara 汉字")}},
      {FieldKind::kText, [](ResultRows& r) { AppendText(r, ""); }, {FieldKind::kText, ""}},
      {FieldKind::kGuid,
       [](ResultRows& r) {
         r.AppendGuid(*frame::ParseGuid("a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11"));
       },
       {FieldKind::kGuid, "a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11"}},
      {FieldKind::kBinary, [](ResultRows& r) { r.AppendPresent(); }, {FieldKind::kBinary, ""}},
      {FieldKind::kUnknown, [](ResultRows& r) { r.AppendPresent(); }, {FieldKind::kUnknown, ""}},
  };
  for (const Case& c : cases) {
    // The value between two texts and a NULL of its own kind, so that its
    // slot sits among others.
    ResultRows rows({{"before", FieldKind::kText}, {"v", c.kind}, {"after", FieldKind::kText}});
    rows.AddRow();
    AppendText(rows, "a");
    c.append(rows);
    AppendText(rows, "b");
    rows.AddRow();
    AppendText(rows, "c");
    rows.AppendNull();
    AppendText(rows, "d");
    ASSERT_EQ(rows.row_count(), 2u);
    EXPECT_EQ(Read(rows, 0, 1), frame::FieldText(c.literal)) << c.literal.raw;
    EXPECT_EQ(Read(rows, 1, 1), "") << c.literal.raw;
    EXPECT_EQ(Read(rows, 0, 0) + Read(rows, 0, 2) + Read(rows, 1, 0) + Read(rows, 1, 2), "abcd")
        << c.literal.raw;
  }
}

// Many blocks of rows, megabytes of them, with texts of every length (one
// longer than any block of memory taken at once), NULLs in any place and
// values left out at the end of a row.
TEST(ResultRows, ManyRowsKeepEveryValue) {
  constexpr size_t kRows = 60000;
  constexpr size_t kLongRow = 30000;
  auto memo = [](size_t row) { return std::string(row == kLongRow ? 5000000 : row % 300, 'm'); };
  auto name = [](size_t row) {
    return row % 7 == 3
               ? std::string()
               : frame::Gbk(std::string(row % 5, 'x') + "玩家") + std::to_string(row) + "'s";
  };
  ResultRows rows({{"name", FieldKind::kText},
                   {"n", FieldKind::kBigInt},
                   {"memo", FieldKind::kText},
                   {"cash", FieldKind::kDecimal}});
  for (size_t row = 0; row < kRows; ++row) {
    rows.AddRow();
    if (row % 11 == 0) continue;  // every value NULL
    if (row % 7 == 3) {
      rows.AppendNull();
    } else {
      AppendText(rows, name(row));
    }
    rows.AppendInteger(-static_cast<int64_t>(row) * 1000000007);
    AppendText(rows, memo(row));
    if (row % 13 != 0) AppendText(rows, std::to_string(row));
  }
  ASSERT_EQ(rows.row_count(), kRows);
  ASSERT_EQ(rows.column_count(), 4u);
  EXPECT_EQ(rows.column_name(2), "memo");
  size_t wrong = 0;
  for (size_t row = 0; row < kRows; ++row) {
    bool null_row = row % 11 == 0;
    std::string n = null_row ? "" : std::to_string(-static_cast<int64_t>(row) * 1000000007);
    std::string memo_text = null_row ? "" : memo(row);
    std::string cash = null_row || row % 13 == 0 ? "" : std::to_string(row) + ".00000000";
    if (Read(rows, row, 0) != (null_row ? "" : name(row)) || Read(rows, row, 1) != n ||
        Read(rows, row, 2) != memo_text || Read(rows, row, 3) != cash) {
      ADD_FAILURE() << "row " << row << ": " << Read(rows, row, 0) << " | " << Read(rows, row, 1)
                    << " | " << Read(rows, row, 3);
      if (++wrong == 5) break;
    }
  }
}

// What a scripted result holds: each value's text as FieldText shows it.
TEST(ResultRows, FromALiteralTable) {
  frame::ResultTable table{
      .columns = {"ID", "Cash", "Key"},
      .rows = {{{FieldKind::kText, "alpha"},
                {FieldKind::kDecimal, "1500.00"},
                {FieldKind::kGuid, "a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11"}},
               {{FieldKind::kNull, "ignored"}, {FieldKind::kInteger, "-1"}}},
  };
  ResultRows rows = ResultRows::FromTable(table);
  ASSERT_EQ(rows.row_count(), 2u);
  ASSERT_EQ(rows.column_count(), 3u);
  EXPECT_EQ(rows.column_name(1), "Cash");
  EXPECT_EQ(Read(rows, 0, 0), "alpha");
  EXPECT_EQ(Read(rows, 0, 1), "1500.00000000");
  EXPECT_EQ(Read(rows, 0, 2), "{A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11}");
  EXPECT_EQ(Read(rows, 1, 0), "");
  EXPECT_EQ(Read(rows, 1, 1), "-1");
  EXPECT_EQ(Read(rows, 1, 2), "") << "a row shorter than the columns ends in NULLs";
}

}  // namespace
