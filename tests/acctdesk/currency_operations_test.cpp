// Setting and topping up 龙币 (Cash) and 积分 (BonusCash).
#include <gtest/gtest.h>

#include "tests/acctdesk/acctdesk_program.h"
#include "tests/support/row_look_up.h"

namespace {

using namespace acctdesk;
using acctdesk_testing::AcctdeskProgram;
using testing_support::LookUp;
using Texts = std::vector<std::string>;

frame::TextMatch AnyStatement() {
  return frame::TextMatch([](std::string_view) { return true; });
}

TEST(AcctdeskCurrency, SettingSendsTheValueAndAccountAsTyped) {
  struct Case {
    ControlId value_box;
    const char* value;
    ControlId account_box;
    ControlId button;
    const char* statement;
    const char* line;
  };
  const Case cases[] = {
      {kSetCashValueBox, "5000", kSetCashAccountBox, kSetCashButton,
       "update member set Cash='5000'where id='p1'", "\r\n>龙币修改成功！<"},
      {kSetCashValueBox, "0", kSetCashAccountBox, kSetCashButton,
       "update member set Cash='0'where id='p1'", "\r\n>龙币修改成功！<"},
      {kSetBonusValueBox, "", kSetBonusAccountBox, kSetBonusButton,
       "update member set BonusCash=''where id='p1'", "\r\n>积分修改成功！<"},
      {kSetBonusValueBox, "-12x3", kSetBonusAccountBox, kSetBonusButton,
       "update member set BonusCash='-123'where id='p1'", "\r\n>积分修改成功！<"},
  };
  for (const Case& c : cases) {
    AcctdeskProgram acctdesk;
    acctdesk.database().Script(AnyStatement(), {.changed_rows = 1});
    acctdesk.Start();
    acctdesk.Type(c.value_box, c.value);
    acctdesk.Type(c.account_box, "p1");
    acctdesk.window().Click(c.button);
    EXPECT_EQ(acctdesk.NewStatements(), Texts{c.statement});
    EXPECT_TRUE(acctdesk.Messages().ends_with(c.line)) << c.statement;
  }
}

TEST(AcctdeskCurrency, SettingReportsFailureAndMissingAccounts) {
  struct Case {
    frame::ScriptedOutcome outcome;
    const char* box;
  };
  const Case cases[] = {{{.fails = true}, "修改失败,请检查服务器连接是否正常"},
                        {{.changed_rows = 0}, "该帐号不存在"}};
  for (const Case& c : cases) {
    AcctdeskProgram acctdesk;
    acctdesk.database().Script(AnyStatement(), c.outcome);
    acctdesk.Start();
    std::string before = acctdesk.Messages();
    acctdesk.window().Click(kSetCashButton);
    acctdesk.window().Click(kSetBonusButton);
    EXPECT_EQ(acctdesk.NewBoxes(), (Texts{c.box, c.box}));
    EXPECT_EQ(acctdesk.Messages(), before);
  }
}

TEST(AcctdeskTopUp, EachPickedAmountFillsTheHiddenBox) {
  const char* amounts[] = {"25000", "100000", "200000", "375000", "1000000", "2000000",
                           "25000", "75000",  "125000", "250000", "750000",  "1250000"};
  AcctdeskProgram acctdesk;
  acctdesk.Start();
  for (int index = 0; index < 12; ++index) {
    ASSERT_TRUE(acctdesk.window().PickComboItem(kAmountList, index));
    EXPECT_EQ(acctdesk.window().TextOf(kAmountBox), amounts[index]) << index;
  }
  EXPECT_TRUE(acctdesk.window().IsUsable(kTopUpCashRadio));
  EXPECT_TRUE(acctdesk.window().IsUsable(kTopUpBonusRadio));
  EXPECT_FALSE(acctdesk.window().IsChecked(kTopUpCashRadio)) << "picking checks nothing";

  acctdesk.window().PickComboItem(kAmountList, 5);
  for (int index : {12, 13}) {
    acctdesk.window().PickComboItem(kAmountList, index);
    EXPECT_EQ(acctdesk.window().TextOf(kAmountBox), "2000000") << index;
  }
  EXPECT_EQ(acctdesk.window().ComboItems(kAmountList).size(), 14u);
  EXPECT_EQ(acctdesk.window().ComboItems(kAmountList)[12], "充值1000请联系客服");
  EXPECT_EQ(acctdesk.window().ComboItems(kAmountList)[13], "");
}

TEST(AcctdeskTopUp, WithoutACurrencyNothingHappens) {
  AcctdeskProgram acctdesk;
  acctdesk.Start();
  std::string before = acctdesk.Messages();
  acctdesk.window().Click(kTopUpButton);
  EXPECT_EQ(acctdesk.NewBoxes(), Texts{"还没有选择充值货币"});
  EXPECT_EQ(acctdesk.window().Title(), "霜月奇谭爱好研究者注册器1.0");
  EXPECT_TRUE(acctdesk.NewStatements().empty());
  EXPECT_EQ(acctdesk.Messages(), before);
}

TEST(AcctdeskTopUp, ASuccessAddsThreeLinesAndAsksForANewPick) {
  struct Case {
    ControlId radio;
    const char* statement;
    const char* line;
  };
  const Case cases[] = {
      {kTopUpCashRadio, "UPDATE Member SET Cash = Cash + '25000' WHERE ID ='p''1'",
       "\r\n>龙币充值成功！<"},
      {kTopUpBonusRadio, "UPDATE Member SET BonusCash = BonusCash + '25000' WHERE ID ='p''1'",
       "\r\n>积分充值成功！<"},
  };
  for (const Case& c : cases) {
    AcctdeskProgram acctdesk;
    acctdesk.database().Script(AnyStatement(), {.changed_rows = 1});
    acctdesk.Start();
    std::string before = acctdesk.Messages();
    acctdesk.Type(kTopUpAccountBox, "p'1");
    acctdesk.window().PickComboItem(kAmountList, 0);
    acctdesk.window().Click(c.radio);
    acctdesk.window().Click(kTopUpButton);

    EXPECT_EQ(acctdesk.NewStatements(), Texts{c.statement});
    EXPECT_EQ(acctdesk.Messages(),
              before + c.line + "\r\n>充值总数额：25000<\r\n>请记得重新选择充值额数<");
    EXPECT_EQ(acctdesk.window().Title(), "><");
    EXPECT_FALSE(acctdesk.window().IsChecked(kTopUpCashRadio));
    EXPECT_FALSE(acctdesk.window().IsChecked(kTopUpBonusRadio));
    EXPECT_EQ(acctdesk.window().TextOf(kAmountBox), "");
    EXPECT_EQ(acctdesk.window().SelectedIndex(kAmountList), -1);
    EXPECT_EQ(acctdesk.window().TextOf(kAmountList), "");
    EXPECT_EQ(acctdesk.window().TextOf(kTopUpAccountBox), "p'1");
    EXPECT_TRUE(acctdesk.window().IsUsable(kTopUpCashRadio));

    // Clicking again without picking asks for a currency and changes nothing.
    std::string after = acctdesk.Messages();
    acctdesk.window().Click(kTopUpButton);
    EXPECT_EQ(acctdesk.NewBoxes(), Texts{"还没有选择充值货币"});
    EXPECT_EQ(acctdesk.Messages(), after);

    // Picking the contact item after a success leaves the amount empty.
    acctdesk.window().PickComboItem(kAmountList, 12);
    acctdesk.window().Click(c.radio);
    acctdesk.window().Click(kTopUpButton);
    EXPECT_TRUE(acctdesk.Messages().ends_with("\r\n>充值总数额：<\r\n>请记得重新选择充值额数<"));
  }
}

TEST(AcctdeskTopUp, AFailureOrAMissingAccountKeepsEverythingForAnotherTry) {
  struct Case {
    frame::ScriptedOutcome outcome;
    const char* box;
  };
  const Case cases[] = {{{.fails = true}, "充值失败,请检查服务器连接是否正常"},
                        {{.changed_rows = 0}, "该帐号不存在"}};
  for (const Case& c : cases) {
    AcctdeskProgram acctdesk;
    acctdesk.database().Script(AnyStatement(), c.outcome);
    acctdesk.Start();
    std::string before = acctdesk.Messages();
    acctdesk.Type(kTopUpAccountBox, "p1");
    acctdesk.window().PickComboItem(kAmountList, 5);
    acctdesk.window().Click(kTopUpBonusRadio);
    acctdesk.window().Click(kTopUpButton);
    acctdesk.window().Click(kTopUpButton);

    const std::string statement =
        "UPDATE Member SET BonusCash = BonusCash + '2000000' WHERE ID ='p1'";
    const std::string look_up = "SELECT ID FROM Member Where ID ='p1'";
    Texts expected = c.outcome.fails ? Texts{statement, statement}
                                     : Texts{statement, look_up, statement, look_up};
    EXPECT_EQ(acctdesk.NewStatements(), expected);
    EXPECT_EQ(acctdesk.NewBoxes(), (Texts{c.box, c.box}));
    EXPECT_EQ(acctdesk.Messages(), before);
    EXPECT_EQ(acctdesk.window().Title(), "><");
    EXPECT_TRUE(acctdesk.window().IsChecked(kTopUpBonusRadio));
    EXPECT_EQ(acctdesk.window().TextOf(kAmountBox), "2000000");
    EXPECT_EQ(acctdesk.window().SelectedIndex(kAmountList), 5);
  }
}

// A trigger's count of 0 for a top-up that was written: the account is there,
// so it is a success, and the operator is not led to add the amount again.
TEST(AcctdeskTopUp, ACountOfZeroForAnAccountThatIsThereIsASuccess) {
  for (LookUp answer : {LookUp::kFindsRow, LookUp::kFails}) {
    AcctdeskProgram acctdesk;
    const std::string statement = "UPDATE Member SET Cash = Cash + '25000' WHERE ID ='p1'";
    acctdesk.database().Script(statement, {.changed_rows = 0});
    testing_support::ScriptLookUp(acctdesk.database(), "SELECT ID FROM Member Where ID ='p1'",
                                  answer);
    acctdesk.Start();
    std::string before = acctdesk.Messages();
    acctdesk.Type(kTopUpAccountBox, "p1");
    acctdesk.window().PickComboItem(kAmountList, 0);
    acctdesk.window().Click(kTopUpCashRadio);
    acctdesk.window().Click(kTopUpButton);
    EXPECT_EQ(acctdesk.NewStatements(), (Texts{statement, "SELECT ID FROM Member Where ID ='p1'"}));
    EXPECT_TRUE(acctdesk.NewBoxes().empty());
    EXPECT_EQ(acctdesk.Messages(), before +
                                       "\r\n>龙币充值成功！<\r\n>充值总数额：25000<\r\n>"
                                       "请记得重新选择充值额数<");
    EXPECT_FALSE(acctdesk.window().IsChecked(kTopUpCashRadio));
  }
}

}  // namespace
