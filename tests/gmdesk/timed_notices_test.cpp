// The timed-announcement pages: the two number lists, the edit page, adding,
// deleting one and deleting all.
#include <gtest/gtest.h>

#include <algorithm>

#include "gmdesk/timed_notices.h"
#include "tests/gmdesk/notice_pages_fixture.h"
#include "tests/support/row_look_up.h"

namespace {

using namespace gmdesk;
using namespace notice_testing;
using frame::FieldKind;
using Texts = std::vector<std::string>;

constexpr const char* kNumberQuery = "SELECT EventNo  FROM TB_Event Where EventType ='100'";
constexpr const char* kSaved = "\r\n本次数据提交成功,即时生效";
constexpr const char* kFailed = "\r\n本次数据提交失败";
constexpr const char* kDesignText = "当前游戏公告读取中...默认读取第一项定时公告";

std::string TextQuery(const std::string& number) {
  return "SELECT stringData01  FROM TB_Event Where EventNo ='" + number + "'";
}
std::string StartQuery(const std::string& number) {
  return "SELECT StartDate FROM TB_Event Where EventNo ='" + number + "'";
}
std::string EndQuery(const std::string& number) {
  return "SELECT EndDate FROM TB_Event Where EventNo ='" + number + "'";
}
std::string PeriodQuery(const std::string& number) {
  return "SELECT Period FROM TB_Event Where EventNo ='" + number + "'";
}

// The four reads of one announcement, in the loader's order.
Texts LoadReads(const std::string& number) {
  return {TextQuery(number), StartQuery(number), EndQuery(number), PeriodQuery(number)};
}

void ScriptNotice(frame::ScriptedDatabase& db, const std::string& number, const std::string& text,
                  const std::string& start, const std::string& end, const std::string& period) {
  db.ReturnRows(Gbk(TextQuery(number)), Column("stringData01", FieldKind::kText, {text}));
  db.ReturnRows(Gbk(StartQuery(number)), Column("StartDate", FieldKind::kDateTime, {start}));
  db.ReturnRows(Gbk(EndQuery(number)), Column("EndDate", FieldKind::kDateTime, {end}));
  db.ReturnRows(Gbk(PeriodQuery(number)), Column("Period", FieldKind::kInteger, {period}));
}

// Announcements 21 and 22.
void ScriptNotices(frame::ScriptedDatabase& db) {
  db.ReturnRows(kNumberQuery, Column("EventNo", FieldKind::kInteger, {"21", "22"}));
  ScriptNotice(db, "21", "每小时一次的公告", "2015-10-01 00:00:00", "2016-10-01 12:30:00", "3600");
  ScriptNotice(db, "22", "维护通知", "2015-11-11 08:00:00", "2015-12-31 00:00:00", "600");
}

void OpenTimedNotices(GmdeskProgram& gmdesk) {
  gmdesk.Start();
  OpenNotices(gmdesk, kNoticeConnection, "KV7_SiteConfig", nullptr);
  OpenNotices(gmdesk, kGameConnection, "KV7_User", &LoadTimedNoticesThread);
}

// The state after a load of 21 and 22, with the statements so far consumed.
class TimedNotices : public ::testing::Test {
 protected:
  void SetUp() override {
    ScriptNotices(gmdesk.database());
    OpenTimedNotices(gmdesk);
    gmdesk.NewStatements();
  }
  std::string Text(ControlId control) { return gmdesk.window().TextOf(control); }
  Texts Items(ControlId list) { return gmdesk.window().ComboItems(list); }

