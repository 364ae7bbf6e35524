// What the operator sees when Server.ini holds a login that the driver
// could not take whole, through the real ODBC path: the connect failure, and
// no login sent with a changed or split value.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/acctdesk/acctdesk_program.h"
#include "tests/support/game_databases.h"

namespace {

using acctdesk_testing::AcctdeskProgram;
using Texts = std::vector<std::string>;

std::string ServerIni(const std::string& user, const std::string& password) {
  return "[Config]\r\nSQLIP=" + game_databases::ServerText() + "\r\nSQLID=" + user +
         "\r\nSQLPW=" + password + "\r\n";
}

size_t LoginsSoFar() {
  return game_databases::Driver().Logins().size();
}

TEST(AcctdeskConnectionTexts, ALoginTheDriverCannotTakeWholeFailsAndSendsNothing) {
  struct Case {
    const char* user;
    const char* password;
  };
  for (const Case& c : {Case{"sa", "{abc}"}, Case{"x};DATABASE=postgres;UID=evil", "pw"}}) {
    SCOPED_TRACE(c.user + std::string(" ") + c.password);
    AcctdeskProgram acctdesk(game_databases::Components(), ServerIni(c.user, c.password));
    const size_t logins = LoginsSoFar();
    acctdesk.Start(false);
    ASSERT_TRUE(acctdesk.window().Click(acctdesk::kConnectButton));
    EXPECT_EQ(acctdesk.NewBoxes(), Texts{"服务器连接失败"});
    EXPECT_EQ(LoginsSoFar(), logins);
  }
}

TEST(AcctdeskConnectionTexts, APasswordWithABraceThatNeedsNoBracesConnects) {
  AcctdeskProgram acctdesk(game_databases::Components(), ServerIni("sa", "a}b"));
  acctdesk.Start();
  EXPECT_EQ(acctdesk.NewBoxes(), Texts{});
  EXPECT_NE(acctdesk.Messages().find("北辰霜谭服务器连接成功"), std::string::npos);
}

}  // namespace
