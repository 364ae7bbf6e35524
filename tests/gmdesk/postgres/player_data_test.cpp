// The account query, the character view and the submits against PostgreSQL
// through the real ODBC path: what the panel shows and the rows afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/db/odbc/odbc_backend.h"
#include "tests/gmdesk/gmdesk_program.h"
#include "tests/gmdesk/player_panel.h"
#include "tests/support/game_databases.h"

namespace {

using namespace gmdesk;
using frame::MessageBoxButton;
using gmdesk_testing::GmdeskProgram;
using Texts = std::vector<std::string>;

constexpr const char* kPlayerKey = "A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11";
constexpr const char* kSwordsmanId = "7C9E6679-7425-40DE-944B-E07FC1F90AE7";
constexpr const char* kONeilId = "E0A1B2C3-D4E5-4F60-8172-839495A6B7C8";
constexpr const char* kStrangerId = "11111111-2222-3333-4444-555555555555";

void CreateTables() {
  static bool created = false;
  if (created) return;
  created = true;
  game_databases::Execute("KV7_Member",
                          "CREATE TABLE Member (ID varchar(50) PRIMARY KEY, MemberKey uuid, "
                          "Cash numeric(19, 8), BonusCash numeric(19, 8), Gender smallint)");
  game_databases::Execute(
      "KV7_User",
      "CREATE TABLE TB_CharacterBasic (CharacterID uuid PRIMARY KEY, MemberID uuid, "
      "Name varchar(32), State smallint, Gender smallint, HairStyle int, "
      "HairColor int, Face int, Jacket int, Gloves int, Pants int, Shoes int)");
  game_databases::Execute(
      "KV7_User",
      "CREATE TABLE TB_CharacterSub (CharacterID uuid PRIMARY KEY, Class int, "
      "Lv int, Exp numeric(20, 8), Money numeric(20, 8), HP int, MP int, CP int, "
      "ExtraSkillPoint int, RecentMap int, BonusStatus int, AddedSTR int, "
      "AddedINT int, AddedDEX int, AddedCON int)");
}

// Two accounts; player1 has two characters, the other account one, whose
// name player1's second character shares.
void SeedRows() {
  game_databases::Execute("KV7_Member",
                          "TRUNCATE Member; INSERT INTO Member VALUES "
                          "('player1', 'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11', 1500, 12.5, 1), "
                          "('stranger', '22222222-3333-4444-5555-666666666666', 8, 9, 2)");
  game_databases::Execute(
      "KV7_User",
      "TRUNCATE TB_CharacterBasic; INSERT INTO TB_CharacterBasic VALUES "
      "('7c9e6679-7425-40de-944b-e07fc1f90ae7', "
      "'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11', '剑客', 0, 1, 3, 4, 5, 1001, 2002, "
      "3003, 4004), "
      "('e0a1b2c3-d4e5-4f60-8172-839495a6b7c8', "
      "'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11', 'O''Neil', 1, 2, 6, 7, 8, 11, 22, "
      "33, 44), "
      "('11111111-2222-3333-4444-555555555555', "
      "'22222222-3333-4444-5555-666666666666', 'O''Neil', 0, 1, 1, 1, 1, 1, 1, 1, 1)");
  game_databases::Execute(
      "KV7_User",
      "TRUNCATE TB_CharacterSub; INSERT INTO TB_CharacterSub VALUES "
      "('7c9e6679-7425-40de-944b-e07fc1f90ae7', 2, 45, 123456, 1000.5, 900, 300, "
      "77, 12, 101, 30, 10, 5, 8, 7), "
      "('e0a1b2c3-d4e5-4f60-8172-839495a6b7c8', 1, 9, 0, 5, 90, 30, 0, 1, 2, 3, 4, "
      "5, 6, 7), "
      "('11111111-2222-3333-4444-555555555555', 1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, "
      "1, 1, 1)");
}

std::string MemberRow(const std::string& id) {
  return game_databases::Query(
      "KV7_Member", "SELECT Cash, BonusCash, Gender FROM Member WHERE ID = '" + id + "'");
}
std::string BasicRow(const std::string& character_id) {
  return game_databases::Query(
      "KV7_User",
      "SELECT State, Name, Gender, HairStyle, HairColor, Face, Jacket, Gloves, "
      "Pants, Shoes FROM TB_CharacterBasic WHERE CharacterID = '" +
          character_id + "'");
}
std::string SubRow(const std::string& character_id) {
  return game_databases::Query(
      "KV7_User",
      "SELECT Class, Lv, Exp, Money, HP, MP, CP, ExtraSkillPoint, RecentMap, "
      "BonusStatus, AddedSTR, AddedINT, AddedDEX, AddedCON FROM "
      "TB_CharacterSub WHERE CharacterID = '" +
          character_id + "'");
}

class PlayerData : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateTables();
    SeedRows();
    program_.Start();
    gmdesk_testing::OpenPlayerPanel({.server = game_databases::ServerText()});
  }

  frame::HeadlessWindowSystem& window() { return program_.window(); }

  void Query(const std::string& account) {
    program_.Type(kQueryAccountBox, account);
    ASSERT_TRUE(window().Click(kQueryButton));
  }

  // Clicks, closes the result box and lets the worker end; the boxes shown.
  Texts Submit(ControlId button) {
    window().AnswerNextMessageBox(MessageBoxButton::kOk);
    EXPECT_TRUE(window().Click(button));
    program_.Settle();
    return program_.NewBoxes();
  }

  GmdeskProgram program_{game_databases::Components(), game_databases::ConfigIni()};
};