  FixedLogClock clock;
  GmdeskProgram gmdesk;
};

TEST(TimedNoticeLoad, FillsBothListsAndShowsTheFirstOnBothPages) {
  GmdeskProgram gmdesk;
  ScriptNotices(gmdesk.database());
  OpenTimedNotices(gmdesk);

  Texts expected{kNumberQuery};
  for (const std::string& read : LoadReads("21"))
    expected.push_back(read);
  EXPECT_EQ(gmdesk.NewStatements(), expected);
  for (const auto& statement : gmdesk.database().statements()) {
    EXPECT_EQ(statement.connection, kGameConnection);
  }
  frame::HeadlessWindowSystem& window = gmdesk.window();
  EXPECT_EQ(window.ComboItems(kEditNoticeList), (Texts{"21", "22"}));
  EXPECT_EQ(window.ComboItems(kDeleteNoticeList), (Texts{"21", "22"}));
  EXPECT_EQ(window.SelectedIndex(kEditNoticeList), 0);
  EXPECT_EQ(window.SelectedIndex(kDeleteNoticeList), 0);
  EXPECT_EQ(window.TextOf(kEditNoticeText), "每小时一次的公告");
  EXPECT_EQ(window.TextOf(kDeleteNoticeText), "每小时一次的公告");
  EXPECT_EQ(window.TextOf(kEditNoticeStartBox), "2015-10-01");
  EXPECT_EQ(window.TextOf(kEditNoticeEndBox), "2016-10-01");
  EXPECT_EQ(window.TextOf(kEditNoticePeriodBox), "3600");
  for (ControlId log : {kEditNoticeLog, kAddNoticeLog, kDeleteNoticeLog})
    EXPECT_EQ(window.TextOf(log), "");
}

TEST(TimedNoticeLoad, WithoutAnnouncementsEveryBoxIsEmptied) {
  GmdeskProgram gmdesk;
  OpenTimedNotices(gmdesk);
  Texts expected{kNumberQuery};
  for (const std::string& read : LoadReads(""))
    expected.push_back(read);
  EXPECT_EQ(gmdesk.NewStatements(), expected);
  frame::HeadlessWindowSystem& window = gmdesk.window();
  EXPECT_TRUE(window.ComboItems(kEditNoticeList).empty());
  EXPECT_TRUE(window.ComboItems(kDeleteNoticeList).empty());
  EXPECT_EQ(window.SelectedIndex(kEditNoticeList), -1);
  for (ControlId box : {kEditNoticeText, kDeleteNoticeText, kEditNoticeStartBox, kEditNoticeEndBox,
                        kEditNoticePeriodBox}) {
    EXPECT_EQ(window.TextOf(box), "");
  }
}

TEST(TimedNoticeLoad, BeforeTheGameDatabaseOpensThePagesShowTheirDesignTexts) {
  GmdeskProgram gmdesk;
  gmdesk.Start();
  OpenNotices(gmdesk, kNoticeConnection, "KV7_SiteConfig", nullptr);
  EXPECT_EQ(gmdesk.window().TextOf(kEditNoticeText), kDesignText);
  EXPECT_EQ(gmdesk.window().TextOf(kDeleteNoticeText), kDesignText);
  EXPECT_TRUE(gmdesk.window().ComboItems(kEditNoticeList).empty());
}

TEST_F(TimedNotices, ALaterLoadAppendsToBothLists) {
  ASSERT_TRUE(frame::StartThread(&LoadTimedNoticesThread));
  gmdesk.Settle();
  EXPECT_EQ(Items(kEditNoticeList), (Texts{"21", "22", "21", "22"}));
  EXPECT_EQ(Items(kDeleteNoticeList), (Texts{"21", "22", "21", "22"}));
}

TEST_F(TimedNotices, PickingOnTheEditPageShowsThatAnnouncementThere) {
  ASSERT_TRUE(gmdesk.window().PickComboItem(kEditNoticeList, 1));
  EXPECT_EQ(gmdesk.NewStatements(),
            (Texts{TextQuery("22"), PeriodQuery("22"), StartQuery("22"), EndQuery("22")}));
  EXPECT_EQ(Text(kEditNoticeText), "维护通知");
  EXPECT_EQ(Text(kEditNoticePeriodBox), "600");
  EXPECT_EQ(Text(kEditNoticeStartBox), "2015-11-11");
  EXPECT_EQ(Text(kEditNoticeEndBox), "2015-12-31");
  EXPECT_EQ(Text(kDeleteNoticeText), "每小时一次的公告") << "the lists are chosen separately";
  EXPECT_EQ(gmdesk.window().SelectedIndex(kDeleteNoticeList), 0);
}

TEST_F(TimedNotices, PickingOnTheDeletePageShowsOnlyTheText) {
  ASSERT_TRUE(gmdesk.window().PickComboItem(kDeleteNoticeList, 1));
  EXPECT_EQ(gmdesk.NewStatements(), Texts{TextQuery("22")});
  EXPECT_EQ(Text(kDeleteNoticeText), "维护通知");
  EXPECT_EQ(Text(kEditNoticeText), "每小时一次的公告");
}

TEST_F(TimedNotices, ANumberWithoutARowEmptiesTheBoxes) {
  gmdesk.database().ReturnRows(kNumberQuery, Column("EventNo", FieldKind::kInteger, {"99"}));
  ASSERT_TRUE(frame::StartThread(&LoadTimedNoticesThread));
  gmdesk.Settle();
  ASSERT_TRUE(gmdesk.window().PickComboItem(kEditNoticeList, 2));
  ASSERT_TRUE(gmdesk.window().PickComboItem(kDeleteNoticeList, 2));
  for (ControlId box : {kEditNoticeText, kDeleteNoticeText, kEditNoticeStartBox, kEditNoticeEndBox,
                        kEditNoticePeriodBox}) {
    EXPECT_EQ(Text(box), "");
  }
}

TEST(TimedNoticeUpdate, SendsTheTextAsItStandsAndThePeriod) {
  struct Case {
    const char* text;
    const char* period;
    const char* number;  // as the server lists it
    const char* statement;
  };
  const Case cases[] = {
      {"每小时一次的公告", "3600", "21",
       "update  TB_Event set stringData01 =N'每小时一次的公告' ,Period ='3600' Where EventNo "
       "='21'"},
      {"O'Neil's 公告 ", "", "21",
       "update  TB_Event set stringData01 =N'O''Neil''s 公告 ' ,Period ='' Where EventNo ='21'"},
      {"公告", "-5", "2'1",
       "update  TB_Event set stringData01 =N'公告' ,Period ='-5' Where EventNo ='2''1'"},
  };
  for (const Case& c : cases) {
    FixedLogClock clock;
    GmdeskProgram gmdesk;
    gmdesk.database().ReturnRows(kNumberQuery, Column("EventNo", FieldKind::kText, {c.number}));
    gmdesk.database().Script(frame::Contains("update"), {.changed_rows = 1});
    OpenTimedNotices(gmdesk);
    gmdesk.Type(kEditNoticeText, c.text);
    gmdesk.Type(kEditNoticePeriodBox, c.period);
    gmdesk.Type(kEditNoticeStartBox, "2020-01-01");
    gmdesk.NewStatements();
    ASSERT_TRUE(gmdesk.window().Click(kEditNoticeButton));
    EXPECT_EQ(gmdesk.NewStatements(), Texts{c.statement}) << "no reload follows";
    EXPECT_EQ(gmdesk.window().TextOf(kEditNoticeLog), std::string(kSaved) + kNow);
    EXPECT_EQ(gmdesk.window().TextOf(kEditNoticeStartBox), "2020-01-01")
        << "the dates shown are not stored and stay as typed";
  }
}

TEST(TimedNoticeUpdate, SavingAgainUnchangedSendsTheSameText) {
  GmdeskProgram gmdesk;
  ScriptNotices(gmdesk.database());
  OpenTimedNotices(gmdesk);
  gmdesk.NewStatements();
  ASSERT_TRUE(gmdesk.window().Click(kEditNoticeButton));
  ASSERT_TRUE(gmdesk.window().Click(kEditNoticeButton));
  std::string statement =
      "update  TB_Event set stringData01 =N'每小时一次的公告' ,Period ='3600' Where EventNo ='21'";
  EXPECT_EQ(gmdesk.NewStatements(), (Texts{statement, statement}));
}

// Each statement of the three pages, its log box and button, and how it
// reports each outcome.
struct PageOperation {
  const char* name;
  ControlId button;
  ControlId log;
  const char* statement_part;
  bool disables_button;
  // Sent after a count of 0, which may be a trigger's; null: a statement that
  // ran is a success whatever it counted.
  const char* look_up;
};

// After a delete no row with the number is what was asked for, whether this
// statement or an earlier one removed it.
constexpr PageOperation kOperations[] = {
    {"update", kEditNoticeButton, kEditNoticeLog, "update", true,
     "SELECT EventNo FROM TB_Event Where EventNo ='21'"},
    {"insert", kAddNoticeButton, kAddNoticeLog, "insert", true, nullptr},
    {"delete one", kDeleteNoticeButton, kDeleteNoticeLog, "where EventNo=", false, nullptr},
    {"delete all", kDeleteAllNoticesButton, kDeleteNoticeLog, "where EventType='100'", false,
     nullptr},
};

TEST(TimedNoticeStatements, EachReportsItsOutcomeOnItsOwnPage) {
  using testing_support::LookUp;
  struct Outcome {
    bool fails;
    std::optional<int64_t> changed_rows;
    LookUp look_up = LookUp::kFindsNone;  // when one is sent
  };
  const Outcome outcomes[] = {{false, 1},
                              {false, std::nullopt},
                              {true, std::nullopt},
                              {false, 0, LookUp::kFindsNone},
                              {false, 0, LookUp::kFindsRow},
                              {false, 0, LookUp::kFails}};
  for (const PageOperation& operation : kOperations) {
    for (const Outcome& outcome : outcomes) {
      FixedLogClock clock;
      GmdeskProgram gmdesk;
      ScriptNotices(gmdesk.database());
      gmdesk.database().Script(frame::Contains(operation.statement_part),
                               {.fails = outcome.fails, .changed_rows = outcome.changed_rows});
      if (operation.look_up != nullptr) {
        testing_support::ScriptLookUp(gmdesk.database(), operation.look_up, outcome.look_up);
      }
      auto disabled_while_sent = WatchButton(gmdesk, operation.statement_part, operation.button);
      OpenTimedNotices(gmdesk);
      gmdesk.NewStatements();
      if (operation.button == kDeleteAllNoticesButton) {
        gmdesk.window().AnswerNextMessageBox(frame::MessageBoxButton::kYes);
      }
      ASSERT_TRUE(gmdesk.window().Click(operation.button));
      gmdesk.Settle();
      Texts sent = gmdesk.NewStatements();

      bool looked_up = operation.look_up != nullptr && !outcome.fails && outcome.changed_rows == 0;
      bool saved = !outcome.fails && !(looked_up && outcome.look_up == LookUp::kFindsNone);
      std::string context = std::string(operation.name) + (outcome.fails ? " failing" : " ran") +
                            " changing " +
                            (outcome.changed_rows ? std::to_string(*outcome.changed_rows) : "?");
      // The statement first; the look-up at once after it, and only after a 0.
      ASSERT_FALSE(sent.empty()) << context;
      EXPECT_NE(sent[0].find(operation.statement_part), std::string::npos) << context;
      size_t look_ups = std::ranges::count_if(sent, [](const std::string& statement) {
        return statement.starts_with("SELECT EventNo FROM");
      });
      EXPECT_EQ(look_ups, looked_up ? 1u : 0u) << context;
      if (looked_up) {
        EXPECT_EQ(sent[1], operation.look_up) << context;
      }
      EXPECT_EQ(gmdesk.window().TextOf(operation.log), saved ? std::string(kSaved) + kNow : kFailed)
          << context;
      for (ControlId log : {kEditNoticeLog, kAddNoticeLog, kDeleteNoticeLog}) {
        if (log != operation.log) {
          EXPECT_EQ(gmdesk.window().TextOf(log), "") << context;
        }
      }
      EXPECT_EQ(*disabled_while_sent, std::vector<bool>{operation.disables_button}) << context;
      std::vector<bool> writes =
          operation.disables_button ? std::vector<bool>{true, false} : std::vector<bool>{false};
      EXPECT_EQ(DisabledWrites(gmdesk, operation.button), writes) << context;
      EXPECT_TRUE(gmdesk.window().IsUsable(operation.button)) << context;
      if (!saved) {
        EXPECT_EQ(gmdesk.window().ComboItems(kEditNoticeList), (Texts{"21", "22"}))
            << context << ": a failure leaves the lists alone";
      }
    }
  }
}

TEST_F(TimedNotices, InsertSendsWhatWasTypedThenReloadsTheLists) {
  gmdesk.database().Script(frame::Contains("insert"), {.changed_rows = 1});
  // What the reload will find.
  gmdesk.database().ReturnRows(kNumberQuery,
                               Column("EventNo", FieldKind::kInteger, {"21", "22", "25"}));
  gmdesk.Type(kAddNoticeNumberBox, "25");
  gmdesk.Type(kAddNoticeStartBox, "2015-10-01");
  gmdesk.Type(kAddNoticeEndBox, "2015-12-31");
  gmdesk.Type(kAddNoticePeriodBox, "300");
  gmdesk.Type(kAddNoticeText, "O'Neil的 新公告");
  ASSERT_TRUE(gmdesk.window().Click(kAddNoticeButton));
  EXPECT_EQ(Text(kAddNoticeLog), std::string(kSaved) + kNow);
  // The reload's items reach the lists only when the UI thread next serves it.
  EXPECT_TRUE(Items(kEditNoticeList).empty()) << "cleared before the reload";
  EXPECT_TRUE(Items(kDeleteNoticeList).empty());

  gmdesk.Settle();
  Texts expected{
      "insert into TB_Event (EventNo,EventType,Memo,StartDate,EndDate,Period,stringData01)"
      "values('25','100',N'定时公告25','2015-10-01','2015-12-31','300',N'O''Neil的 新公告')",
      kNumberQuery};
  for (const std::string& read : LoadReads("21"))
    expected.push_back(read);
  EXPECT_EQ(gmdesk.NewStatements(), expected);
  EXPECT_EQ(Items(kEditNoticeList), (Texts{"21", "22", "25"}));
  EXPECT_EQ(Items(kDeleteNoticeList), (Texts{"21", "22", "25"}));
  EXPECT_EQ(Text(kAddNoticeNumberBox), "25") << "the page keeps what was typed";
  EXPECT_EQ(Text(kAddNoticeText), "O'Neil的 新公告");
}

TEST_F(TimedNotices, InsertWithTheDesignTextsAndNoNumberSendsThemAsTheyAre) {
  ASSERT_TRUE(gmdesk.window().Click(kAddNoticeButton));
  EXPECT_EQ(gmdesk.NewStatements().front(),
            "insert into TB_Event "
            "(EventNo,EventType,Memo,StartDate,EndDate,Period,stringData01)values('','100',"
            "N'定时公告','2015-01-01','2016-01-01','100',N'请输入公告内容...Event编号勿重复,"
            "建议输入20以上的数值')");
}

TEST_F(TimedNotices, DeleteOneSendsTheChosenNumberThenReloadsTheLists) {
  gmdesk.database().Script(frame::Contains("delete"), {.changed_rows = 1});
  ASSERT_TRUE(gmdesk.window().PickComboItem(kDeleteNoticeList, 1));
  // What the reload will find.
  gmdesk.database().ReturnRows(kNumberQuery, Column("EventNo", FieldKind::kInteger, {"21"}));
  gmdesk.NewStatements();
  ASSERT_TRUE(gmdesk.window().Click(kDeleteNoticeButton));
  EXPECT_EQ(Text(kDeleteNoticeLog), std::string(kSaved) + kNow);
  EXPECT_TRUE(Items(kEditNoticeList).empty());
  EXPECT_TRUE(Items(kDeleteNoticeList).empty());

  gmdesk.Settle();
  Texts expected{"delete from TB_Event where EventNo='22'", kNumberQuery};
  for (const std::string& read : LoadReads("21"))
    expected.push_back(read);
  EXPECT_EQ(gmdesk.NewStatements(), expected);
  EXPECT_EQ(Items(kEditNoticeList), Texts{"21"});
  EXPECT_EQ(Items(kDeleteNoticeList), Texts{"21"});
  EXPECT_EQ(Text(kDeleteNoticeText), "每小时一次的公告");
}

TEST(TimedNoticeDelete, DoublesAQuoteInTheChosenNumber) {
  GmdeskProgram gmdesk;
  gmdesk.database().ReturnRows(kNumberQuery, Column("EventNo", FieldKind::kText, {"2'2"}));
  OpenTimedNotices(gmdesk);
  EXPECT_EQ(gmdesk.NewStatements()[1], TextQuery("2''2"));
  ASSERT_TRUE(gmdesk.window().Click(kDeleteNoticeButton));
  EXPECT_EQ(gmdesk.NewStatements().front(), "delete from TB_Event where EventNo='2''2'");
}

TEST_F(TimedNotices, DeleteAllAnsweredNoDoesNothing) {
  gmdesk.window().AnswerNextMessageBox(frame::MessageBoxButton::kNo);
  ASSERT_TRUE(gmdesk.window().Click(kDeleteAllNoticesButton));
  auto boxes = gmdesk.window().MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "本次操作将不可逆，是否继续进行？");
  EXPECT_EQ(boxes[0].caption, "是否继续操作");
  EXPECT_EQ(boxes[0].flags,
            frame::kMessageBoxYesNo | frame::kMessageBoxIconQuestion | frame::kMessageBoxTaskModal);
  EXPECT_TRUE(gmdesk.NewStatements().empty());
  EXPECT_EQ(Text(kDeleteNoticeLog), "");
  EXPECT_EQ(Items(kEditNoticeList), (Texts{"21", "22"}));
  EXPECT_TRUE(DisabledWrites(gmdesk, kDeleteAllNoticesButton).empty());
}

