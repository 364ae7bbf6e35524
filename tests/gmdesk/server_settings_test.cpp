// Server settings in Config.ini, connecting to the three databases, and the
// exit item.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "frame/text/gbk.h"
#include "frame/window/window_system.h"
#include "gmdesk/multiplier_pages.h"
#include "tests/gmdesk/gmdesk_program.h"
#include "tests/support/file_modes.h"

namespace {

using namespace gmdesk;
using frame::MessageBoxButton;
using gmdesk_testing::GmdeskProgram;
using Texts = std::vector<std::string>;

constexpr ControlId kSettingBoxes[] = {kServerBox,         kUserBox,           kPasswordBox,
                                       kMemberDatabaseBox, kNoticeDatabaseBox, kGameDatabaseBox};

std::string ConnectionText(const std::string& server, const std::string& database,
                           const std::string& user, const std::string& password) {
  return "DRIVER=SQL Server;SERVER=" + server + ";UID=" + user + ";PWD=" + password +
         ";DATABASE=" + database + ";";
}

std::vector<std::string> ConnectTexts(GmdeskProgram& gmdesk) {
  std::vector<std::string> texts;
  for (const auto& connect : gmdesk.database().connects())
    texts.push_back(frame::Utf8(connect.connection_text));
  return texts;
}

// Whether any statement went to the connection: the list loaders use the
// notice and game connections as soon as they open.
bool AnyStatementOn(GmdeskProgram& gmdesk, ControlId connection) {
  for (const auto& statement : gmdesk.database().statements())
    if (statement.connection == connection) return true;
  return false;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream contents;
  contents << in.rdbuf();
  return frame::Utf8(contents.str());
}

// The names of the files in the program directory.
std::vector<std::string> FilesIn(const std::filesystem::path& directory) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(directory))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(GmdeskServerSettings, ConfigFillsTheSixBoxesAtStart) {
  struct Case {
    std::optional<std::string> ini;
    std::vector<std::string> boxes;
  };
  const Case cases[] = {
      {gmdesk_testing::kConfigIni,
       {"127.0.0.1,1433", "sa", "pw", "KV7_Member", "KV7_SiteConfig", "KV7_User"}},
      // No file: the design texts give way to empty boxes.
      {std::nullopt, {"", "", "", "", "", ""}},
      {"[Server]\r\nIP=db.local,1433\r\nID=gm\r\nPW=密码\r\nDB1=A\r\nDB3=C\r\n",
       {"db.local,1433", "gm", "密码", "A", "", "C"}},
      {"[Other]\r\nIP=x\r\n", {"", "", "", "", "", ""}},
  };
  for (const Case& c : cases) {
    GmdeskProgram gmdesk(c.ini);
    gmdesk.Start();
    std::vector<std::string> boxes;
    for (ControlId box : kSettingBoxes)
      boxes.push_back(gmdesk.window().TextOf(box));
    EXPECT_EQ(boxes, c.boxes) << c.ini.value_or("(no file)");
    EXPECT_TRUE(gmdesk.database().connects().empty()) << "nothing connects at start";
  }
}

TEST(GmdeskServerSettings, StartLeavesOnlyTheSettingsAndTopUpBoxesUsable) {
  GmdeskProgram gmdesk;
  gmdesk.Start();
  auto& window = gmdesk.window();
  for (ControlId usable :
       {kServerBox, kUserBox, kPasswordBox, kMemberDatabaseBox, kNoticeDatabaseBox,
        kGameDatabaseBox, kTopUpAccountBox, kTopUpAmountBox, kConnectItem, kExitItem}) {
    EXPECT_TRUE(window.IsUsable(usable)) << static_cast<uint32_t>(usable);
  }
  for (ControlId waiting :
       {kCurrencyKindList, kTopUpButton, kNoticePanel, kSettingsPanel, kPlayerPanel, kChannelList,
        kMultiplierPages[kGoldPage].load_button.id, kQueryButton}) {
    EXPECT_FALSE(window.IsUsable(waiting)) << static_cast<uint32_t>(waiting);
  }
  EXPECT_EQ(window.TextOf(kTopUpButton), "未连接");
}

