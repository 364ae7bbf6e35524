// Connecting to the three databases and the currency top-up against
// PostgreSQL through the real ODBC path.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "frame/db/odbc/odbc_backend.h"
#include "frame/text/gbk.h"
#include "frame/window/window_system.h"
#include "tests/gmdesk/gmdesk_program.h"
#include "tests/support/game_databases.h"

namespace {

using namespace gmdesk;
using frame::MessageBoxButton;
using gmdesk_testing::GmdeskProgram;
using Texts = std::vector<std::string>;

std::string ReadConfig(GmdeskProgram& gmdesk) {
  std::ifstream in(gmdesk.program().directory() / "Config.ini", std::ios::binary);
  std::stringstream contents;
  contents << in.rdbuf();
  return frame::Utf8(contents.str());
}

std::string MemberRow(const std::string& id) {
  return game_databases::Query("KV7_Member",
                               "SELECT Cash, BonusCash FROM Member WHERE ID = '" + id + "'");
}

void SeedMembers() {
  static bool created = false;
  if (!created) {
    created = true;
    game_databases::Execute("KV7_Member",
                            "CREATE TABLE Member (ID varchar(50) PRIMARY KEY, Cash numeric(19, 4), "
                            "BonusCash numeric(19, 4))");
  }
  game_databases::Execute("KV7_Member",
                          "TRUNCATE Member; INSERT INTO Member VALUES ('player1', 100, 10), "
                          "('O''Neil', 0, 0)");
}

TEST(GmdeskPgConnect, OpensTheThreeDatabasesAndSavesTheSettings) {
  GmdeskProgram gmdesk(game_databases::Components(), game_databases::ConfigIni());
  gmdesk.Start();
  gmdesk.Connect();
  EXPECT_TRUE(gmdesk.NewBoxes().empty());
  auto& window = gmdesk.window();
  EXPECT_TRUE(window.IsUsable(kCurrencyKindList));
  EXPECT_EQ(window.TextOf(kTopUpButton), "增加");
  EXPECT_TRUE(window.IsUsable(kNoticePanel));
  EXPECT_TRUE(window.IsUsable(kSettingsPanel));
  EXPECT_TRUE(window.IsUsable(kPlayerPanel));
  EXPECT_FALSE(window.IsUsable(kConnectItem));
  EXPECT_EQ(ReadConfig(gmdesk), game_databases::ConfigIni());
}

TEST(GmdeskPgConnect, ADatabaseThatDoesNotExistIsReportedAndTheOthersOpen) {
  GmdeskProgram gmdesk(game_databases::Components(), game_databases::ConfigIni());
  gmdesk.Start();
  gmdesk.Type(kNoticeDatabaseBox, "KV7_Missing");
  gmdesk.window().AnswerNextMessageBox(MessageBoxButton::kOk);
  gmdesk.Connect();
  EXPECT_EQ(gmdesk.NewBoxes(), Texts{"连接失败：KV7_Missing"});
  auto& window = gmdesk.window();
  EXPECT_TRUE(window.IsUsable(kCurrencyKindList));
  EXPECT_FALSE(window.IsUsable(kNoticePanel));
  EXPECT_TRUE(window.IsUsable(kSettingsPanel));
  EXPECT_TRUE(window.IsUsable(kConnectItem));
  EXPECT_NE(ReadConfig(gmdesk).find("DB2=KV7_Missing\r\n"), std::string::npos);
}

// The amount runs into "where" ("cash=cash+25where"): PostgreSQL refuses
// that, so this runs on the FreeTDS leg only, where the TDS test server
// rewrites it as SQL Server would read it.
TEST(GmdeskPgTopUp, AddsToTheAccountsRow) {
  if (!db_test::SuiteDriver::UsesFreeTds())
    GTEST_SKIP() << "PostgreSQL refuses a number run into \"where\"";
  SeedMembers();
  GmdeskProgram gmdesk(game_databases::Components(), game_databases::ConfigIni());
  gmdesk.Start();
  gmdesk.Connect();
  auto& window = gmdesk.window();

  gmdesk.Type(kTopUpAccountBox, "player1");
  gmdesk.Type(kTopUpAmountBox, "25");
  ASSERT_TRUE(window.PickComboItem(kCurrencyKindList, 0));
  ASSERT_TRUE(window.Click(kTopUpButton));
  gmdesk.Type(kTopUpAmountBox, "-2.5");
  ASSERT_TRUE(window.PickComboItem(kCurrencyKindList, 1));
  ASSERT_TRUE(window.Click(kTopUpButton));
  EXPECT_EQ(gmdesk.NewBoxes(), (Texts{"龙币（酷币）增加成功", "积分（红利）增加成功"}));
  EXPECT_EQ(MemberRow("player1"), "125.0000|7.5000");

  gmdesk.Type(kTopUpAccountBox, "O'Neil");
  gmdesk.Type(kTopUpAmountBox, "3");
  ASSERT_TRUE(window.Click(kTopUpButton));
  EXPECT_EQ(gmdesk.NewBoxes(), Texts{"积分（红利）增加成功"});
  EXPECT_EQ(MemberRow("O''Neil"), "0.0000|3.0000");

  // The statements went out as gmdesk built them.
  Texts batches = game_databases::Driver().Batches();
  for (const char* sent : {"update member set cash=cash+25where id ='player1'",
                           "update member set bonuscash=bonuscash+-2.5where id ='player1'",
                           "update member set bonuscash=bonuscash+3where id ='O''Neil'"}) {
    EXPECT_NE(std::find(batches.begin(), batches.end(), sent), batches.end()) << sent;
  }
}

TEST(GmdeskPgTopUp, RefusalsChangeNoRow) {
  SeedMembers();
  GmdeskProgram gmdesk(game_databases::Components(), game_databases::ConfigIni());
  gmdesk.Start();
  gmdesk.Connect();
  auto& window = gmdesk.window();
  ASSERT_TRUE(window.PickComboItem(kCurrencyKindList, 0));

  struct Case {
    const char* account;
    const char* amount;
    const char* box;
  };
  const Case cases[] = {
      {"nobody", "5", "该帐号不存在"},
      {"PLAYER1", "5", "该帐号不存在"},
      {"player1", "5 or 1=1", "龙币（酷币）增加失败"},
  };
  for (const Case& c : cases) {
    gmdesk.Type(kTopUpAccountBox, c.account);
    gmdesk.Type(kTopUpAmountBox, c.amount);
    ASSERT_TRUE(window.Click(kTopUpButton));
    EXPECT_EQ(gmdesk.NewBoxes(), Texts{c.box}) << c.account << " " << c.amount;
  }
  EXPECT_EQ(MemberRow("player1"), "100.0000|10.0000");
}

// A trigger on Member whose own statement reports a count of 0 (FreeTDS
// gives that count for the UPDATE): the amount is added once and reported as
// added, so the operator has no reason to add it again.
TEST(GmdeskPgTopUp, ATriggersCountOfZeroIsNoFailure) {
  if (!db_test::SuiteDriver::UsesFreeTds()) {
    GTEST_SKIP() << "PostgreSQL refuses a number run into \"where\"";
  }
  SeedMembers();
  game_databases::TriggerCountOnFreeTds trigger(0);
  GmdeskProgram gmdesk(game_databases::Components(), game_databases::ConfigIni());
  gmdesk.Start();
  gmdesk.Connect();
  gmdesk.Type(kTopUpAccountBox, "player1");
  gmdesk.Type(kTopUpAmountBox, "25000");
  ASSERT_TRUE(gmdesk.window().PickComboItem(kCurrencyKindList, 0));
  ASSERT_TRUE(gmdesk.window().Click(kTopUpButton));
  EXPECT_EQ(gmdesk.NewBoxes(), Texts{"龙币（酷币）增加成功"});
  EXPECT_EQ(MemberRow("player1"), "25100.0000|10.0000");
}

// A check that could not run says nothing about the account: the column's
// failure, not "该帐号不存在", and nothing is added.
TEST(GmdeskPgTopUp, AFailedCheckIsTheColumnsFailure) {
  SeedMembers();
  GmdeskProgram gmdesk(game_databases::Components(), game_databases::ConfigIni());
  gmdesk.Start();
  gmdesk.Connect();
  auto& window = gmdesk.window();
  gmdesk.Type(kTopUpAccountBox, "player1");
  gmdesk.Type(kTopUpAmountBox, "5");
  ASSERT_TRUE(window.PickComboItem(kCurrencyKindList, 1));

  // The server refuses the check.
  game_databases::Execute("KV7_Member", "ALTER TABLE Member RENAME TO Member_away");
  ASSERT_TRUE(window.Click(kTopUpButton));
  game_databases::Execute("KV7_Member", "ALTER TABLE Member_away RENAME TO Member");
  EXPECT_EQ(gmdesk.NewBoxes(), Texts{"积分（红利）增加失败"});

  // The server goes away as the check arrives.
  if (db_test::SuiteDriver::UsesFreeTds()) {
    game_databases::Driver().SetFault(db_test::TdsFault::kDropConnection);
    ASSERT_TRUE(window.Click(kTopUpButton));
    game_databases::Driver().SetFault(db_test::TdsFault::kNone);
    EXPECT_EQ(gmdesk.NewBoxes(), Texts{"积分（红利）增加失败"});
  }
  EXPECT_EQ(MemberRow("player1"), "100.0000|10.0000");
}

}  // namespace
