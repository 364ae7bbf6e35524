// The multiplier pages end to end: TB_Event in the game database, reached
// through the real ODBC path.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "frame/db/db_services.h"
#include "frame/db/odbc/odbc_backend.h"
#include "frame/services/services.h"
#include "gmdesk/multiplier_pages.h"
#include "tests/gmdesk/gmdesk_program.h"
#include "tests/support/game_databases.h"

namespace {

using namespace gmdesk;
using gmdesk_testing::GmdeskProgram;
using Texts = std::vector<std::string>;

constexpr const char* kSuccess = "数据提交成功,本操作无须重启服务器,等待5-10分钟即可生效";

// The pages as gmdesk defines them.
using Page = MultiplierPage;

// Two events of each multiplier kind and one timed announcement.
void SeedEvents() {
  game_databases::Execute("KV7_User", "DROP TABLE IF EXISTS TB_Event");
  game_databases::Execute("KV7_User",
                          "CREATE TABLE TB_Event (EventNo int PRIMARY KEY, EventType varchar(10), "
                          "Memo varchar(200), StartDate timestamp, EndDate timestamp, Period int, "
                          "intData01 int, stringData01 varchar(200))");
  game_databases::Execute(
      "KV7_User",
      "INSERT INTO TB_Event (EventNo, EventType, StartDate, EndDate, intData01) VALUES "
      "(11, '2', '2015-01-01 10:30:00', '2015-12-31 23:59:59', 150), "
      "(12, '2', '2015-02-01 00:00:00', '2015-03-01 00:00:00', 200), "
      "(21, '1', '2015-04-01 00:00:00', '2015-05-01 00:00:00', 125), "
      "(22, '1', '2015-06-01 00:00:00', '2015-07-01 00:00:00', 100), "
      "(41, '4', '2014-12-31 08:00:00', '2015-01-31 08:00:00', 0), "
      "(42, '4', '2015-08-01 00:00:00', '2015-09-01 00:00:00', 300)");
  game_databases::Execute(
      "KV7_User",
      "INSERT INTO TB_Event (EventNo, EventType, Memo, StartDate, EndDate, Period, "
      "stringData01) VALUES (100, '100', N'公告', '2015-01-01', '2016-01-01', 60, "
      "N'公告')");
}

std::string Row(int event_number) {
  return game_databases::Query("KV7_User",
                               "SELECT EventType, StartDate, EndDate, intData01 FROM TB_Event "
                               "WHERE EventNo = " +
                                   std::to_string(event_number));
}

// One value of an event, straight from the table.
std::string Query(const std::string& select, const std::string& event_number) {
  return game_databases::Query("KV7_User",
                               select + " FROM TB_Event WHERE EventNo = " + event_number);
}

Texts Sorted(Texts texts) {
  std::sort(texts.begin(), texts.end());
  return texts;
}

class MultiplierPagesOnPostgres : public ::testing::Test {
 protected:
  void SetUp() override {
    SeedEvents();
    gmdesk_.Start();
    // What connecting leaves once the game database has opened.
    ASSERT_TRUE(frame::ConnectSqlServer(kMainWindow, kGameConnection, game_databases::ServerText(),
                                        "KV7_User", "sa", "pw"));
    frame::SetControlProperty(kMainWindow, kSettingsPanel, frame::Property::kDisabled, false);
  }

  frame::HeadlessWindowSystem& window() { return gmdesk_.window(); }
  std::string Text(ControlId control) { return window().TextOf(control); }

  void Load(const Page& page) {
    ASSERT_TRUE(window().SelectTabPage(kMultiplierTabs, page.tab_page));
    ASSERT_TRUE(window().Click(page.load_button.id)) << page.tab_caption;
    gmdesk_.Settle();
  }

