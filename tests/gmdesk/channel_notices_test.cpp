// The channel-notice page: the channel list, the two notices of the chosen
// channel, and writing them back.
#include <gtest/gtest.h>

#include "gmdesk/channel_notices.h"
#include "tests/gmdesk/notice_pages_fixture.h"
#include "tests/support/row_look_up.h"

namespace {

using namespace gmdesk;
using namespace notice_testing;
using frame::FieldKind;
using testing_support::LookUp;
using testing_support::ScriptLookUp;
using Texts = std::vector<std::string>;

constexpr const char* kChannelQuery = "SELECT Channel  FROM TB_Channel_Notice Where Realm ='1'";
constexpr const char* kSaved = "\r\n本次数据提交成功,重启服务器生效";
constexpr const char* kFailed = "\r\n本次数据提交失败";

std::string InGameQuery(const std::string& channel) {
  return "SELECT Notice_InGame FROM TB_Channel_Notice Where Channel ='" + channel + "'";
}
std::string ChannelListQuery(const std::string& channel) {
  return "SELECT Notice_Chnlist  FROM TB_Channel_Notice Where Channel ='" + channel + "'";
}

class ChannelNotices : public ::testing::Test {
 protected:
  // Channels 1 to 3 of realm 1, with notices for 1 and 2.
  void ScriptChannels() {
    frame::ScriptedDatabase& db = gmdesk.database();
    db.ReturnRows(kChannelQuery, Column("Channel", FieldKind::kInteger, {"1", "2", "3"}));
    db.ReturnRows(InGameQuery("1"), Column("Notice_InGame", FieldKind::kText, {"一线公告"}));
    db.ReturnRows(ChannelListQuery("1"), Column("Notice_Chnlist", FieldKind::kText, {"一线"}));
    db.ReturnRows(InGameQuery("2"), Column("Notice_InGame", FieldKind::kText, {"二线公告"}));
    db.ReturnRows(ChannelListQuery("2"), Column("Notice_Chnlist", FieldKind::kNull, {""}));
  }
  void Open() {
    gmdesk.Start();
    OpenNotices(gmdesk, kNoticeConnection, "KV7_SiteConfig", &LoadChannelNoticesThread);
  }
  std::string Log() { return gmdesk.window().TextOf(kChannelLog); }