TEST(GmdeskServerSettings, AllThreeOpenAndEnableTheirPanels) {
  GmdeskProgram gmdesk;
  gmdesk.Start();
  gmdesk.Connect();
  EXPECT_EQ(ConnectTexts(gmdesk),
            (Texts{ConnectionText("127.0.0.1,1433", "KV7_Member", "sa", "pw"),
                   ConnectionText("127.0.0.1,1433", "KV7_SiteConfig", "sa", "pw"),
                   ConnectionText("127.0.0.1,1433", "KV7_User", "sa", "pw")}));
  auto connects = gmdesk.database().connects();
  ASSERT_EQ(connects.size(), 3u);
  EXPECT_EQ(connects[0].connection, kMemberConnection);
  EXPECT_EQ(connects[1].connection, kNoticeConnection);
  EXPECT_EQ(connects[2].connection, kGameConnection);
  EXPECT_TRUE(gmdesk.NewBoxes().empty());
  EXPECT_TRUE(AnyStatementOn(gmdesk, kNoticeConnection)) << "the channel list loads";
  EXPECT_TRUE(AnyStatementOn(gmdesk, kGameConnection)) << "the announcement lists load";

  auto& window = gmdesk.window();
  EXPECT_TRUE(window.IsUsable(kCurrencyKindList));
  EXPECT_EQ(window.TextOf(kTopUpButton), "增加");
  EXPECT_FALSE(window.IsUsable(kTopUpButton)) << "it waits for a currency kind";
  EXPECT_TRUE(window.IsUsable(kNoticePanel));
  EXPECT_TRUE(window.IsUsable(kSettingsPanel));
  EXPECT_TRUE(window.IsUsable(kPlayerPanel));
  EXPECT_FALSE(window.IsUsable(kConnectItem)) << "connected: there is nothing left to connect";
  EXPECT_FALSE(window.ChooseMenuItem(kConnectItem));
}

// Which databases refuse, and what the operator is left with.
TEST(GmdeskServerSettings, FailedDatabasesAreReportedInTurnAndUnlockTheItem) {
  struct Case {
    std::vector<std::string> refused;
    Texts boxes;
    bool top_up;
    bool notices;
    bool game;
  };
  const Case cases[] = {
      {{"KV7_Member"}, {"连接失败：KV7_Member"}, false, true, true},
      {{"KV7_SiteConfig"}, {"连接失败：KV7_SiteConfig"}, true, false, true},
      {{"KV7_User"}, {"连接失败：KV7_User"}, true, true, false},
      {{"KV7_Member", "KV7_SiteConfig", "KV7_User"},
       {"连接失败：KV7_Member", "连接失败：KV7_SiteConfig", "连接失败：KV7_User"},
       false,
       false,
       false},
  };
  for (const Case& c : cases) {
    GmdeskProgram gmdesk;
    for (const std::string& database : c.refused)
      gmdesk.database().RefuseConnect(frame::ConnectsToDatabase(database));
    gmdesk.Start();
    for (size_t i = 0; i < c.boxes.size(); ++i)
      gmdesk.window().AnswerNextMessageBox(MessageBoxButton::kOk);
    gmdesk.Connect();
    EXPECT_EQ(gmdesk.NewBoxes(), c.boxes);
    for (const auto& box : gmdesk.window().MessageBoxes()) {
      EXPECT_EQ(box.caption, "信息：");
      EXPECT_EQ(box.flags, frame::kMessageBoxOk | frame::kMessageBoxTaskModal);
    }
    auto& window = gmdesk.window();
    EXPECT_EQ(window.IsUsable(kCurrencyKindList), c.top_up) << c.boxes[0];
    EXPECT_EQ(window.TextOf(kTopUpButton), c.top_up ? "增加" : "未连接");
    EXPECT_EQ(window.IsUsable(kNoticePanel), c.notices) << c.boxes[0];
    EXPECT_EQ(AnyStatementOn(gmdesk, kNoticeConnection), c.notices) << c.boxes[0];
    EXPECT_EQ(AnyStatementOn(gmdesk, kGameConnection), c.game) << c.boxes[0];
    EXPECT_EQ(window.IsUsable(kSettingsPanel), c.game) << c.boxes[0];
    EXPECT_EQ(window.IsUsable(kPlayerPanel), c.game) << c.boxes[0];
    EXPECT_TRUE(window.IsUsable(kConnectItem)) << "a failed database may be tried again";
    EXPECT_EQ(gmdesk.database().connects().size(), 3u) << "a failure stops no other attempt";
  }
}

