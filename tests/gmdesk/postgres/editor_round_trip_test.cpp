// What the player panel shows is what it writes back: for each column type
// and value, query the account, submit every area unchanged, and find every
// row as it was stored, byte for byte. Through the real ODBC path.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/gmdesk/gmdesk_program.h"
#include "tests/gmdesk/player_panel.h"
#include "tests/support/game_databases.h"

namespace {

using namespace gmdesk;
using frame::MessageBoxButton;
using gmdesk_testing::GmdeskProgram;
using Texts = std::vector<std::string>;

struct Value {
  const char* stored;  // a literal or expression of the column's type
  const char* shown;   // in the Cash box; nullptr: not checked here
};

struct TypeCase {
  const char* type;  // of Cash, Money, HairColor and HP
  std::vector<Value> values;
};

const std::string kTinyDouble = "0." + std::string(323, '0') + "5";

// PostgreSQL's own driver hands its money over as a double: values within
// a double's exact cents only. Its largest values, and SQL Server's money,
// tinyint and unsigned integers, are in the scripted suite.
const TypeCase kCases[] = {
    {"bigint",
     {{"3000000000", "3000000000"},
      {"5000000000", "5000000000"},
      {"-3000000000", "-3000000000"},
      {"9223372036854775807", "9223372036854775807"},
      {"-9223372036854775808", "-9223372036854775808"},
      {"0", "0"}}},
    {"real",
     {{"0.00001", "0.00001"},
      {"1.5", "1.5000"},
      {"'-0'", "-0.0000"},
      {"3.1415927", "3.1415927"},
      {"-123456.79", "-123456.7891"},
      {"3.4028235e38", "340282346638528859811704183484516925440.0000"},
      {"1.1754944e-38", nullptr},
      {"1e-45", "0.000000000000000000000000000000000000000000001"}}},
    {"double precision",
     {{"0.00001", "0.00001000"},
      {"0.1", "0.10000000"},
      {"'-0'", "-0"},  // "-0.00000000" without its ending
      {"1.0 / 3", "0.3333333333333333"},
      {"123456789.12345678", "123456789.12345678"},
      {"-2.5e-10", "-0.00000000025"},
      {"1e-300", nullptr},
      {"5e-324", kTinyDouble.c_str()},
      {"1.7976931348623157e308", nullptr}}},
    {"numeric(19, 0)", {{"9999999999999999999", "9999999999999999999"}, {"-1", "-1"}}},
    {"numeric(19, 2)",
     {{"12.50", "12.50000000"},
      {"-0.01", "-0.01000000"},
      {"99999999999999999.99", "99999999999999999.99000000"}}},
    {"numeric(19, 8)",
     {{"1500", "1500"},
      {"-0.00000001", "-0.00000001"},
      {"99999999999.99999999", "99999999999.99999999"}}},
    {"numeric(30, 10)",
     {{"1.0000000001", "1.0000000001"},
      {"1.000000001", "1.000000001"},
      {"1", "1"},
      {"-12345678901234567890.1234567891", "-12345678901234567890.1234567891"}}},
    {"numeric(38, 0)",
     {{"99999999999999999999999999999999999999", "99999999999999999999999999999999999999"},
      {"-99999999999999999999999999999999999999", "-99999999999999999999999999999999999999"}}},
    {"numeric(38, 10)",
     {{"9999999999999999999999999999.9999999999", "9999999999999999999999999999.9999999999"},
      {"0.0000000001", "0.0000000001"}}},
    {"money", {{"1234.56", nullptr}, {"-0.01", nullptr}, {"12345678901.23", nullptr}}},
};

std::string Numbered(const char* prefix, size_t i) {
  std::string number = std::to_string(i);
  return prefix + std::string(12 - number.size(), '0') + number;
}
std::string AccountId(size_t i) {
  return "player" + std::to_string(i);
}
std::string MemberKey(size_t i) {
  return Numbered("a0eebc99-9c0b-4ef8-bb6d-", i);
}
std::string CharacterId(size_t i) {
  return Numbered("7c9e6679-7425-40de-944b-", i);
}

std::string Recreate(const std::string& table, const std::string& columns,
                     const std::string& rows) {
  return "DROP TABLE IF EXISTS " + table + "; CREATE TABLE " + table + " (" + columns +
         "); INSERT INTO " + table + " VALUES " + rows + ";";
}

// Member, TB_CharacterBasic and TB_CharacterSub afresh, with the type under
// test in one column of each area (two in the cyan one: Money loses a
// ".00000000" ending when shown, HP is shown as read), and one account with
// one character for each value. Every character has the same name.
void StoreRows(const TypeCase& c) {
  const std::string type = c.type;
  std::string members;
  std::string basics;
  std::string subs;
  for (size_t i = 0; i < c.values.size(); ++i) {
    std::string value = "CAST(" + std::string(c.values[i].stored) + " AS " + type + ")";
    std::string separator = i == 0 ? "" : ", ";
    members +=
        separator + "('" + AccountId(i) + "', '" + MemberKey(i) + "', " + value + ", 12.5, 2)";
    basics += separator + "('" + CharacterId(i) + "', '" + MemberKey(i) +
              "', 'O''Neil 剑客', 1, 2, -3, " + value +
              ", 2147483647, -2147483648, 2002, 3003, 4004)";
    subs += separator + "('" + CharacterId(i) + "', 2, 99, 123456.5, " + value + ", " + value +
            ", 300, 0, 12, 101, 30, 10, 5, 8, 7)";
  }
  game_databases::Execute("KV7_Member",
                          Recreate("Member",
                                   "ID varchar(50) PRIMARY KEY, MemberKey uuid, "
                                   "Cash " +
                                       type + ", BonusCash numeric(19, 8), Gender smallint",
                                   members));
  game_databases::Execute(
      "KV7_User",
      Recreate("TB_CharacterBasic",
               "CharacterID uuid PRIMARY KEY, MemberID uuid, Name varchar(32), State smallint, "
               "Gender smallint, HairStyle int, HairColor " +
                   type + ", Face int, Jacket int, Gloves int, Pants int, Shoes int",
               basics) +
          Recreate("TB_CharacterSub",
                   "CharacterID uuid PRIMARY KEY, Class int, Lv int, Exp numeric(20, 8), "
                   "Money " +
                       type + ", HP " + type +
                       ", MP int, CP int, ExtraSkillPoint int, RecentMap int, BonusStatus int, "
                       "AddedSTR int, AddedINT int, AddedDEX int, AddedCON int",
                   subs));
}

// Every row of the three tables as psql prints them.
std::string StoredRows() {
  return game_databases::Query("KV7_Member", "SELECT * FROM Member ORDER BY ID") +
         game_databases::Query("KV7_User", "SELECT * FROM TB_CharacterBasic ORDER BY CharacterID") +
         game_databases::Query("KV7_User", "SELECT * FROM TB_CharacterSub ORDER BY CharacterID");
}

class EditorRoundTrip : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The money text that psql prints, and the driver reads, is the C
    // locale's: no other currency sign or separators.
    game_databases::Execute("postgres", "ALTER DATABASE \"KV7_Member\" SET lc_monetary = 'C'");
    game_databases::Execute("postgres", "ALTER DATABASE \"KV7_User\" SET lc_monetary = 'C'");
  }

  void SetUp() override {
    program_.Start();
    gmdesk_testing::OpenPlayerPanel({.server = "127.0.0.1"});
  }

  frame::HeadlessWindowSystem& window() { return program_.window(); }

  GmdeskProgram program_{game_databases::Components(), game_databases::ConfigIni()};
};

TEST_F(EditorRoundTrip, AnUnchangedSubmitLeavesEveryRowAsStored) {
  for (const TypeCase& c : kCases) {
    SCOPED_TRACE(c.type);
    StoreRows(c);
    std::string stored = StoredRows();

    for (size_t i = 0; i < c.values.size(); ++i) {
      SCOPED_TRACE(c.values[i].stored);
      program_.Type(kQueryAccountBox, AccountId(i));
      ASSERT_TRUE(window().Click(kQueryButton));
      EXPECT_EQ(window().TextOf(kCharacterNameBox), "O'Neil 剑客");
      if (const char* shown = c.values[i].shown) {
        EXPECT_EQ(window().TextOf(kAccountCashBox), shown);
        EXPECT_EQ(window().TextOf(kMoneyBox), shown);
      }

      window().AnswerNextMessageBox(MessageBoxButton::kOk);
      ASSERT_TRUE(window().Click(kSubmitAllButton));
      program_.Settle();
      EXPECT_EQ(program_.NewBoxes(), Texts{"提交数据命令执行成功"});
    }
    EXPECT_EQ(StoredRows(), stored);
  }
}

}  // namespace
