// Adding to an account's 龙币 (Cash) or 积分 (BonusCash).
#include <gtest/gtest.h>

#include <optional>

#include "frame/text/gbk.h"
#include "tests/gmdesk/gmdesk_program.h"
#include "tests/support/row_look_up.h"

namespace {

using namespace gmdesk;
using gmdesk_testing::GmdeskProgram;
using Texts = std::vector<std::string>;

constexpr int kCash = 0;
constexpr int kBonusCash = 1;

std::string CheckOf(const std::string& quoted_account) {
  return "SELECT ID FROM Member Where ID ='" + quoted_account + "'";
}

// gmdesk connected, with one account in Member that the check finds, and an
// update that changes one row unless told otherwise.
class TopUp {
 public:
  explicit TopUp(const std::string& stored = "player1",
                 frame::ScriptedOutcome update = {.changed_rows = 1}) {
    std::string quoted = stored;
    for (size_t at = quoted.find('\''); at != std::string::npos; at = quoted.find('\'', at + 2))
      quoted.insert(at, "'");
    gmdesk.database().ReturnRows(frame::Gbk(CheckOf(quoted)),
                                 {{"ID"}, {{{frame::FieldKind::kText, frame::Gbk(stored)}}}});
    gmdesk.database().Script(frame::Contains("update member"), update);
    gmdesk.Start();
    gmdesk.Connect();
    gmdesk.NewStatements();
  }

  // Types the account and amount, picks the kind and clicks 按钮1.
  void Add(const std::string& account, const std::string& amount, int kind) {
    gmdesk.Type(kTopUpAccountBox, account);
    gmdesk.Type(kTopUpAmountBox, amount);
    ASSERT_TRUE(gmdesk.window().PickComboItem(kCurrencyKindList, kind));
    ASSERT_TRUE(gmdesk.window().Click(kTopUpButton));
  }