// Without its thread no database was tried: each is reported as not open,
// the item comes back, and nothing is connected or written.
TEST(GmdeskServerSettings, AConnectWhoseThreadCannotStartReportsEachDatabase) {
  GmdeskProgram gmdesk;
  gmdesk.Start();
  gmdesk.program().FailThreadStarts(true);
  for (int i = 0; i < 3; ++i)
    gmdesk.window().AnswerNextMessageBox(MessageBoxButton::kOk);
  gmdesk.Connect();
  EXPECT_EQ(gmdesk.NewBoxes(),
            (Texts{"连接失败：KV7_Member", "连接失败：KV7_SiteConfig", "连接失败：KV7_User"}));
  EXPECT_TRUE(gmdesk.window().IsUsable(kConnectItem));
  EXPECT_TRUE(gmdesk.database().connects().empty());
  EXPECT_FALSE(gmdesk.window().IsUsable(kPlayerPanel));
  EXPECT_EQ(ReadFile(gmdesk.program().directory() / "Config.ini"), gmdesk_testing::kConfigIni);

  gmdesk.program().FailThreadStarts(false);
  gmdesk.Connect();
  EXPECT_TRUE(gmdesk.NewBoxes().empty());
  EXPECT_EQ(gmdesk.database().connects().size(), 3u);
  EXPECT_FALSE(gmdesk.window().IsUsable(kConnectItem));
}

TEST(GmdeskServerSettings, ConnectingWritesTheSixBoxesBack) {
  std::string saved;
  {
    GmdeskProgram gmdesk;
    gmdesk.Start();
    gmdesk.Type(kPasswordBox, "新密码");
    gmdesk.Type(kGameDatabaseBox, "");
    gmdesk.Connect();
    saved = ReadFile(gmdesk.program().directory() / "Config.ini");
  }
  EXPECT_EQ(saved,
            "[Server]\r\nIP=127.0.0.1,1433\r\nID=sa\r\nPW=新密码\r\nDB1=KV7_Member\r\n"
            "DB2=KV7_SiteConfig\r\nDB3=\r\n");

  // The server with its port comes back unchanged on the next start.
  GmdeskProgram next(saved);
  next.Start();
  EXPECT_EQ(next.window().TextOf(kServerBox), "127.0.0.1,1433");
  EXPECT_EQ(next.window().TextOf(kPasswordBox), "新密码");
}

TEST(GmdeskServerSettings, FirstStartWithoutConfigTriesEmptySettingsAndCreatesTheFile) {
  GmdeskProgram gmdesk(std::nullopt);
  gmdesk.database().RefuseConnect(frame::ConnectsToDatabase(""));
  gmdesk.Start();
  for (int i = 0; i < 3; ++i)
    gmdesk.window().AnswerNextMessageBox(MessageBoxButton::kOk);
  gmdesk.Connect();
  EXPECT_EQ(ConnectTexts(gmdesk), Texts(3, ConnectionText("", "", "", "")));
  EXPECT_EQ(gmdesk.NewBoxes(), Texts(3, "连接失败："));
  EXPECT_TRUE(gmdesk.window().IsUsable(kConnectItem));

  const auto path = gmdesk.program().directory() / "Config.ini";
  EXPECT_EQ(ReadFile(path), "[Server]\r\nIP=\r\nID=\r\nPW=\r\nDB1=\r\nDB2=\r\nDB3=\r\n");
  // On Windows the folder's access lists decide who reads it.
  if (testing_support::FileModesSayWhoMayRead()) {
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write)
        << "it holds the password";
  }
}

TEST(GmdeskServerSettings, AFileNamedInOtherLetterCaseIsTheOneReadAndWritten) {
  GmdeskProgram gmdesk(std::nullopt);
  const auto directory = gmdesk.program().directory();
  std::ofstream(directory / "config.ini", std::ios::binary)
      << "; kept\r\n[Server]\r\nIP=10.0.0.9,1433\r\nID=gm\r\n[Other]\r\nKey=1\r\n";
  gmdesk.Start();
  EXPECT_EQ(gmdesk.window().TextOf(kServerBox), "10.0.0.9,1433");
  EXPECT_EQ(gmdesk.window().TextOf(kUserBox), "gm");
  gmdesk.Type(kUserBox, "admin");
  gmdesk.Connect();
  EXPECT_EQ(FilesIn(directory), Texts{"config.ini"});
  EXPECT_EQ(ReadFile(directory / "config.ini"),
            "; kept\r\n[Server]\r\nIP=10.0.0.9,1433\r\nID=admin\r\nPW=\r\nDB1=\r\nDB2=\r\nDB3=\r\n"
            "[Other]\r\nKey=1\r\n");
}