TEST_F(PlayerData, QueryAndPickShowTheStoredRows) {
  Query("player1");

  EXPECT_TRUE(program_.NewBoxes().empty());
  EXPECT_EQ(window().TextOf(kAccountKeyBox), kPlayerKey);
  EXPECT_EQ(window().TextOf(kAccountCashBox), "1500");
  EXPECT_EQ(window().TextOf(kAccountBonusCashBox), "12.50000000");
  EXPECT_EQ(window().TextOf(kAccountGenderBox), "1");
  EXPECT_EQ(window().ComboItems(kCharacterList), (Texts{"剑客", "O'Neil"}));
  EXPECT_EQ(window().TextOf(kCharacterIdBox), kSwordsmanId);
  EXPECT_EQ(window().TextOf(kCharacterNameBox), "剑客");
  EXPECT_EQ(window().TextOf(kShoesBox), "2002");   // 编辑框46: Gloves
  EXPECT_EQ(window().TextOf(kGlovesBox), "4004");  // 编辑框48: Shoes
  EXPECT_EQ(window().TextOf(kExpBox), "123456");
  EXPECT_EQ(window().TextOf(kMoneyBox), "1000.50000000");
  EXPECT_EQ(window().TextOf(kVitalityBox), "7");

  ASSERT_TRUE(window().PickComboItem(kCharacterList, 1));
  EXPECT_EQ(window().TextOf(kCharacterIdBox), kONeilId);
  EXPECT_EQ(window().TextOf(kCharacterNameBox), "O'Neil");
  EXPECT_EQ(window().TextOf(kCharacterStateBox), "1");
  EXPECT_EQ(window().TextOf(kMoneyBox), "5");
  EXPECT_TRUE(program_.NewBoxes().empty());
}

TEST_F(PlayerData, EachAreaIsWrittenToItsOwnRow) {
  Query("player1");
  ASSERT_TRUE(window().PickComboItem(kCharacterList, 1));

  program_.Type(kAccountCashBox, "2000");
  program_.Type(kAccountGenderBox, "2");
  EXPECT_EQ(Submit(kSubmitYellowButton), Texts{"提交数据命令执行成功"});
  EXPECT_EQ(MemberRow("player1"), "2000.00000000|12.50000000|2");

  program_.Type(kCharacterNameBox, "O'Brien");
  program_.Type(kShoesBox, "222");
  program_.Type(kGlovesBox, "444");
  EXPECT_EQ(Submit(kSubmitPurpleButton), Texts{"提交数据命令执行成功"});
  EXPECT_EQ(BasicRow(kONeilId), "1|O'Brien|2|6|7|8|11|222|33|444");

  program_.Type(kLevelBox, "10");
  program_.Type(kMoneyBox, "99999");
  EXPECT_EQ(Submit(kSubmitCyanButton), Texts{"提交数据命令执行成功"});
  EXPECT_EQ(SubRow(kONeilId), "1|10|0.00000000|99999.00000000|90|30|0|1|2|3|4|5|6|7");

  // The other rows are as seeded.
  EXPECT_EQ(MemberRow("stranger"), "8.00000000|9.00000000|2");
  EXPECT_EQ(BasicRow(kSwordsmanId), "0|剑客|1|3|4|5|1001|2002|3003|4004");
  EXPECT_EQ(SubRow(kStrangerId), "1|1|0.00000000|0.00000000|1|1|1|1|1|1|1|1|1|1");
}

TEST_F(PlayerData, AllAreasWritesTheThreeRows) {
  Query("player1");
  program_.Type(kAccountBonusCashBox, "77");
  program_.Type(kCharacterStateBox, "1");
  program_.Type(kStrengthBox, "500");

  EXPECT_EQ(Submit(kSubmitAllButton), Texts{"提交数据命令执行成功"});

  EXPECT_EQ(MemberRow("player1"), "1500.00000000|77.00000000|1");
  EXPECT_EQ(BasicRow(kSwordsmanId), "1|剑客|1|3|4|5|1001|2002|3003|4004");
  EXPECT_EQ(SubRow(kSwordsmanId),
            "2|45|123456.00000000|1000.50000000|900|300|77|12|101|30|500|5|8|7");
}