TEST_F(TimedNotices, DeleteAllAnsweredYesEmptiesTheListsWithoutAReload) {
  gmdesk.window().AnswerNextMessageBox(frame::MessageBoxButton::kYes);
  ASSERT_TRUE(gmdesk.window().Click(kDeleteAllNoticesButton));
  gmdesk.Settle();
  EXPECT_EQ(gmdesk.NewStatements(), Texts{"delete from TB_Event where EventType='100'"});
  EXPECT_EQ(Text(kDeleteNoticeLog), std::string(kSaved) + kNow);
  EXPECT_TRUE(Items(kEditNoticeList).empty());
  EXPECT_TRUE(Items(kDeleteNoticeList).empty());
  EXPECT_EQ(Text(kEditNoticeText), "每小时一次的公告") << "the boxes keep the last shown";
  EXPECT_EQ(Text(kDeleteNoticeText), "每小时一次的公告");
  EXPECT_EQ(Text(kEditNoticePeriodBox), "3600");

  // With the lists empty, the other statements aim at the empty number,
  // which has no row: the update changed nothing; after the delete there is
  // no such row, as asked.
  gmdesk.database().Script(frame::Contains("=''"), {.changed_rows = 0});
  ASSERT_TRUE(gmdesk.window().Click(kEditNoticeButton));
  ASSERT_TRUE(gmdesk.window().Click(kDeleteNoticeButton));
  gmdesk.Settle();
  EXPECT_EQ(gmdesk.NewStatements(),
            (Texts{"update  TB_Event set stringData01 =N'每小时一次的公告' ,Period ='3600' Where "
                   "EventNo =''",
                   "SELECT EventNo FROM TB_Event Where EventNo =''",
                   "delete from TB_Event where EventNo=''", kNumberQuery, TextQuery("21"),
                   StartQuery("21"), EndQuery("21"), PeriodQuery("21")}));
  EXPECT_EQ(Text(kEditNoticeLog), kFailed);
  EXPECT_EQ(Text(kDeleteNoticeLog), std::string(kSaved) + kNow + kSaved + kNow);
}

TEST(TimedNoticeStatements, WithoutTheGameDatabaseEveryStatementFails) {
  FixedLogClock clock;
  GmdeskProgram gmdesk;
  gmdesk.Start();
  OpenNotices(gmdesk, kNoticeConnection, "KV7_SiteConfig", nullptr);
  gmdesk.window().AnswerNextMessageBox(frame::MessageBoxButton::kYes);
  for (const PageOperation& operation : kOperations) {
    ASSERT_TRUE(gmdesk.window().Click(operation.button)) << operation.name;
  }
  EXPECT_EQ(gmdesk.NewBoxes(), Texts{"本次操作将不可逆，是否继续进行？"});
  EXPECT_TRUE(gmdesk.NewStatements().empty());
  EXPECT_EQ(gmdesk.window().TextOf(kEditNoticeLog), kFailed);
  EXPECT_EQ(gmdesk.window().TextOf(kAddNoticeLog), kFailed);
  EXPECT_EQ(gmdesk.window().TextOf(kDeleteNoticeLog), std::string(kFailed) + kFailed);
}

}  // namespace
