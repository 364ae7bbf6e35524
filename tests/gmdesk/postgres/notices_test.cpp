// The notice pages end to end: TB_Channel_Notice in the site-configuration
// database and the announcements in TB_Event of the game database, reached
// through the real ODBC path.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "frame/db/odbc/odbc_backend.h"
#include "tests/gmdesk/notice_pages_fixture.h"
#include "tests/support/game_databases.h"

namespace {

using namespace gmdesk;
using namespace notice_testing;
using Texts = std::vector<std::string>;

const std::string kChannelSaved = std::string("\r\n本次数据提交成功,重启服务器生效") + kNow;
const std::string kSaved = std::string("\r\n本次数据提交成功,即时生效") + kNow;
constexpr const char* kFailed = "\r\n本次数据提交失败";

void SeedChannels() {
  game_databases::Execute("KV7_SiteConfig", "DROP TABLE IF EXISTS TB_Channel_Notice");
  game_databases::Execute("KV7_SiteConfig",
                          "CREATE TABLE TB_Channel_Notice (Channel int, Realm int, "
                          "Notice_InGame varchar(400), Notice_Chnlist varchar(200))");
  game_databases::Execute("KV7_SiteConfig",
                          "INSERT INTO TB_Channel_Notice VALUES (1, 1, '一线公告', '一线'), "
                          "(2, 1, '二线公告', '二线'), (2, 2, '二区二线', '二区'), "
                          "(3, 2, '二区三线', NULL)");
}

void SeedEvents() {
  game_databases::Execute("KV7_User", "DROP TABLE IF EXISTS TB_Event");
  game_databases::Execute("KV7_User",
                          "CREATE TABLE TB_Event (EventNo int PRIMARY KEY, EventType varchar(10), "
                          "Memo varchar(100), StartDate timestamp, EndDate timestamp, Period int, "
                          "intData01 int, stringData01 varchar(400))");
  game_databases::Execute(
      "KV7_User",
      "INSERT INTO TB_Event VALUES "
      "(1, '2', '金币', '2015-01-01', '2016-01-01', 0, 200, NULL), "
      "(21, '100', '定时公告21', '2015-10-01 00:00:00', '2016-10-01 12:30:00', 3600, NULL, "
      "'每小时一次的公告'), "
      "(22, '100', '定时公告22', '2015-11-11 08:00:00', '2015-12-31 00:00:00', 600, NULL, "
      "'维护通知')");
}

Texts Sorted(Texts texts) {
  std::sort(texts.begin(), texts.end());
  return texts;
}

// Seeded tables, then gmdesk connected to the three databases with both
// loaders run.
class NoticesOnPostgres : public ::testing::Test {
 protected:
  void SetUp() override {
    SeedChannels();
    SeedEvents();
    gmdesk.Start();
    gmdesk.Connect();
    ASSERT_TRUE(gmdesk.NewBoxes().empty()) << "every connection opened";
  }
  std::string Text(ControlId control) { return gmdesk.window().TextOf(control); }
  Texts Items(ControlId list) { return gmdesk.window().ComboItems(list); }