  GmdeskProgram gmdesk_{game_databases::Components(), game_databases::ConfigIni()};
};

TEST_F(MultiplierPagesOnPostgres, EachPageShowsAndChangesItsOwnEvents) {
  struct Case {
    const Page& page;
    Texts events;
    // The event picked second, as shown, and its row after the submit.
    int picked;
    const char* start;
    const char* end;
    const char* current;
    const char* row_after;
  };
  const Case cases[] = {
      {kMultiplierPages[kGoldPage],
       {"11", "12"},
       12,
       "2015-02-01",
       "2015-03-01",
       "2",
       "2|2020-01-01 00:00:00|2020-12-31 00:00:00|300"},
      {kMultiplierPages[kExpPage],
       {"21", "22"},
       21,
       "2015-04-01",
       "2015-05-01",
       "1.25",
       "1|2020-01-01 00:00:00|2020-12-31 00:00:00|300"},
      {kMultiplierPages[kDropPage],
       {"41", "42"},
       41,
       "2014-12-31",
       "2015-01-31",
       "0",
       "4|2020-01-01 00:00:00|2020-12-31 00:00:00|300"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page.tab_caption);
    Load(c.page);
    Texts listed = window().ComboItems(c.page.event_list.id);
    EXPECT_EQ(Sorted(listed), c.events);
    EXPECT_TRUE(window().IsUsable(c.page.submit_button.id));

    auto at = std::find(listed.begin(), listed.end(), std::to_string(c.picked));
    ASSERT_NE(at, listed.end());
    ASSERT_TRUE(
        window().PickComboItem(c.page.event_list.id, static_cast<int32_t>(at - listed.begin())));
    EXPECT_EQ(Text(c.page.start_box.id), c.start);
    EXPECT_EQ(Text(c.page.end_box.id), c.end);
    EXPECT_EQ(Text(c.page.current_box.id), c.current);

    std::string untouched = Row(100);
    ASSERT_TRUE(window().TypeText(c.page.new_box.id, "3"));
    ASSERT_TRUE(window().TypeText(c.page.start_box.id, "2020-01-01"));
    ASSERT_TRUE(window().TypeText(c.page.end_box.id, "2020-12-31"));
    ASSERT_TRUE(window().Click(c.page.submit_button.id));
    gmdesk_.Settle();

    EXPECT_EQ(gmdesk_.NewBoxes(), Texts{kSuccess});
    EXPECT_EQ(Row(c.picked), c.row_after);
    EXPECT_EQ(Row(100), untouched);
    // The page reloaded: each event once, the first listed shown.
    Texts reloaded = window().ComboItems(c.page.event_list.id);
    EXPECT_EQ(Sorted(reloaded), c.events);
    EXPECT_EQ(window().SelectedIndex(c.page.event_list.id), 0);
    EXPECT_EQ(Text(c.page.event_list.id), reloaded.front());
    EXPECT_EQ(Text(c.page.start_box.id),
              Query("SELECT to_char(StartDate, 'YYYY-MM-DD')", reloaded.front()));
    EXPECT_EQ(Text(c.page.end_box.id),
              Query("SELECT to_char(EndDate, 'YYYY-MM-DD')", reloaded.front()));
    EXPECT_EQ(
        Text(c.page.current_box.id),
        Query("SELECT trim(trailing '.' from trim(trailing '0' from (intData01 / 100.0)::text))",
              reloaded.front()));
  }
}

TEST_F(MultiplierPagesOnPostgres, AnEventDeletedMeanwhileIsNotReportedAsChanged) {
  const Page& gold = kMultiplierPages[kGoldPage];
  Load(gold);
  std::string shown = Text(gold.event_list.id);
  ASSERT_FALSE(shown.empty());
  game_databases::Execute("KV7_User", "DELETE FROM TB_Event WHERE EventNo = " + shown);

  ASSERT_TRUE(window().TypeText(gold.new_box.id, "5"));
  ASSERT_TRUE(window().Click(gold.submit_button.id));
  gmdesk_.Settle();

  EXPECT_EQ(gmdesk_.NewBoxes(), Texts{"提交数据失败"});
  EXPECT_EQ(Sorted(window().ComboItems(gold.event_list.id)), (Texts{"11", "12"}));
  EXPECT_EQ(
      game_databases::Query("KV7_User", "SELECT count(*) FROM TB_Event WHERE intData01 = 500"),
      "0");
}

// A trigger on TB_Event whose own statement reports a count of 0 (FreeTDS
// gives that count for the UPDATE): the change is reported and the page
// reloads; an event that is gone is still a failure.
TEST_F(MultiplierPagesOnPostgres, ATriggersCountOfZeroDoesNotHideTheChange) {
  game_databases::TriggerCountOnFreeTds trigger(0);
  const Page& gold = kMultiplierPages[kGoldPage];
  Load(gold);
  std::string shown = Text(gold.event_list.id);
  ASSERT_TRUE(window().TypeText(gold.new_box.id, "4"));
  ASSERT_TRUE(window().Click(gold.submit_button.id));
  gmdesk_.Settle();
  EXPECT_EQ(gmdesk_.NewBoxes(), Texts{kSuccess});
  EXPECT_EQ(Query("SELECT intData01", shown), "400");
  EXPECT_EQ(Sorted(window().ComboItems(gold.event_list.id)), (Texts{"11", "12"}));

  shown = Text(gold.event_list.id);
  game_databases::Execute("KV7_User", "DELETE FROM TB_Event WHERE EventNo = " + shown);
  ASSERT_TRUE(window().Click(gold.submit_button.id));
  gmdesk_.Settle();
  EXPECT_EQ(gmdesk_.NewBoxes(), Texts{"提交数据失败"});
}

}  // namespace