// Each account's O'Neil is its own: the view and the cyan submit of one
// account never touch the other's, whichever the server finds first.
TEST_F(PlayerData, ANameTwoAccountsShareShowsAndWritesTheShownAccountsCharacter) {
  struct Case {
    const char* account;
    int32_t pick;
    const char* character_id;
    const char* other_id;
    const char* stored_level;
    const char* typed_level;
    const char* written_row;
  };
  const Case cases[] = {
      {"stranger", 0, kStrangerId, kONeilId, "1", "55",
       "1|55|0.00000000|0.00000000|1|1|1|1|1|1|1|1|1|1"},
      {"player1", 1, kONeilId, kStrangerId, "9", "66",
       "1|66|0.00000000|5.00000000|90|30|0|1|2|3|4|5|6|7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.account);
    Query(c.account);
    ASSERT_TRUE(window().PickComboItem(kCharacterList, c.pick));
    EXPECT_EQ(window().TextOf(kCharacterNameBox), "O'Neil");
    EXPECT_EQ(window().TextOf(kCharacterIdBox), c.character_id);
    EXPECT_EQ(window().TextOf(kLevelBox), c.stored_level);

    std::string other_row = SubRow(c.other_id);
    program_.Type(kLevelBox, c.typed_level);
    EXPECT_EQ(Submit(kSubmitCyanButton), Texts{"提交数据命令执行成功"});
    EXPECT_EQ(SubRow(c.character_id), c.written_row);
    EXPECT_EQ(SubRow(c.other_id), other_row);
  }
}

// The character was deleted after the query: its updates change no row.
TEST_F(PlayerData, AKeyThatNoLongerMatchesIsAFailure) {
  Query("player1");
  game_databases::Execute(
      "KV7_User",
      std::string("DELETE FROM TB_CharacterBasic WHERE CharacterID = '") + kSwordsmanId + "'");

  EXPECT_EQ(Submit(kSubmitPurpleButton), Texts{"提交数据命令执行失败"});
  program_.Type(kAccountCashBox, "1");
  EXPECT_EQ(Submit(kSubmitAllButton), Texts{"提交数据命令执行失败-2紫"});

  // The account row ran before the failing step and stays written.
  EXPECT_EQ(MemberRow("player1"), "1.00000000|12.50000000|1");
  EXPECT_EQ(SubRow(kSwordsmanId),
            "2|45|123456.00000000|1000.50000000|900|300|77|12|101|30|10|5|8|7");
}

// Triggers whose own statements report a count of 0 (FreeTDS gives that count
// for the UPDATE): what was written is reported as written; a key with no row
// is still a failure.
TEST_F(PlayerData, ATriggersCountOfZeroDoesNotHideAWrite) {
  game_databases::TriggerCountOnFreeTds trigger(0);
  Query("player1");
  program_.Type(kAccountCashBox, "3000");
  program_.Type(kCharacterNameBox, "剑圣");
  program_.Type(kLevelBox, "46");
  EXPECT_EQ(Submit(kSubmitAllButton), Texts{"提交数据命令执行成功"});
  EXPECT_EQ(MemberRow("player1"), "3000.00000000|12.50000000|1");
  EXPECT_EQ(BasicRow(kSwordsmanId), "0|剑圣|1|3|4|5|1001|2002|3003|4004");
  EXPECT_EQ(SubRow(kSwordsmanId),
            "2|46|123456.00000000|1000.50000000|900|300|77|12|101|30|10|5|8|7");

  game_databases::Execute(
      "KV7_User",
      std::string("DELETE FROM TB_CharacterSub WHERE CharacterID = '") + kSwordsmanId + "'");
  EXPECT_EQ(Submit(kSubmitCyanButton), Texts{"提交数据命令执行失败"});
}

// The account check could not run: not a word about the account, which may
// well exist, and the panel keeps what it showed.
TEST_F(PlayerData, AFailedAccountCheckIsNotAnUnknownAccount) {
  Query("player1");
  program_.NewBoxes();
  game_databases::Execute("KV7_Member", "ALTER TABLE Member RENAME TO Member_away");
  Query("stranger");
  game_databases::Execute("KV7_Member", "ALTER TABLE Member_away RENAME TO Member");
  EXPECT_EQ(program_.NewBoxes(), Texts{"查询帐号数据失败"});
  EXPECT_EQ(window().TextOf(kAccountKeyBox), kPlayerKey);
  EXPECT_EQ(window().TextOf(kAccountCashBox), "1500");
}

}  // namespace