// The operator corrects a box while the first failure box is open: the
// attempts that follow and the saved settings use the new text.
TEST(GmdeskServerSettings, ABoxChangedDuringAFailureBoxCountsFromThenOn) {
  GmdeskProgram gmdesk;
  gmdesk.database().RefuseConnect(frame::ConnectsToDatabase("KV7_Member"));
  gmdesk.database().RefuseConnect(frame::Contains("PWD=pw;"));
  gmdesk.Start();
  ASSERT_TRUE(gmdesk.window().ChooseMenuItem(kConnectItem));
  auto box = gmdesk.window().WaitForOpenMessageBox(std::chrono::seconds(10));
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, "连接失败：KV7_Member");
  EXPECT_FALSE(gmdesk.window().IsUsable(kConnectItem)) << "no second run while one goes on";
  EXPECT_FALSE(gmdesk.window().ChooseMenuItem(kConnectItem));
  gmdesk.Type(kPasswordBox, "right");
  gmdesk.Type(kMemberDatabaseBox, "Accounts");
  ASSERT_TRUE(gmdesk.window().AnswerOpenMessageBox(MessageBoxButton::kOk));
  gmdesk.Settle();

  EXPECT_EQ(ConnectTexts(gmdesk),
            (Texts{ConnectionText("127.0.0.1,1433", "KV7_Member", "sa", "pw"),
                   ConnectionText("127.0.0.1,1433", "KV7_SiteConfig", "sa", "right"),
                   ConnectionText("127.0.0.1,1433", "KV7_User", "sa", "right")}));
  EXPECT_EQ(gmdesk.NewBoxes(), Texts{"连接失败：KV7_Member"});
  EXPECT_EQ(ReadFile(gmdesk.program().directory() / "Config.ini"),
            "[Server]\r\nIP=127.0.0.1,1433\r\nID=sa\r\nPW=right\r\nDB1=Accounts\r\n"
            "DB2=KV7_SiteConfig\r\nDB3=KV7_User\r\n");
  EXPECT_TRUE(gmdesk.window().IsUsable(kConnectItem));
}

// A second run after a failure reopens every connection.
TEST(GmdeskServerSettings, ConnectingAgainAfterAFailureRetriesAllThree) {
  GmdeskProgram gmdesk;
  gmdesk.database().RefuseConnect(frame::ConnectsToDatabase("wrong"));
  gmdesk.Start();
  gmdesk.Type(kGameDatabaseBox, "wrong");
  gmdesk.window().AnswerNextMessageBox(MessageBoxButton::kOk);
  gmdesk.Connect();
  EXPECT_EQ(gmdesk.NewBoxes(), Texts{"连接失败：wrong"});
  EXPECT_FALSE(gmdesk.window().IsUsable(kSettingsPanel));

  gmdesk.Type(kGameDatabaseBox, "KV7_User");
  gmdesk.Connect();
  EXPECT_TRUE(gmdesk.NewBoxes().empty());
  EXPECT_EQ(gmdesk.database().connects().size(), 6u);
  EXPECT_TRUE(gmdesk.window().IsUsable(kSettingsPanel));
  EXPECT_TRUE(gmdesk.window().IsUsable(kPlayerPanel));
  EXPECT_FALSE(gmdesk.window().IsUsable(kConnectItem));
}

TEST(GmdeskExit, YesEndsTheProgramWithCodeZeroAndNoChangesNothing) {
  GmdeskProgram gmdesk;
  gmdesk.Start();
  gmdesk.window().AnswerNextMessageBox(MessageBoxButton::kNo);
  ASSERT_TRUE(gmdesk.window().ChooseMenuItem(kExitItem));
  auto boxes = gmdesk.window().MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "是否退出霜月奇谭工具v4.0版本？");
  EXPECT_EQ(boxes[0].caption, "信息：");
  EXPECT_EQ(boxes[0].flags, frame::kMessageBoxYesNo | frame::kMessageBoxTaskModal);
  EXPECT_FALSE(gmdesk.program().runtime().exit_code().has_value());
  EXPECT_TRUE(gmdesk.window().IsWindowOpen());

  gmdesk.window().AnswerNextMessageBox(MessageBoxButton::kYes);
  gmdesk.window().ChooseMenuItem(kExitItem);
  EXPECT_EQ(gmdesk.program().runtime().exit_code(), std::optional<int>(0));
}

}  // namespace
