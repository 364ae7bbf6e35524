// Register, change password, ban and unban, open GM accounts: the statements
// sent and what the operator is told.
#include <gtest/gtest.h>

#include "frame/services/services.h"
#include "tests/acctdesk/acctdesk_program.h"
#include "tests/support/row_look_up.h"

namespace {

using namespace acctdesk;
using acctdesk_testing::AcctdeskProgram;
using acctdesk_testing::kBanner;
using Texts = std::vector<std::string>;

struct Typed {
  ControlId box;
  const char* text;
};

struct OperationCase {
  const char* name;
  ControlId button;
  std::vector<Typed> typed;
  const char* statement;
  const char* success_line;
  const char* failure_box;
};

const std::vector<OperationCase>& Operations() {
  static const std::vector<OperationCase> cases = {
      {"register",
       kRegisterButton,
       {{kRegisterAccountBox, "player1"}, {kRegisterPasswordBox, "pw"}},
       "up_CreateMemberAccount '0', 'player1', 'pw', '1', '2014-08-21'",
       "\r\n>帐号注册成功！<",
       "注册失败,请检查服务器连接是否正常"},
      {"change password",
       kChangePasswordButton,
       {{kPasswordAccountBox, "player1"}, {kNewPasswordBox, "新密码"}},
       "up_updatememberpwbyid 'player1','新密码'",
       "\r\n>密码修改成功！<",
       "修改失败,请检查服务器连接是否正常"},
      {"ban",
       kBanButton,
       {{kBanAccountBox, "player1"}},
       "update member set GMLevel='2'where id='player1'",
       "\r\n>帐号停封成功！<",
       "停封失败,请检查服务器连接是否正常"},
      {"unban",
       kUnbanButton,
       {{kUnbanAccountBox, "player1"}},
       "update member set GMLevel='0'where id='player1'",
       "\r\n>帐号解封成功！<",
       "解封失败,请检查服务器连接是否正常"},
      {"ban all",
       kBanAllButton,
       {},
       "update member set GMLevel='2'",
       "\r\n>所有帐号停封成功！<",
       "停封失败,请检查服务器连接是否正常"},
      {"unban all",
       kUnbanAllButton,
       {},
       "update member set GMLevel='0'",
       "\r\n>所有帐号解封成功！<",
       "解封失败,请检查服务器连接是否正常"},
      // Quotes typed by the operator stay inside their quotes.
      {"register with quotes",
       kRegisterButton,
       {{kRegisterAccountBox, "O'Neil"}, {kRegisterPasswordBox, "a'';--"}},
       "up_CreateMemberAccount '0', 'O''Neil', 'a'''';--', '1', '2014-08-21'",
       "\r\n>帐号注册成功！<",
       "注册失败,请检查服务器连接是否正常"},
      {"ban with a quote",
       kBanButton,
       {{kBanAccountBox, "x' or '1'='1"}},
       "update member set GMLevel='2'where id='x'' or ''1''=''1'",
       "\r\n>帐号停封成功！<",
       "停封失败,请检查服务器连接是否正常"},
      {"ban with an empty box",
       kBanButton,
       {},
       "update member set GMLevel='2'where id=''",
       "\r\n>帐号停封成功！<",
       "停封失败,请检查服务器连接是否正常"},
  };
  return cases;
}

TEST(AcctdeskAccounts, EachOperationSendsItsStatementAndReportsSuccess) {
  for (const OperationCase& c : Operations()) {
    AcctdeskProgram acctdesk;
    acctdesk.database().Script(frame::TextMatch([](std::string_view) { return true; }),
                               {.changed_rows = 1});
    acctdesk.Start();
    for (const Typed& typed : c.typed)
      acctdesk.Type(typed.box, typed.text);
    ASSERT_TRUE(acctdesk.window().Click(c.button)) << c.name;
    EXPECT_EQ(acctdesk.NewStatements(), Texts{c.statement}) << c.name;
    EXPECT_TRUE(acctdesk.NewBoxes().empty()) << c.name;
    std::string connected = std::string(kBanner) + "\r\n>北辰霜谭服务器连接成功<";
    EXPECT_EQ(acctdesk.Messages(), connected + c.success_line) << c.name;

    // A second click sends the same statement again: nothing was cleared.
    acctdesk.window().Click(c.button);
    EXPECT_EQ(acctdesk.NewStatements(), Texts{c.statement}) << c.name;
    for (const Typed& typed : c.typed) {
      EXPECT_EQ(acctdesk.window().TextOf(typed.box), typed.text) << c.name;
    }
  }
}

TEST(AcctdeskAccounts, AFailedStatementShowsItsBoxAndAddsNoLine) {
  for (const OperationCase& c : Operations()) {
    AcctdeskProgram acctdesk;
    acctdesk.database().FailStatement(frame::Gbk(c.statement));
    acctdesk.Start();
    std::string before = acctdesk.Messages();
    for (const Typed& typed : c.typed)
      acctdesk.Type(typed.box, typed.text);
    acctdesk.window().Click(c.button);
    EXPECT_EQ(acctdesk.NewBoxes(), Texts{c.failure_box}) << c.name;
    EXPECT_EQ(acctdesk.window().MessageBoxes().back().caption, "信息：");
    EXPECT_EQ(acctdesk.window().MessageBoxes().back().flags, 0x2000) << "OK only";
    EXPECT_EQ(acctdesk.Messages(), before) << c.name;
  }
}

TEST(AcctdeskAccounts, ABanOfNoAccountSaysSoWhileWholeTableOperationsDoNot) {
  struct Case {
    ControlId button;
    ControlId box;
    const char* shown_box;  // nullptr: the success line
  };
  const Case cases[] = {
      {kBanButton, kBanAccountBox, "该帐号不存在"},
      {kUnbanButton, kUnbanAccountBox, "该帐号不存在"},
      {kBanAllButton, ControlId{}, nullptr},
      {kUnbanAllButton, ControlId{}, nullptr},
      {kRegisterButton, kRegisterAccountBox, nullptr},
      {kChangePasswordButton, kPasswordAccountBox, nullptr},
  };
  for (const Case& c : cases) {
    AcctdeskProgram acctdesk;
    acctdesk.database().Script(frame::TextMatch([](std::string_view) { return true; }),
                               {.changed_rows = 0});
    acctdesk.Start();
    std::string before = acctdesk.Messages();
    if (c.box != ControlId{}) acctdesk.Type(c.box, "nobody");
    acctdesk.window().Click(c.button);
    // Only a statement aimed at one account looks it up after a count of 0.
    Texts sent = acctdesk.NewStatements();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.size() == 2 ? sent[1] : "",
              c.shown_box != nullptr ? "SELECT ID FROM Member Where ID ='nobody'" : "");
    if (c.shown_box != nullptr) {
      EXPECT_EQ(acctdesk.NewBoxes(), Texts{c.shown_box});
      EXPECT_EQ(acctdesk.Messages(), before);
    } else {
      EXPECT_TRUE(acctdesk.NewBoxes().empty());
      EXPECT_NE(acctdesk.Messages(), before);
    }
  }
}