  FixedLogClock clock;
  GmdeskProgram gmdesk;
};

TEST_F(ChannelNotices, TheLoaderListsRealmOneAndShowsTheFirstChannel) {
  ScriptChannels();
  gmdesk.Start();
  EXPECT_EQ(gmdesk.window().TextOf(kChannelNoticeText), "当前线路公告读取中...");
  EXPECT_EQ(gmdesk.window().TextOf(kChannelListNoticeBox), "NULL");

  OpenNotices(gmdesk, kNoticeConnection, "KV7_SiteConfig", &LoadChannelNoticesThread);
  EXPECT_EQ(gmdesk.NewStatements(),
            (Texts{kChannelQuery, InGameQuery("1"), ChannelListQuery("1")}));
  for (const auto& statement : gmdesk.database().statements()) {
    EXPECT_EQ(statement.connection, kNoticeConnection);
    EXPECT_TRUE(statement.query);
  }
  EXPECT_EQ(gmdesk.window().ComboItems(kChannelList), (Texts{"1", "2", "3"}));
  EXPECT_EQ(gmdesk.window().SelectedIndex(kChannelList), 0);
  EXPECT_EQ(gmdesk.window().TextOf(kChannelNoticeText), "一线公告");
  EXPECT_EQ(gmdesk.window().TextOf(kChannelListNoticeBox), "一线");
  EXPECT_EQ(Log(), "") << "the log starts empty";
}

TEST_F(ChannelNotices, WithoutChannelsTheReadsFindNothingAndEmptyTheBoxes) {
  Open();
  EXPECT_EQ(gmdesk.NewStatements(), (Texts{kChannelQuery, InGameQuery(""), ChannelListQuery("")}));
  EXPECT_TRUE(gmdesk.window().ComboItems(kChannelList).empty());
  EXPECT_EQ(gmdesk.window().SelectedIndex(kChannelList), -1);
  EXPECT_EQ(gmdesk.window().TextOf(kChannelNoticeText), "");
  EXPECT_EQ(gmdesk.window().TextOf(kChannelListNoticeBox), "");
}

TEST_F(ChannelNotices, ALaterLoadAppendsToTheList) {
  ScriptChannels();
  Open();
  ASSERT_TRUE(frame::StartThread(&LoadChannelNoticesThread));
  gmdesk.Settle();
  EXPECT_EQ(gmdesk.window().ComboItems(kChannelList), (Texts{"1", "2", "3", "1", "2", "3"}));
  EXPECT_EQ(gmdesk.window().SelectedIndex(kChannelList), 0);
}

TEST_F(ChannelNotices, PickingAChannelShowsItsNotices) {
  ScriptChannels();
  Open();
  gmdesk.NewStatements();

  ASSERT_TRUE(gmdesk.window().PickComboItem(kChannelList, 1));
  EXPECT_EQ(gmdesk.NewStatements(), (Texts{InGameQuery("2"), ChannelListQuery("2")}));
  EXPECT_EQ(gmdesk.window().TextOf(kChannelNoticeText), "二线公告");
  EXPECT_EQ(gmdesk.window().TextOf(kChannelListNoticeBox), "") << "NULL reads as empty";

  // No row for channel 3.
  ASSERT_TRUE(gmdesk.window().PickComboItem(kChannelList, 2));
  EXPECT_EQ(gmdesk.window().TextOf(kChannelNoticeText), "");
  EXPECT_EQ(gmdesk.window().TextOf(kChannelListNoticeBox), "");
}

TEST(ChannelNoticeUpdate, SendsBothTextsAsTyped) {
  FixedLogClock clock;
  struct Case {
    const char* in_game;
    const char* channel_list;
    const char* channel;  // as the server lists it
    const char* statement;
  };
  const Case cases[] = {
      {"欢迎来到霜月奇谭", "一线", "1",
       "update TB_Channel_Notice set Notice_InGame= N'欢迎来到霜月奇谭' , "
       "Notice_Chnlist=N'一线' where Channel ='1'"},
      {"O'Neil's 公告", "it's", "1",
       "update TB_Channel_Notice set Notice_InGame= N'O''Neil''s 公告' , "
       "Notice_Chnlist=N'it''s' where Channel ='1'"},
      {" 两端空白 ", "", "7'",
       "update TB_Channel_Notice set Notice_InGame= N' 两端空白 ' , "
       "Notice_Chnlist=N'' where Channel ='7'''"},
  };
  for (const Case& c : cases) {
    GmdeskProgram gmdesk;
    gmdesk.database().ReturnRows(kChannelQuery, Column("Channel", FieldKind::kText, {c.channel}));
    gmdesk.database().Script(frame::Contains("update"), {.changed_rows = 1});
    gmdesk.Start();
    OpenNotices(gmdesk, kNoticeConnection, "KV7_SiteConfig", &LoadChannelNoticesThread);
    gmdesk.NewStatements();
    gmdesk.Type(kChannelNoticeText, c.in_game);
    gmdesk.Type(kChannelListNoticeBox, c.channel_list);
    ASSERT_TRUE(gmdesk.window().Click(kChannelUpdateButton));
    EXPECT_EQ(gmdesk.NewStatements(), Texts{c.statement});
    EXPECT_EQ(gmdesk.database().statements().back().connection, kNoticeConnection);
    EXPECT_EQ(gmdesk.window().TextOf(kChannelLog), std::string(kSaved) + kNow) << c.statement;
    EXPECT_EQ(gmdesk.window().TextOf(kChannelNoticeText), c.in_game) << "nothing is read back";
  }
}

// A count of 0 may be a trigger's: the channel's row is looked up before the
// update is called a failure.
TEST(ChannelNoticeUpdate, ReportsEachOutcomeWithTheButtonHeldMeanwhile) {
  FixedLogClock clock;
  const std::string update =
      "update TB_Channel_Notice set Notice_InGame= N'' , Notice_Chnlist=N'' where Channel ='1'";
  const std::string look_up = "SELECT Channel FROM TB_Channel_Notice Where Channel ='1'";
  struct Case {
    bool fails;
    std::optional<int64_t> changed_rows;
    std::optional<LookUp> look_up;  // how it answers, when it is sent
    bool saved;
  };
  const Case cases[] = {
      {false, 1, std::nullopt, true},
      {false, 2, std::nullopt, true},             // the channel in two realms
      {false, std::nullopt, std::nullopt, true},  // no count reported
      {true, std::nullopt, std::nullopt, false},
      {false, 0, LookUp::kFindsRow, true},    // the count was a trigger's
      {false, 0, LookUp::kFindsNone, false},  // the chosen channel has no row
      {false, 0, LookUp::kFails, true},       // it ran; nothing says otherwise
  };
  for (const Case& c : cases) {
    GmdeskProgram gmdesk;
    gmdesk.database().ReturnRows(kChannelQuery, Column("Channel", FieldKind::kInteger, {"1"}));
    gmdesk.database().Script(frame::Contains("update"),
                             {.fails = c.fails, .changed_rows = c.changed_rows});
    if (c.look_up) ScriptLookUp(gmdesk.database(), look_up, *c.look_up);
    auto disabled_while_sent = WatchButton(gmdesk, "update", kChannelUpdateButton);
    gmdesk.Start();
    OpenNotices(gmdesk, kNoticeConnection, "KV7_SiteConfig", &LoadChannelNoticesThread);
    gmdesk.NewStatements();
    ASSERT_TRUE(gmdesk.window().Click(kChannelUpdateButton));
    EXPECT_EQ(gmdesk.NewStatements(), (c.look_up ? Texts{update, look_up} : Texts{update}));
    EXPECT_EQ(gmdesk.database().statements().back().connection, kNoticeConnection);
    EXPECT_EQ(gmdesk.window().TextOf(kChannelLog), c.saved ? std::string(kSaved) + kNow : kFailed);
    EXPECT_EQ(*disabled_while_sent, std::vector<bool>{true});
    EXPECT_EQ(DisabledWrites(gmdesk, kChannelUpdateButton), (std::vector<bool>{true, false}));
    EXPECT_TRUE(gmdesk.window().IsUsable(kChannelUpdateButton));
    EXPECT_TRUE(gmdesk.NewBoxes().empty());
  }
}

TEST_F(ChannelNotices, EachResultGoesOnItsOwnLineTheOlderFirst) {
  ScriptChannels();
  gmdesk.database().Script(frame::Contains("update"), {.changed_rows = 1});
  Open();
  ASSERT_TRUE(gmdesk.window().Click(kChannelUpdateButton));
  gmdesk::log_box_clock = [] { return frame::MakeDateTime(2015, 10, 1, 23, 59, 7); };
  ASSERT_TRUE(gmdesk.window().Click(kChannelUpdateButton));
  gmdesk::log_box_clock = [] { return frame::MakeDateTime(2016, 1, 2, 0, 0, 0); };
  gmdesk.database().FailStatement(frame::Contains("update"));
  ASSERT_TRUE(gmdesk.window().Click(kChannelUpdateButton));
  gmdesk.database().Script(frame::Contains("update"), {.changed_rows = 1});
  ASSERT_TRUE(gmdesk.window().Click(kChannelUpdateButton));
  EXPECT_EQ(Log(), std::string(kSaved) + kNow + kSaved + "2015年10月1日23时59分7秒" + kFailed +
                       kSaved + "2016年1月2日");
}

TEST_F(ChannelNotices, WithNoChannelChosenTheUpdateAimsAtTheEmptyChannel) {
  gmdesk.database().Script(frame::Contains("update"), {.changed_rows = 0});
  Open();
  gmdesk.NewStatements();
  ASSERT_TRUE(gmdesk.window().Click(kChannelUpdateButton));
  EXPECT_EQ(gmdesk.NewStatements(),
            (Texts{"update TB_Channel_Notice set Notice_InGame= N'' , Notice_Chnlist=N'' "
                   "where Channel =''",
                   "SELECT Channel FROM TB_Channel_Notice Where Channel =''"}));
  EXPECT_EQ(Log(), kFailed) << "no row has the empty channel";
}

TEST(NoticeLists, ConnectingLoadsBothPagesOnItsOwn) {
  GmdeskProgram gmdesk;
  frame::ScriptedDatabase& db = gmdesk.database();
  db.ReturnRows(kChannelQuery, Column("Channel", FieldKind::kInteger, {"1", "2"}));
  db.ReturnRows(InGameQuery("1"), Column("Notice_InGame", FieldKind::kText, {"一线公告"}));
  db.ReturnRows("SELECT EventNo  FROM TB_Event Where EventType ='100'",
                Column("EventNo", FieldKind::kInteger, {"21"}));
  db.ReturnRows("SELECT stringData01  FROM TB_Event Where EventNo ='21'",
                Column("stringData01", FieldKind::kText, {"a"}));
  gmdesk.Start();
  gmdesk.Connect();
  EXPECT_EQ(gmdesk.window().ComboItems(kChannelList), (Texts{"1", "2"}));
  EXPECT_EQ(gmdesk.window().TextOf(kChannelNoticeText), "一线公告");
  EXPECT_EQ(gmdesk.window().ComboItems(kEditNoticeList), Texts{"21"});
  EXPECT_EQ(gmdesk.window().ComboItems(kDeleteNoticeList), Texts{"21"});
  EXPECT_EQ(gmdesk.window().TextOf(kDeleteNoticeText), "a");
  EXPECT_TRUE(gmdesk.window().IsUsable(kChannelUpdateButton));
}

}  // namespace