  FixedLogClock clock;
  GmdeskProgram gmdesk{game_databases::Components(), game_databases::ConfigIni()};
};

TEST_F(NoticesOnPostgres, ConnectingListsRealmOneAndTheAnnouncements) {
  EXPECT_EQ(Sorted(Items(kChannelList)), (Texts{"1", "2"}));
  std::string first = Items(kChannelList).at(0);
  EXPECT_EQ(Text(kChannelNoticeText), first == "1" ? "一线公告" : "二线公告");

  EXPECT_EQ(Sorted(Items(kEditNoticeList)), (Texts{"21", "22"}));
  EXPECT_EQ(Items(kDeleteNoticeList), Items(kEditNoticeList));
  bool first_is_21 = Items(kEditNoticeList).at(0) == "21";
  EXPECT_EQ(Text(kEditNoticeText), first_is_21 ? "每小时一次的公告" : "维护通知");
  EXPECT_EQ(Text(kDeleteNoticeText), Text(kEditNoticeText));
  EXPECT_EQ(Text(kEditNoticeStartBox), first_is_21 ? "2015-10-01" : "2015-11-11");
  EXPECT_EQ(Text(kEditNoticeEndBox), first_is_21 ? "2016-10-01" : "2015-12-31");
  EXPECT_EQ(Text(kEditNoticePeriodBox), first_is_21 ? "3600" : "600");
}

TEST_F(NoticesOnPostgres, ChannelNoticesAreStoredAsTypedAndReadBackUnchanged) {
  int channel_one = Items(kChannelList).at(0) == "1" ? 0 : 1;
  ASSERT_TRUE(gmdesk.window().PickComboItem(kChannelList, channel_one));
  const std::string in_game = "欢迎O'Neil来到霜月奇谭！今晚八点维护 (约2小时)";
  const std::string channel_list = "一线·推荐";
  gmdesk.Type(kChannelNoticeText, in_game);
  gmdesk.Type(kChannelListNoticeBox, channel_list);
  ASSERT_TRUE(gmdesk.window().Click(kChannelUpdateButton));
  EXPECT_EQ(Text(kChannelLog), kChannelSaved);
  EXPECT_EQ(
      game_databases::Query("KV7_SiteConfig",
                            "SELECT Notice_InGame || '|' || Notice_Chnlist FROM TB_Channel_Notice "
                            "WHERE Channel = 1"),
      in_game + "|" + channel_list);

  ASSERT_TRUE(gmdesk.window().PickComboItem(kChannelList, 1 - channel_one));
  ASSERT_TRUE(gmdesk.window().PickComboItem(kChannelList, channel_one));
  EXPECT_EQ(Text(kChannelNoticeText), in_game);
  EXPECT_EQ(Text(kChannelListNoticeBox), channel_list);
}

TEST_F(NoticesOnPostgres, AChannelUpdateChangesItsRowInEveryRealm) {
  int channel_two = Items(kChannelList).at(0) == "2" ? 0 : 1;
  ASSERT_TRUE(gmdesk.window().PickComboItem(kChannelList, channel_two));
  gmdesk.Type(kChannelNoticeText, "全区二线");
  ASSERT_TRUE(gmdesk.window().Click(kChannelUpdateButton));
  EXPECT_EQ(Text(kChannelLog), kChannelSaved);
  EXPECT_EQ(game_databases::Query("KV7_SiteConfig",
                                  "SELECT Realm || ':' || Notice_InGame FROM TB_Channel_Notice "
                                  "WHERE Channel = 2 ORDER BY Realm"),
            "1:全区二线\n2:全区二线");
}

TEST_F(NoticesOnPostgres, AChannelUpdateThatFindsNoRowIsLoggedAsAFailure) {
  game_databases::Execute("KV7_SiteConfig", "DELETE FROM TB_Channel_Notice");
  ASSERT_TRUE(gmdesk.window().Click(kChannelUpdateButton));
  EXPECT_EQ(Text(kChannelLog), kFailed);
  EXPECT_TRUE(gmdesk.window().IsUsable(kChannelUpdateButton));
}

TEST_F(NoticesOnPostgres, UpdatingAnAnnouncementStoresTheTextWithoutGrowingIt) {
  int index_21 = Items(kEditNoticeList).at(0) == "21" ? 0 : 1;
  ASSERT_TRUE(gmdesk.window().PickComboItem(kEditNoticeList, index_21));
  const std::string text = "每日维护公告：O'Neil 请勿下线";
  gmdesk.Type(kEditNoticeText, text);
  gmdesk.Type(kEditNoticePeriodBox, "900");
  gmdesk.Type(kEditNoticeStartBox, "2020-01-01");
  ASSERT_TRUE(gmdesk.window().Click(kEditNoticeButton));
  ASSERT_TRUE(gmdesk.window().Click(kEditNoticeButton));
  EXPECT_EQ(Text(kEditNoticeLog), kSaved + kSaved);
  EXPECT_EQ(game_databases::Query("KV7_User",
                                  "SELECT stringData01 || '|' || Period || '|' || StartDate::date "
                                  "FROM TB_Event WHERE EventNo = 21"),
            text + "|900|2015-10-01")
      << "the text as typed, twice saved; the dates shown are not stored";

  game_databases::Execute("KV7_User", "DELETE FROM TB_Event WHERE EventNo = 21");
  ASSERT_TRUE(gmdesk.window().Click(kEditNoticeButton));
  EXPECT_EQ(Text(kEditNoticeLog), kSaved + kSaved + kFailed) << "its row is gone";
}

TEST_F(NoticesOnPostgres, AddingStoresTheAnnouncementAndReloadsTheLists) {
  gmdesk.Type(kAddNoticeNumberBox, "25");
  gmdesk.Type(kAddNoticeStartBox, "2015-10-01");
  gmdesk.Type(kAddNoticeEndBox, "2015-12-31");
  gmdesk.Type(kAddNoticePeriodBox, "300");
  gmdesk.Type(kAddNoticeText, "新年快乐！O'Neil 祝各位玩家");
  ASSERT_TRUE(gmdesk.window().Click(kAddNoticeButton));
  gmdesk.Settle();
  EXPECT_EQ(Text(kAddNoticeLog), kSaved);
  EXPECT_EQ(game_databases::Query("KV7_User",
                                  "SELECT EventType || '|' || Memo || '|' || StartDate || '|' || "
                                  "EndDate || '|' || Period || '|' || stringData01 "
                                  "FROM TB_Event WHERE EventNo = 25"),
            "100|定时公告25|2015-10-01 00:00:00|2015-12-31 00:00:00|300|"
            "新年快乐！O'Neil 祝各位玩家");
  EXPECT_EQ(Sorted(Items(kEditNoticeList)), (Texts{"21", "22", "25"}));
  EXPECT_EQ(Items(kDeleteNoticeList), Items(kEditNoticeList));

  // The number is taken now: the server refuses it, and the lists stay.
  ASSERT_TRUE(gmdesk.window().Click(kAddNoticeButton));
  gmdesk.Settle();
  EXPECT_EQ(Text(kAddNoticeLog), kSaved + kFailed);
  EXPECT_EQ(Sorted(Items(kEditNoticeList)), (Texts{"21", "22", "25"}));
}

TEST_F(NoticesOnPostgres, DeletingOneRemovesOnlyThatRow) {
  int index_22 = Items(kDeleteNoticeList).at(0) == "22" ? 0 : 1;
  ASSERT_TRUE(gmdesk.window().PickComboItem(kDeleteNoticeList, index_22));
  EXPECT_EQ(Text(kDeleteNoticeText), "维护通知");
  ASSERT_TRUE(gmdesk.window().Click(kDeleteNoticeButton));
  gmdesk.Settle();
  EXPECT_EQ(Text(kDeleteNoticeLog), kSaved);
  EXPECT_EQ(game_databases::Query("KV7_User", "SELECT EventNo FROM TB_Event ORDER BY EventNo"),
            "1\n21");
  EXPECT_EQ(Items(kEditNoticeList), Texts{"21"});
  EXPECT_EQ(Items(kDeleteNoticeList), Texts{"21"});
  EXPECT_EQ(Text(kDeleteNoticeText), "每小时一次的公告");

  // Gone already when the operator deletes it: gone is what was asked for,
  // and the reload shows the list as it stands.
  game_databases::Execute("KV7_User", "DELETE FROM TB_Event WHERE EventNo = 21");
  ASSERT_TRUE(gmdesk.window().Click(kDeleteNoticeButton));
  gmdesk.Settle();
  EXPECT_EQ(Text(kDeleteNoticeLog), kSaved + kSaved);
  EXPECT_TRUE(Items(kDeleteNoticeList).empty());
  EXPECT_TRUE(Items(kEditNoticeList).empty());
}

TEST_F(NoticesOnPostgres, DeletingAllKeepsTheOtherEvents) {
  gmdesk.window().AnswerNextMessageBox(frame::MessageBoxButton::kNo);
  ASSERT_TRUE(gmdesk.window().Click(kDeleteAllNoticesButton));
  EXPECT_EQ(game_databases::Query("KV7_User", "SELECT count(*) FROM TB_Event"), "3");

  gmdesk.window().AnswerNextMessageBox(frame::MessageBoxButton::kYes);
  ASSERT_TRUE(gmdesk.window().Click(kDeleteAllNoticesButton));
  gmdesk.Settle();
  EXPECT_EQ(Text(kDeleteNoticeLog), kSaved);
  EXPECT_EQ(game_databases::Query("KV7_User", "SELECT EventNo FROM TB_Event"), "1");
  EXPECT_TRUE(Items(kEditNoticeList).empty());
  EXPECT_TRUE(Items(kDeleteNoticeList).empty());

  // Nothing left to delete is no failure for the delete-all.
  gmdesk.window().AnswerNextMessageBox(frame::MessageBoxButton::kYes);
  ASSERT_TRUE(gmdesk.window().Click(kDeleteAllNoticesButton));
  EXPECT_EQ(Text(kDeleteNoticeLog), kSaved + kSaved);
}

// Triggers whose own statements report a count of 0 (FreeTDS gives that count
// for the UPDATE): a written notice logs the success line; a channel with no
// row still logs the failure.
TEST_F(NoticesOnPostgres, ATriggersCountOfZeroDoesNotHideAWrite) {
  game_databases::TriggerCountOnFreeTds trigger(0);
  gmdesk.Type(kChannelNoticeText, "新线路公告");
  ASSERT_TRUE(gmdesk.window().Click(kChannelUpdateButton));
  EXPECT_EQ(Text(kChannelLog), kChannelSaved);
  EXPECT_EQ(game_databases::Query("KV7_SiteConfig",
                                  "SELECT count(*) FROM TB_Channel_Notice WHERE Notice_InGame = "
                                  "'新线路公告'"),
            "1");

  gmdesk.Type(kEditNoticeText, "新公告");
  ASSERT_TRUE(gmdesk.window().Click(kEditNoticeButton));
  EXPECT_EQ(Text(kEditNoticeLog), kSaved);
  EXPECT_EQ(game_databases::Query("KV7_User",
                                  "SELECT count(*) FROM TB_Event WHERE stringData01 = '新公告'"),
            "1");

  game_databases::Execute("KV7_SiteConfig", "DELETE FROM TB_Channel_Notice");
  ASSERT_TRUE(gmdesk.window().Click(kChannelUpdateButton));
  EXPECT_EQ(Text(kChannelLog), kChannelSaved + kFailed);
}

}  // namespace