  GmdeskProgram gmdesk;
};

TEST(GmdeskTopUp, TheButtonWaitsForACurrencyKind) {
  TopUp top_up;
  auto& window = top_up.gmdesk.window();
  EXPECT_EQ(window.TextOf(kTopUpButton), "增加");
  EXPECT_EQ(window.ComboItems(kCurrencyKindList), (Texts{"龙币(酷币)", "积分(红利)"}));
  EXPECT_FALSE(window.Click(kTopUpButton));
  ASSERT_TRUE(window.PickComboItem(kCurrencyKindList, kBonusCash));
  EXPECT_TRUE(window.IsUsable(kTopUpButton));
  EXPECT_TRUE(top_up.gmdesk.NewStatements().empty()) << "picking sends nothing";
}

TEST(GmdeskTopUp, AddsTheAmountToThePickedColumn) {
  struct Case {
    int kind;
    const char* amount;
    const char* update;
    const char* box;
  };
  const Case cases[] = {
      {kCash, "1000", "update member set cash=cash+1000where id ='player1'",
       "龙币（酷币）增加成功"},
      {kBonusCash, "250", "update member set bonuscash=bonuscash+250where id ='player1'",
       "积分（红利）增加成功"},
      {kCash, "-100", "update member set cash=cash+-100where id ='player1'",
       "龙币（酷币）增加成功"},
      {kBonusCash, "+12.50", "update member set bonuscash=bonuscash++12.50where id ='player1'",
       "积分（红利）增加成功"},
      {kCash, " 7 ", "update member set cash=cash+ 7 where id ='player1'", "龙币（酷币）增加成功"},
  };
  for (const Case& c : cases) {
    TopUp top_up;
    top_up.Add("player1", c.amount, c.kind);
    EXPECT_EQ(top_up.gmdesk.NewStatements(), (Texts{CheckOf("player1"), c.update}));
    EXPECT_EQ(top_up.gmdesk.NewBoxes(), Texts{c.box});
    auto statements = top_up.gmdesk.database().statements();
    ASSERT_GE(statements.size(), 2u);
    const auto& check = statements[statements.size() - 2];
    const auto& update = statements.back();
    EXPECT_TRUE(check.query);
    EXPECT_EQ(check.connection, kMemberConnection);
    EXPECT_EQ(check.timeout_seconds, 30) << "the check keeps the usual time-out";
    EXPECT_EQ(update.connection, kMemberConnection);
    EXPECT_EQ(update.timeout_seconds, 5);

    // The panel stays as it was, ready for the next click.
    auto& window = top_up.gmdesk.window();
    EXPECT_EQ(window.TextOf(kTopUpAccountBox), "player1");
    EXPECT_EQ(window.TextOf(kTopUpAmountBox), c.amount);
    EXPECT_EQ(window.SelectedIndex(kCurrencyKindList), c.kind);
    EXPECT_TRUE(window.IsUsable(kTopUpButton));
  }
}

TEST(GmdeskTopUp, ALaterPickSwitchesTheColumnAndEachClickAddsAgain) {
  TopUp top_up;
  top_up.Add("player1", "5", kBonusCash);
  ASSERT_TRUE(top_up.gmdesk.window().PickComboItem(kCurrencyKindList, kCash));
  ASSERT_TRUE(top_up.gmdesk.window().Click(kTopUpButton));
  ASSERT_TRUE(top_up.gmdesk.window().Click(kTopUpButton));
  EXPECT_EQ(top_up.gmdesk.NewStatements(),
            (Texts{CheckOf("player1"), "update member set bonuscash=bonuscash+5where id ='player1'",
                   CheckOf("player1"), "update member set cash=cash+5where id ='player1'",
                   CheckOf("player1"), "update member set cash=cash+5where id ='player1'"}));
}

TEST(GmdeskTopUp, AnAccountTheCheckDoesNotConfirmIsRefused) {
  struct Case {
    const char* typed;
    const char* check;
    std::optional<const char*> found;  // the ID the check reads
  };
  const Case cases[] = {
      {"nobody", "SELECT ID FROM Member Where ID ='nobody'", std::nullopt},
      // The server's comparison matches these rows; the tool's does not.
      {"PLAYER1", "SELECT ID FROM Member Where ID ='PLAYER1'", "player1"},
      {"player1 ", "SELECT ID FROM Member Where ID ='player1 '", "player1"},
      // The empty read of no row must not pass for an empty account.
      {"", "SELECT ID FROM Member Where ID =''", std::nullopt},
  };
  // The account is checked first: a bad amount does not change the answer.
  for (const Case& c : cases) {
    for (const char* amount : {"100", "abc", ""}) {
      TopUp top_up;
      if (c.found) {
        top_up.gmdesk.database().ReturnRows(
            frame::Gbk(c.check), {{"ID"}, {{{frame::FieldKind::kText, frame::Gbk(*c.found)}}}});
      }
      top_up.Add(c.typed, amount, kCash);
      EXPECT_EQ(top_up.gmdesk.NewStatements(), Texts{c.check})
          << "no update for '" << c.typed << "' and '" << amount << "'";
      EXPECT_EQ(top_up.gmdesk.NewBoxes(), Texts{"该帐号不存在"});
    }
  }
}

// A check that could not run says nothing about the account: the column's
// failure, and no update.
TEST(GmdeskTopUp, AFailedCheckReportsTheColumnsFailure) {
  for (int kind : {kCash, kBonusCash}) {
    TopUp top_up;
    top_up.gmdesk.database().FailStatement(frame::Contains("SELECT ID FROM Member"));
    top_up.Add("player1", "100", kind);
    EXPECT_EQ(top_up.gmdesk.NewStatements(), Texts{CheckOf("player1")});
    EXPECT_EQ(top_up.gmdesk.NewBoxes(),
              Texts{kind == kCash ? "龙币（酷币）增加失败" : "积分（红利）增加失败"});
  }
}

TEST(GmdeskTopUp, AccountsWithQuotesAndChineseCharactersAreCheckedAndUpdatedSafely) {
  struct Case {
    const char* account;
    const char* quoted;
  };
  const Case cases[] = {{"O'Neil", "O''Neil"}, {"'", "''"}, {"龙骑士", "龙骑士"}};
  for (const Case& c : cases) {
    TopUp top_up(c.account);
    top_up.Add(c.account, "10", kCash);
    EXPECT_EQ(top_up.gmdesk.NewStatements(),
              (Texts{CheckOf(c.quoted),
                     std::string("update member set cash=cash+10where id ='") + c.quoted + "'"}));
    EXPECT_EQ(top_up.gmdesk.NewBoxes(), Texts{"龙币（酷币）增加成功"});
  }
}

// The amount stands unquoted in the statement: anything but a number is
// refused after the account check, and no update is sent.
TEST(GmdeskTopUp, AnAmountThatIsNotANumberIsRefusedWithTheColumnsFailure) {
  const char* amounts[] = {"",    " ",   "abc", "1e5",  "1.",     ".5",       "--5",
                           "+-1", "1 2", "1,0", "0x10", "１００", "5 or 1=1", "5;delete member"};
  for (const char* amount : amounts) {
    for (int kind : {kCash, kBonusCash}) {
      TopUp top_up;
      top_up.Add("player1", amount, kind);
      EXPECT_EQ(top_up.gmdesk.NewStatements(), Texts{CheckOf("player1")}) << "'" << amount << "'";
      EXPECT_EQ(top_up.gmdesk.NewBoxes(),
                Texts{kind == kCash ? "龙币（酷币）增加失败" : "积分（红利）增加失败"})
          << "'" << amount << "'";
    }
  }
}

// A count of 0 may be a trigger's: only an account that a look-up after it
// does not find makes it a failure. A failure box would have the operator
// add the amount a second time.
TEST(GmdeskTopUp, AnUpdateIsJudgedByItsRunAndByTheAccountAfterACountOfZero) {
  using testing_support::LookUp;
  struct Case {
    const char* name;
    frame::ScriptedOutcome update;
    std::optional<LookUp> look_up;
    bool added;
  };
  const Case cases[] = {
      {"fails", {.fails = true}, std::nullopt, false},
      {"no count", {}, std::nullopt, true},
      {"a trigger's 0", {.changed_rows = 0}, LookUp::kFindsRow, true},
      {"the account is gone", {.changed_rows = 0}, LookUp::kFindsNone, false},
      {"the look-up fails", {.changed_rows = 0}, LookUp::kFails, true},
  };
  for (const Case& c : cases) {
    for (int kind : {kCash, kBonusCash}) {
      SCOPED_TRACE(std::string(c.name) + (kind == kCash ? " cash" : " bonus"));
      TopUp top_up("player1", c.update);
      if (c.look_up) {
        testing_support::ScriptLookUp(top_up.gmdesk.database(), CheckOf("player1"), *c.look_up, 1);
      }
      top_up.Add("player1", "100", kind);
      Texts sent = top_up.gmdesk.NewStatements();
      ASSERT_GE(sent.size(), 2u);
      EXPECT_EQ(sent[0], CheckOf("player1"));
      EXPECT_EQ(sent[1], kind == kCash
                             ? "update member set cash=cash+100where id ='player1'"
                             : "update member set bonuscash=bonuscash+100where id ='player1'");
      EXPECT_EQ(sent.size(), c.look_up ? 3u : 2u);
      if (c.look_up) {
        EXPECT_EQ(sent[2], CheckOf("player1"));
        auto look_up = top_up.gmdesk.database().statements().back();
        EXPECT_TRUE(look_up.query);
        EXPECT_EQ(look_up.connection, kMemberConnection);
      }
      const char* box = kind == kCash ? (c.added ? "龙币（酷币）增加成功" : "龙币（酷币）增加失败")
                                      : (c.added ? "积分（红利）增加成功" : "积分（红利）增加失败");
      EXPECT_EQ(top_up.gmdesk.NewBoxes(), Texts{box});
    }
  }
}

}  // namespace