// A lead byte with no character after it, as a box may hold when its text
// came from elsewhere, cannot take the quote after it in: the ban stays on
// the one account named.
TEST(AcctdeskAccounts, AStrayLeadByteBeforeAQuoteStaysInsideItsLiteral) {
  struct Case {
    ControlId button;
    ControlId box;
    const char* statement;
  };
  const Case cases[] = {
      {kBanButton, kBanAccountBox, "update member set GMLevel='2'where id='\x81'' or 1=1 --'"},
      {kSetCashButton, kSetCashAccountBox, "update member set Cash=''where id='\x81'' or 1=1 --'"},
  };
  for (const Case& c : cases) {
    AcctdeskProgram acctdesk;
    acctdesk.database().Script(frame::TextMatch([](std::string_view) { return true; }),
                               {.changed_rows = 1});
    acctdesk.Start();
    frame::SetControlProperty(kMainWindow, c.box, frame::Property::kText, "\x81' or 1=1 --");
    ASSERT_TRUE(acctdesk.window().Click(c.button));
    EXPECT_EQ(acctdesk.database().statement_texts().back(), c.statement);
  }
}

struct GmCase {
  ControlId button;
  ControlId account_box;
  ControlId address_box;
  const char* address;  // nullptr: as the window starts
  const char* insert;
};

const GmCase kGmCases[] = {
    {kTestGmButton, kTestGmAccountBox, kTestGmAddressBox, nullptr,
     "INSERT INTO dbo.TB_DefGMAccountLinkIP(ID, IP, SubNetMask, GMLevel, Memo ) "
     "VALUES('gm1','127.0.0.1','GM','2','GM')"},
    {kGmButton, kGmAccountBox, kGmAddressBox, nullptr,
     "INSERT INTO dbo.TB_DefGMAccountLinkIP(ID, IP, SubNetMask, GMLevel, Memo ) "
     "VALUES('gm1','0.0.0.0','GM','2','GM')"},
    {kGmButton, kGmAccountBox, kGmAddressBox, "",
     "INSERT INTO dbo.TB_DefGMAccountLinkIP(ID, IP, SubNetMask, GMLevel, Memo ) "
     "VALUES('gm1','','GM','2','GM')"},
    {kTestGmButton, kTestGmAccountBox, kTestGmAddressBox, "192.168.1.20",
     "INSERT INTO dbo.TB_DefGMAccountLinkIP(ID, IP, SubNetMask, GMLevel, Memo ) "
     "VALUES('gm1','192.168.1.20','GM','2','GM')"},
};
constexpr const char* kGmLevelUpdate = "update member set GMLevel='2'where id='gm1'";

