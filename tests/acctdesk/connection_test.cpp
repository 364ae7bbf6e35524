// Start-up, Server.ini, connecting and the message area.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/acctdesk/acctdesk_program.h"

namespace {

using namespace acctdesk;
using acctdesk_testing::AcctdeskProgram;
using acctdesk_testing::kBanner;

constexpr ControlId kWaitingForConnection[] = {
    kTopUpButton,   kRegisterButton, kChangePasswordButton,
    kSetCashButton, kSetBonusButton, kUnbanButton,
    kBanAllButton,  kUnbanAllButton, kBanButton,
    kTestGmButton,  kGmButton,       kTopUpAccountBox,
    kAmountList};

std::vector<ControlId> Enabled(const frame::HeadlessWindowSystem& window) {
  std::vector<ControlId> enabled;
  for (const auto& write : window.PropertyWrites()) {
    if (write.property == frame::Property::kDisabled && !write.value.AsBool()) {
      enabled.push_back(write.control);
    }
  }
  return enabled;
}

TEST(AcctdeskConnection, ConnectsWithTheSettingsAndUnlocksTheWindow) {
  AcctdeskProgram acctdesk;
  acctdesk.Start(false);
  EXPECT_EQ(acctdesk.window().Title(), "霜月奇谭爱好研究者注册器1.0");
  EXPECT_EQ(acctdesk.Messages(), kBanner);
  EXPECT_TRUE(acctdesk.database().connects().empty()) << "nothing connects at start";
  for (ControlId control : kWaitingForConnection) {
    EXPECT_FALSE(acctdesk.window().IsUsable(control));
  }
  EXPECT_FALSE(acctdesk.window().Click(kBanButton));
  EXPECT_FALSE(acctdesk.window().TypeText(kTopUpAccountBox, "a"));
  EXPECT_FALSE(acctdesk.window().PickComboItem(kAmountList, 0));

  ASSERT_TRUE(acctdesk.window().Click(kConnectButton));
  auto connects = acctdesk.database().connects();
  ASSERT_EQ(connects.size(), 1u);
  EXPECT_EQ(connects[0].connection_text,
            "DRIVER=SQL Server;SERVER=127.0.0.1,1433;UID=sa;PWD=secret;DATABASE=KV7_Member;");
  EXPECT_EQ(connects[0].connection, kMemberConnection);
  EXPECT_EQ(Enabled(acctdesk.window()), std::vector<ControlId>(std::begin(kWaitingForConnection),
                                                               std::end(kWaitingForConnection)));
  EXPECT_FALSE(acctdesk.window().IsUsable(kConnectButton));
  EXPECT_FALSE(acctdesk.window().IsUsable(kTopUpCashRadio)) << "the radios wait for an amount";
  EXPECT_FALSE(acctdesk.window().IsUsable(kTopUpBonusRadio));
  EXPECT_EQ(acctdesk.Messages(), std::string(kBanner) + "\r\n>北辰霜谭服务器连接成功<");
  EXPECT_TRUE(acctdesk.NewBoxes().empty());
}

TEST(AcctdeskConnection, MissingSettingsConnectWithEmptyTexts) {
  struct Case {
    const char* file_name;
    const char* contents;
    const char* connection_text;
  };
  const Case cases[] = {
      {"Server.ini", "[Config]\r\nSQLIP=db.local,1433\r\n",
       "DRIVER=SQL Server;SERVER=db.local,1433;UID=;PWD=;DATABASE=KV7_Member;"},
      {"server.INI", "[config]\nsqlip = 10.0.0.5,1433\nSQLID=gm\nSQLPW=\"p w\"\n",
       "DRIVER=SQL Server;SERVER=10.0.0.5,1433;UID=gm;PWD=p w;DATABASE=KV7_Member;"},
      {"Other.ini", "[Config]\r\nSQLIP=x\r\n",
       "DRIVER=SQL Server;SERVER=;UID=;PWD=;DATABASE=KV7_Member;"},
  };
  for (const Case& c : cases) {
    AcctdeskProgram acctdesk("");
    std::ofstream(acctdesk.program().directory() / c.file_name, std::ios::binary) << c.contents;
    acctdesk.Start();
    auto connects = acctdesk.database().connects();
    ASSERT_EQ(connects.size(), 1u) << c.file_name;
    EXPECT_EQ(connects[0].connection_text, c.connection_text) << c.file_name;
  }
}

TEST(AcctdeskConnection, AFailedConnectChangesNothingAndTheNextTryUsesTheSameSettings) {
  AcctdeskProgram acctdesk;
  auto attempts = std::make_shared<int>(0);
  acctdesk.database().RefuseConnect([attempts](std::string_view) { return (*attempts)++ == 0; });
  acctdesk.Start(false);

  acctdesk.window().Click(kConnectButton);
  EXPECT_EQ(acctdesk.NewBoxes(), std::vector<std::string>{"服务器连接失败"});
  EXPECT_EQ(acctdesk.window().MessageBoxes().back().caption, "信息：");
  EXPECT_EQ(acctdesk.Messages(), kBanner);
  EXPECT_TRUE(acctdesk.window().IsUsable(kConnectButton));
  EXPECT_FALSE(acctdesk.window().IsUsable(kBanButton));

  // A changed Server.ini counts only from the next start.
  std::ofstream(acctdesk.program().directory() / "Server.ini", std::ios::binary)
      << "[Config]\r\nSQLIP=elsewhere\r\n";
  acctdesk.window().Click(kConnectButton);
  auto connects = acctdesk.database().connects();
  ASSERT_EQ(connects.size(), 2u);
  EXPECT_EQ(connects[1].connection_text, connects[0].connection_text);
  EXPECT_TRUE(acctdesk.NewBoxes().empty());
  EXPECT_TRUE(acctdesk.window().IsUsable(kBanButton));
  EXPECT_FALSE(acctdesk.window().Click(kConnectButton)) << "connected for good";
  EXPECT_EQ(acctdesk.Messages(), std::string(kBanner) + "\r\n>北辰霜谭服务器连接成功<");
}

TEST(AcctdeskMessages, ClearingLeavesTheBannerAndTypedTextStays) {
  AcctdeskProgram acctdesk;
  acctdesk.Start(false);
  acctdesk.window().Click(kClearButton);
  EXPECT_EQ(acctdesk.Messages(), kBanner);

  acctdesk.window().Click(kConnectButton);
  acctdesk.window().TypeAtEnd(kMessageArea, "备注");
  acctdesk.Type(kBanAccountBox, "a");
  acctdesk.window().Click(kBanButton);
  acctdesk.window().Click(kBanButton);
  EXPECT_EQ(acctdesk.Messages(), std::string(kBanner) +
                                     "\r\n>北辰霜谭服务器连接成功<备注"
                                     "\r\n>帐号停封成功！<\r\n>帐号停封成功！<");
  acctdesk.window().Click(kClearButton);
  EXPECT_EQ(acctdesk.Messages(), kBanner);
}

TEST(AcctdeskWindow, ClosingEndsTheProgramWithoutAQuestion) {
  AcctdeskProgram acctdesk;
  acctdesk.Start();
  acctdesk.window().Post([&] { acctdesk.window().CloseWindow(); });
  EXPECT_EQ(acctdesk.program().runtime().RunMessageLoop(), 0);
  EXPECT_TRUE(acctdesk.NewBoxes().empty());
}

}  // namespace
