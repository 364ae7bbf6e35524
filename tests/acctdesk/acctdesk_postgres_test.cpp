// acctdesk against a real database through the ODBC path: the rows its
// operations leave behind.
#include <gtest/gtest.h>

#include <string>

#include "frame/db/odbc/odbc_backend.h"
#include "tests/acctdesk/acctdesk_program.h"
#include "tests/support/game_databases.h"

namespace {

using namespace acctdesk;
using game_databases::Execute;
using game_databases::Query;

std::string Doubled(std::string text) {
  for (size_t at = text.find('\''); at != std::string::npos; at = text.find('\'', at + 2))
    text.insert(at, "'");
  return text;
}

std::string ServerIni() {
  return "[Config]\r\nSQLIP=" + game_databases::ServerText() + "\r\nSQLID=sa\r\nSQLPW=pw\r\n";
}

class AcctdeskOnPostgres : public ::testing::Test {
 protected:
  void SetUp() override {
    Execute("KV7_Member",
            "DROP TABLE IF EXISTS dbo.Member, dbo.TB_DefGMAccountLinkIP;"
            "CREATE TABLE dbo.Member (ID varchar(20) PRIMARY KEY, MemberKey uuid,"
            "  Cash bigint, BonusCash bigint, Gender smallint, GMLevel smallint,"
            "  PW text);"
            "INSERT INTO dbo.Member VALUES"
            "  ('alpha', gen_random_uuid(), 100, 10, 1, 0, 'a'),"
            "  ('O''Neil', gen_random_uuid(), 0, 0, 2, 0, 'o'),"
            "  ('beta', gen_random_uuid(), 5, 5, 1, 0, 'b');"
            "CREATE TABLE dbo.TB_DefGMAccountLinkIP (ID varchar(20) PRIMARY KEY, IP varchar(15),"
            "  SubNetMask varchar(15), GMLevel smallint, Memo varchar(50));");
    // The game's two procedures as far as the tool relies on them: a new
    // account starts with no currency; a taken name is refused.
    Execute("KV7_Member",
            "CREATE OR REPLACE PROCEDURE dbo.up_CreateMemberAccount(gm_level text, id text,"
            "  pw text, gender text, birthday text) LANGUAGE plpgsql AS $$ BEGIN"
            "  INSERT INTO dbo.Member VALUES (id, gen_random_uuid(), 0, 0, gender::smallint,"
            "    gm_level::smallint, pw);"
            "END $$;"
            "CREATE OR REPLACE PROCEDURE dbo.up_updatememberpwbyid(id text, pw text)"
            "  LANGUAGE plpgsql AS $$ BEGIN"
            "  UPDATE dbo.Member SET PW = up_updatememberpwbyid.pw"
            "    WHERE Member.ID = up_updatememberpwbyid.id;"
            "END $$;");
    acctdesk_.Start();
    ASSERT_TRUE(acctdesk_.NewBoxes().empty()) << "the connect failed";
  }

  std::string Row(const std::string& account) {
    return Query("KV7_Member",
                 "SELECT Cash, BonusCash, GMLevel FROM dbo.Member WHERE ID = '" + account + "'");
  }