TEST(AcctdeskGmAccounts, OpeningSetsTheLevelThenLinksTheAddress) {
  for (const GmCase& c : kGmCases) {
    AcctdeskProgram acctdesk;
    acctdesk.database().Script(kGmLevelUpdate, {.changed_rows = 1});
    acctdesk.Start();
    acctdesk.Type(c.account_box, "gm1");
    if (c.address != nullptr) acctdesk.window().EnterIpAddress(c.address_box, c.address);
    acctdesk.window().Click(c.button);
    EXPECT_EQ(acctdesk.NewStatements(), (Texts{kGmLevelUpdate, c.insert}));
    EXPECT_TRUE(acctdesk.NewBoxes().empty());
    EXPECT_TRUE(acctdesk.Messages().ends_with("\r\n>GM帐号开启成功！<"));
  }
}

TEST(AcctdeskGmAccounts, EachStepReportsItsOwnFailure) {
  struct Case {
    const char* name;
    bool update_fails;
    int64_t update_changes;
    bool insert_fails;
    Texts statements;
    Texts boxes;
    const char* line;  // nullptr: none
  };
  const char* insert = kGmCases[0].insert;
  const Case cases[] = {
      {"insert refused", false, 1, true, {kGmLevelUpdate, insert}, {}, "\r\n>开启失败,未知原因！<"},
      {"update failed",
       true,
       0,
       false,
       {kGmLevelUpdate},
       {"开启失败,请检查服务器连接是否正常"},
       nullptr},
      {"no such account",
       false,
       0,
       false,
       {kGmLevelUpdate, "SELECT ID FROM Member Where ID ='gm1'"},
       {"该帐号不存在"},
       nullptr},
  };
  for (const Case& c : cases) {
    AcctdeskProgram acctdesk;
    acctdesk.database().Script(kGmLevelUpdate,
                               {.fails = c.update_fails, .changed_rows = c.update_changes});
    if (c.insert_fails) acctdesk.database().FailStatement(insert);
    acctdesk.Start();
    std::string before = acctdesk.Messages();
    acctdesk.Type(kTestGmAccountBox, "gm1");
    acctdesk.window().Click(kTestGmButton);
    EXPECT_EQ(acctdesk.NewStatements(), c.statements) << c.name;
    EXPECT_EQ(acctdesk.NewBoxes(), c.boxes) << c.name;
    EXPECT_EQ(acctdesk.Messages(), before + (c.line != nullptr ? c.line : "")) << c.name;
  }
}

// The driver may give a trigger's count of 0 for a statement that changed its
// row: the account is looked up, and only one that is not there is reported
// as missing. A look-up that fails leaves the statement's own word: it ran.
TEST(AcctdeskAccounts, ACountOfZeroIsJudgedByTheAccountsRow) {
  using testing_support::LookUp;
  struct Operation {
    const char* name;
    ControlId box;
    ControlId button;
    const char* statement;
    const char* success_line;
  };
  const Operation operations[] = {
      {"ban", kBanAccountBox, kBanButton, "update member set GMLevel='2'where id='O''Neil'",
       "\r\n>帐号停封成功！<"},
      {"unban", kUnbanAccountBox, kUnbanButton, "update member set GMLevel='0'where id='O''Neil'",
       "\r\n>帐号解封成功！<"},
      {"set cash", kSetCashAccountBox, kSetCashButton,
       "update member set Cash=''where id='O''Neil'", "\r\n>龙币修改成功！<"},
      {"set bonus", kSetBonusAccountBox, kSetBonusButton,
       "update member set BonusCash=''where id='O''Neil'", "\r\n>积分修改成功！<"},
      {"open a GM account", kGmAccountBox, kGmButton,
       "update member set GMLevel='2'where id='O''Neil'", "\r\n>GM帐号开启成功！<"},
  };
  const std::string look_up = "SELECT ID FROM Member Where ID ='O''Neil'";
  for (const Operation& operation : operations) {
    for (LookUp answer : {LookUp::kFindsRow, LookUp::kFindsNone, LookUp::kFails}) {
      SCOPED_TRACE(std::string(operation.name) + " " + std::to_string(static_cast<int>(answer)));
      AcctdeskProgram acctdesk;
      acctdesk.database().Script(frame::Gbk(operation.statement), {.changed_rows = 0});
      testing_support::ScriptLookUp(acctdesk.database(), look_up, answer);
      acctdesk.Start();
      std::string before = acctdesk.Messages();
      acctdesk.Type(operation.box, "O'Neil");
      acctdesk.window().Click(operation.button);

      Texts sent = acctdesk.NewStatements();
      ASSERT_GE(sent.size(), 2u);
      EXPECT_EQ(sent[0], operation.statement);
      EXPECT_EQ(sent[1], look_up);
      EXPECT_TRUE(acctdesk.database().statements()[1].query);
      if (answer == LookUp::kFindsNone) {
        EXPECT_EQ(sent.size(), 2u);
        EXPECT_EQ(acctdesk.NewBoxes(), Texts{"该帐号不存在"});
        EXPECT_EQ(acctdesk.Messages(), before);
      } else {
        EXPECT_TRUE(acctdesk.NewBoxes().empty());
        EXPECT_EQ(acctdesk.Messages(), before + operation.success_line);
      }
    }
  }
}

}  // namespace