  acctdesk_testing::AcctdeskProgram acctdesk_{game_databases::Components(), ServerIni()};
};

TEST_F(AcctdeskOnPostgres, BansAndUnbansOneAccountAndAll) {
  acctdesk_.Type(kBanAccountBox, "O'Neil");
  acctdesk_.window().Click(kBanButton);
  EXPECT_EQ(Row("O''Neil"), "0|0|2");
  EXPECT_EQ(Row("alpha"), "100|10|0");

  acctdesk_.window().Click(kBanAllButton);
  EXPECT_EQ(Query("KV7_Member", "SELECT count(*) FROM dbo.Member WHERE GMLevel = 2"), "3");
  acctdesk_.Type(kUnbanAccountBox, "beta");
  acctdesk_.window().Click(kUnbanButton);
  EXPECT_EQ(Row("beta"), "5|5|0");
  acctdesk_.window().Click(kUnbanAllButton);
  EXPECT_EQ(Query("KV7_Member", "SELECT count(*) FROM dbo.Member WHERE GMLevel = 0"), "3");

  acctdesk_.Type(kBanAccountBox, "nobody");
  acctdesk_.window().Click(kBanButton);
  EXPECT_EQ(acctdesk_.NewBoxes(), std::vector<std::string>{"该帐号不存在"});
  EXPECT_TRUE(acctdesk_.Messages().ends_with("\r\n>所有帐号解封成功！<"));
}

TEST_F(AcctdeskOnPostgres, OpensAGmAccountOnceAndReportsTheSecondLink) {
  acctdesk_.Type(kGmAccountBox, "alpha");
  acctdesk_.window().EnterIpAddress(kGmAddressBox, "10.0.0.8");
  acctdesk_.window().Click(kGmButton);
  EXPECT_TRUE(acctdesk_.Messages().ends_with("\r\n>GM帐号开启成功！<"));
  EXPECT_EQ(Row("alpha"), "100|10|2");
  EXPECT_EQ(Query("KV7_Member",
                  "SELECT ID, IP, SubNetMask, GMLevel, Memo FROM "
                  "dbo.TB_DefGMAccountLinkIP"),
            "alpha|10.0.0.8|GM|2|GM");

  // The key refuses a second link: a line, not a box.
  acctdesk_.window().Click(kGmButton);
  EXPECT_TRUE(acctdesk_.Messages().ends_with("\r\n>开启失败,未知原因！<"));
  EXPECT_TRUE(acctdesk_.NewBoxes().empty());
  EXPECT_EQ(Query("KV7_Member", "SELECT count(*) FROM dbo.TB_DefGMAccountLinkIP"), "1");
}

TEST_F(AcctdeskOnPostgres, SetsAndTopsUpBothCurrencies) {
  acctdesk_.Type(kSetCashAccountBox, "alpha");
  acctdesk_.Type(kSetCashValueBox, "5000");
  acctdesk_.window().Click(kSetCashButton);
  acctdesk_.Type(kSetBonusAccountBox, "alpha");
  acctdesk_.Type(kSetBonusValueBox, "70");
  acctdesk_.window().Click(kSetBonusButton);
  EXPECT_EQ(Row("alpha"), "5000|70|0");

  acctdesk_.Type(kTopUpAccountBox, "alpha");
  acctdesk_.window().PickComboItem(kAmountList, 1);
  acctdesk_.window().Click(kTopUpCashRadio);
  acctdesk_.window().Click(kTopUpButton);
  acctdesk_.window().PickComboItem(kAmountList, 6);
  acctdesk_.window().Click(kTopUpBonusRadio);
  acctdesk_.window().Click(kTopUpButton);
  EXPECT_EQ(Row("alpha"), "105000|25070|0");
  EXPECT_TRUE(acctdesk_.NewBoxes().empty());
  EXPECT_TRUE(acctdesk_.Messages().ends_with(
      "\r\n>积分充值成功！<\r\n>充值总数额：25000<\r\n>请记得重新选择充值额数<"));
}

// A trigger on Member whose own statement reports a count of 0 (FreeTDS
// gives that count for the UPDATE): a write that happened is reported as
// done, once, and only an account that is not there is reported missing.
TEST_F(AcctdeskOnPostgres, ATriggersCountOfZeroDoesNotTurnAWriteIntoAFailure) {
  game_databases::TriggerCountOnFreeTds trigger(0);
  acctdesk_.Type(kTopUpAccountBox, "alpha");
  acctdesk_.window().PickComboItem(kAmountList, 0);
  acctdesk_.window().Click(kTopUpCashRadio);
  acctdesk_.window().Click(kTopUpButton);
  EXPECT_TRUE(acctdesk_.NewBoxes().empty());
  EXPECT_EQ(Row("alpha"), "25100|10|0");
  EXPECT_TRUE(acctdesk_.Messages().ends_with(
      "\r\n>龙币充值成功！<\r\n>充值总数额：25000<\r\n>请记得重新选择充值额数<"));

  acctdesk_.Type(kSetBonusAccountBox, "O'Neil");
  acctdesk_.Type(kSetBonusValueBox, "70");
  acctdesk_.window().Click(kSetBonusButton);
  acctdesk_.Type(kGmAccountBox, "beta");
  acctdesk_.window().Click(kGmButton);
  EXPECT_TRUE(acctdesk_.NewBoxes().empty());
  EXPECT_EQ(Row("O''Neil"), "0|70|0");
  EXPECT_EQ(Row("beta"), "5|5|2");
  EXPECT_TRUE(acctdesk_.Messages().ends_with("\r\n>积分修改成功！<\r\n>GM帐号开启成功！<"));

  for (const char* account : {"nobody", "x' or '1'='1"}) {
    acctdesk_.Type(kBanAccountBox, account);
    acctdesk_.window().Click(kBanButton);
    EXPECT_EQ(acctdesk_.NewBoxes(), std::vector<std::string>{"该帐号不存在"}) << account;
  }
  EXPECT_EQ(Query("KV7_Member", "SELECT count(*) FROM dbo.Member WHERE GMLevel = 2"), "1");
}

// Hostile texts through both drivers: a quote that would end the literal,
// and an account name of some twenty thousand characters.
TEST_F(AcctdeskOnPostgres, HostileAccountTextsStayInsideTheirLiterals) {
  std::string long_name;
  for (int i = 0; i < 8000; ++i)
    long_name += "龙'x";
  for (const std::string& account : {std::string("alpha' or '1'='1"), long_name}) {
    acctdesk_.Type(kSetCashAccountBox, account);
    acctdesk_.Type(kSetCashValueBox, "-1");
    acctdesk_.window().Click(kSetCashButton);
    EXPECT_EQ(acctdesk_.NewBoxes(), std::vector<std::string>{"该帐号不存在"});
  }
  EXPECT_EQ(Query("KV7_Member", "SELECT count(*) FROM dbo.Member WHERE Cash = -1"), "0");
}

// The procedures are named as the batch's first word, without EXEC:
// PostgreSQL refuses that, so this runs on the FreeTDS leg only, where the
// TDS test server calls them with CALL.
TEST_F(AcctdeskOnPostgres, RegistersAccountsAndChangesPasswords) {
  if (!db_test::SuiteDriver::UsesFreeTds()) {
    GTEST_SKIP() << "PostgreSQL refuses a procedure named as a batch's first word";
  }
  acctdesk_.Type(kRegisterAccountBox, "龙骑士");
  acctdesk_.Type(kRegisterPasswordBox, "p'w1");
  acctdesk_.window().Click(kRegisterButton);
  EXPECT_TRUE(acctdesk_.Messages().ends_with("\r\n>帐号注册成功！<"));
  EXPECT_EQ(Query("KV7_Member",
                  "SELECT Cash, BonusCash, Gender, GMLevel, PW FROM dbo.Member "
                  "WHERE ID = '龙骑士'"),
            "0|0|1|0|p'w1");

  // The name is taken now.
  acctdesk_.window().Click(kRegisterButton);
  EXPECT_EQ(acctdesk_.NewBoxes(), std::vector<std::string>{"注册失败,请检查服务器连接是否正常"});

  acctdesk_.Type(kPasswordAccountBox, "O'Neil");
  acctdesk_.Type(kNewPasswordBox, "新密码");
  acctdesk_.window().Click(kChangePasswordButton);
  EXPECT_TRUE(acctdesk_.Messages().ends_with("\r\n>密码修改成功！<"));
  EXPECT_EQ(Query("KV7_Member", "SELECT ID, PW FROM dbo.Member WHERE PW <> 'a' ORDER BY ID"),
            "O'Neil|新密码\nbeta|b\n龙骑士|p'w1");
  EXPECT_TRUE(acctdesk_.NewBoxes().empty());
}

// Procedure calls with hostile texts: quotes and comment marks, and a
// password of 24,000 characters, stored whole. PostgreSQL refuses the call's
// form, so this runs on the FreeTDS leg only.
TEST_F(AcctdeskOnPostgres, ProcedureCallsTakeHostileTextsWhole) {
  if (!db_test::SuiteDriver::UsesFreeTds()) {
    GTEST_SKIP() << "PostgreSQL refuses a procedure named as a batch's first word";
  }
  struct Case {
    std::string account;
    std::string password;
    std::string stored;  // length and md5 of PW as PostgreSQL reports them
  };
  std::string long_password;
  for (int i = 0; i < 8000; ++i)
    long_password += "密'码";
  const Case cases[] = {
      {"x' or '1'='1", "a'';--", "6|" + Query("KV7_Member", "SELECT md5('a'''';--')")},
      {"龙骑士", long_password,
       "24000|" + Query("KV7_Member", "SELECT md5(repeat('密''码', 8000))")},
  };
  for (const Case& c : cases) {
    acctdesk_.Type(kRegisterAccountBox, c.account);
    acctdesk_.Type(kRegisterPasswordBox, "first");
    acctdesk_.window().Click(kRegisterButton);
    acctdesk_.Type(kPasswordAccountBox, c.account);
    acctdesk_.Type(kNewPasswordBox, c.password);
    acctdesk_.window().Click(kChangePasswordButton);
    EXPECT_TRUE(acctdesk_.NewBoxes().empty()) << c.account;
    EXPECT_TRUE(acctdesk_.Messages().ends_with("\r\n>帐号注册成功！<\r\n>密码修改成功！<"));
    EXPECT_EQ(Query("KV7_Member", "SELECT length(PW), md5(PW) FROM dbo.Member WHERE ID = '" +
                                      Doubled(c.account) + "'"),
              c.stored);
  }
  EXPECT_EQ(Query("KV7_Member", "SELECT count(*) FROM dbo.Member"), "5");
}

}  // namespace
