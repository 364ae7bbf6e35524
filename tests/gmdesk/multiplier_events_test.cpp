// The gold, experience and drop multiplier pages, over the scripted database.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "frame/db/db_services.h"
#include "frame/services/services.h"
#include "gmdesk/multiplier_pages.h"
#include "tests/gmdesk/gmdesk_program.h"
#include "tests/support/row_look_up.h"

namespace {

using namespace gmdesk;
using frame::FieldKind;
using frame::FieldValue;
using gmdesk_testing::GmdeskProgram;
using testing_support::LookUp;
using testing_support::ScriptLookUp;
using Texts = std::vector<std::string>;

constexpr const char* kSuccess = "数据提交成功,本操作无须重启服务器,等待5-10分钟即可生效";
constexpr const char* kFailure = "提交数据失败";

// The pages as gmdesk defines them.
using Page = MultiplierPage;
const Page& kGold = kMultiplierPages[kGoldPage];
const Page& kExp = kMultiplierPages[kExpPage];
const Page& kDrop = kMultiplierPages[kDropPage];

std::string ListStatement(std::string_view event_type) {
  return "SELECT EventNo  FROM TB_Event Where EventType ='" + std::string(event_type) + "'";
}

// The number as it stands between quotes.
std::string Doubled(std::string text) {
  for (size_t at = text.find('\''); at != std::string::npos; at = text.find('\'', at + 2))
    text.insert(at, 1, '\'');
  return text;
}

std::string FieldStatement(const std::string& column, const std::string& event_number) {
  return "SELECT " + column + "  FROM TB_Event Where EventNo ='" + Doubled(event_number) + "'";
}

// What a submit sends after a count of 0, to see whether the event is there.
std::string EventLookUp(const std::string& event_number) {
  return "SELECT EventNo FROM TB_Event Where EventNo ='" + Doubled(event_number) + "'";
}

// What showing one event sends, in order.
Texts ShowStatements(const std::string& event_number) {
  return {FieldStatement("StartDate", event_number), FieldStatement("EndDate", event_number),
          FieldStatement("intData01", event_number)};
}

FieldValue Date(std::string raw) {
  return {FieldKind::kDateTime, std::move(raw)};
}
FieldValue Int(std::string raw) {
  return {FieldKind::kInteger, std::move(raw)};
}
FieldValue Str(std::string raw) {
  return {FieldKind::kText, std::move(raw)};
}

struct Event {
  std::string number;
  std::string event_type;
  FieldValue start = Date("2015-01-01 00:00:00");
  FieldValue end = Date("2016-01-01 00:00:00");
  FieldValue multiplier = Int("100");
};

// TB_Event as the scripted database answers it.
void Seed(frame::ScriptedDatabase& database, const std::vector<Event>& events) {
  for (const char* event_type : {"2", "1", "4"}) {
    frame::ResultTable list{{"EventNo"}, {}};
    for (const Event& event : events) {
      if (event.event_type == event_type) list.rows.push_back({Str(event.number)});
    }
    database.ReturnRows(ListStatement(event_type), list);
  }
  for (const Event& event : events) {
    database.ReturnRows(FieldStatement("StartDate", event.number),
                        {{"StartDate"}, {{event.start}}});
    database.ReturnRows(FieldStatement("EndDate", event.number), {{"EndDate"}, {{event.end}}});
    database.ReturnRows(FieldStatement("intData01", event.number),
                        {{"intData01"}, {{event.multiplier}}});
  }
}

// gmdesk with TB_Event seeded and the panel as connecting leaves it once the
// game database has opened.
class MultiplierDesk : public GmdeskProgram {
 public:
  explicit MultiplierDesk(const std::vector<Event>& events) { Seed(database(), events); }

  void StartConnected() {
    Start();
    ASSERT_TRUE(frame::ConnectSqlServer(kMainWindow, kGameConnection, "127.0.0.1,1433", "KV7_User",
                                        "sa", "pw"));
    frame::SetControlProperty(kMainWindow, kSettingsPanel, frame::Property::kDisabled, false);
  }

  void Show(const Page& page) {
    ASSERT_TRUE(window().SelectTabPage(kMultiplierTabs, page.tab_page));
  }

  void Load(const Page& page) {
    Show(page);
    ASSERT_TRUE(window().Click(page.load_button.id)) << page.tab_caption;
    Settle();
  }

  void Pick(const Page& page, int32_t index) {
    ASSERT_TRUE(window().PickComboItem(page.event_list.id, index))
        << page.tab_caption << " " << index;
  }

  void Submit(const Page& page) {
    ASSERT_TRUE(window().Click(page.submit_button.id)) << page.tab_caption;
    Settle();
  }

  std::string Text(ControlId control) { return window().TextOf(control); }

  // A page nobody has used since connecting.
  void ExpectUntouched(const Page& page) {
    SCOPED_TRACE(page.tab_caption);
    EXPECT_TRUE(window().ComboItems(page.event_list.id).empty());
    EXPECT_EQ(window().SelectedIndex(page.event_list.id), -1);
    EXPECT_EQ(Text(page.start_box.id), "");
    EXPECT_EQ(Text(page.end_box.id), "");
    EXPECT_EQ(Text(page.current_box.id), "");
    EXPECT_EQ(Text(page.new_box.id), "100");
    EXPECT_FALSE(window().IsDisabled(page.load_button.id));
    EXPECT_TRUE(window().IsDisabled(page.submit_button.id));
  }

  // The last box shown: an OK box with the default caption.
  void ExpectLastBoxIsPlain() {
    ASSERT_FALSE(window().MessageBoxes().empty());
    auto box = window().MessageBoxes().back();
    EXPECT_EQ(box.caption, "信息：");
    EXPECT_EQ(box.flags, 0x2000) << "OK only";
  }
};

// Events of all three kinds, so that each page must pick out its own.
std::vector<Event> ThreeKinds() {
  return {
      {"7", "2", Date("2015-03-01 12:30:45"), Date("2016-02-29 23:59:59"), Int("150")},
      {"3", "1", Date("2015-04-01 00:00:00"), Date("2015-05-01 00:00:00"), Int("200")},
      {"9", "2", Date("2015-06-01 00:00:00"), Date("2015-07-01 00:00:00"), Int("300")},
      {"12", "4", Date("2014-12-31 08:00:00"), Date("2015-01-31 08:00:00"), Int("125")},
      {"5", "1", Date("2015-08-01 00:00:00"), Date("2015-09-01 00:00:00"), Int("100")},
      {"20", "100", Date("2015-01-01 00:00:00"), Date("2016-01-01 00:00:00"), Int("0")},
  };
}

TEST(MultiplierPages, LoadingListsThePagesEventsAndShowsTheFirst) {
  struct Case {
    const Page& page;
    Texts items;
    const char* start;
    const char* end;
    const char* current;
  };
  const Case cases[] = {
      {kGold, {"7", "9"}, "2015-03-01", "2016-02-29", "1.5"},
      {kExp, {"3", "5"}, "2015-04-01", "2015-05-01", "2"},
      {kDrop, {"12"}, "2014-12-31", "2015-01-31", "1.25"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page.tab_caption);
    MultiplierDesk gmdesk(ThreeKinds());
    gmdesk.StartConnected();
    EXPECT_TRUE(gmdesk.NewStatements().empty());
    gmdesk.Load(c.page);

    Texts expected{ListStatement(c.page.event_type)};
    for (const std::string& statement : ShowStatements(c.items.front()))
      expected.push_back(statement);
    EXPECT_EQ(gmdesk.NewStatements(), expected);
    EXPECT_EQ(gmdesk.window().ComboItems(c.page.event_list.id), c.items);
    EXPECT_EQ(gmdesk.window().SelectedIndex(c.page.event_list.id), 0);
    EXPECT_EQ(gmdesk.Text(c.page.event_list.id), c.items.front());
    EXPECT_EQ(gmdesk.Text(c.page.start_box.id), c.start);
    EXPECT_EQ(gmdesk.Text(c.page.end_box.id), c.end);
    EXPECT_EQ(gmdesk.Text(c.page.current_box.id), c.current);
    EXPECT_EQ(gmdesk.Text(c.page.new_box.id), "100");
    EXPECT_TRUE(gmdesk.window().IsUsable(c.page.submit_button.id));
    EXPECT_TRUE(gmdesk.window().IsDisabled(c.page.load_button.id));
    EXPECT_TRUE(gmdesk.NewBoxes().empty());
    for (const Page& other : kMultiplierPages) {
      if (other.load_button.id != c.page.load_button.id) gmdesk.ExpectUntouched(other);
    }
  }
}

TEST(MultiplierPages, PickingShowsEachEventInTurn) {
  // intData01 holds the multiplier times 100; a missing value shows as 0.
  MultiplierDesk gmdesk({
      {"1", "2", Date("2015-01-02 03:04:05"), Date("2015-02-03 00:00:00"), Int("150")},
      {"2", "2", Date("2015-03-04 00:00:00"), Date("2015-04-05 00:00:00"), Int("200")},
      {"3", "2", Date("2015-05-06 00:00:00"), Date("2015-06-07 00:00:00"), Int("125")},
      {"4", "2", Date("2015-07-08 00:00:00"), Date("2015-08-09 00:00:00"), Int("0")},
      {"5", "2", {}, {}, {}},
  });
  gmdesk.StartConnected();
  gmdesk.Load(kGold);
  gmdesk.NewStatements();

  struct Case {
    int32_t index;
    const char* number;
    const char* start;
    const char* end;
    const char* current;
  };
  const Case cases[] = {
      {1, "2", "2015-03-04", "2015-04-05", "2"},
      {2, "3", "2015-05-06", "2015-06-07", "1.25"},
      {3, "4", "2015-07-08", "2015-08-09", "0"},
      {0, "1", "2015-01-02", "2015-02-03", "1.5"},
      {4, "5", "", "", "0"},
      {1, "2", "2015-03-04", "2015-04-05", "2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    // Typed dates do not survive a pick.
    gmdesk.Type(kGold.start_box.id, "1999-01-01");
    gmdesk.Type(kGold.end_box.id, "1999-12-31");
    gmdesk.Pick(kGold, c.index);
    EXPECT_EQ(gmdesk.NewStatements(), ShowStatements(c.number));
    EXPECT_EQ(gmdesk.Text(kGold.start_box.id), c.start);
    EXPECT_EQ(gmdesk.Text(kGold.end_box.id), c.end);
    EXPECT_EQ(gmdesk.Text(kGold.current_box.id), c.current);
  }
  EXPECT_EQ(gmdesk.window().ComboItems(kGold.event_list.id), (Texts{"1", "2", "3", "4", "5"}));
  EXPECT_TRUE(gmdesk.window().IsUsable(kGold.submit_button.id));
  EXPECT_TRUE(gmdesk.NewBoxes().empty());
}

// Each showing writes the whole multiplier at once: a pick that overlaps a
// reload then shows one value or the other, never the two run together.
TEST(MultiplierPages, TheMultiplierIsShownWithOneWriteOfItsText) {
  MultiplierDesk gmdesk({{.number = "1", .event_type = "2", .multiplier = Int("300")},
                         {.number = "2", .event_type = "2", .multiplier = Int("150")}});
  gmdesk.StartConnected();
  size_t seen = gmdesk.window().PropertyWrites().size();

  gmdesk.Load(kGold);
  gmdesk.Pick(kGold, 1);
  gmdesk.Pick(kGold, 0);

  Texts written;
  const auto& writes = gmdesk.window().PropertyWrites();
  for (size_t i = seen; i < writes.size(); ++i) {
    if (writes[i].control == kGold.current_box.id)
      written.push_back(frame::Utf8(writes[i].value.AsText()));
  }
  EXPECT_EQ(written, (Texts{"3", "1.5", "3"}));
  EXPECT_EQ(gmdesk.Text(kGold.current_box.id), "3");
}

TEST(MultiplierPages, ASubmitWritesTheRowAndReloadsThePage) {
  struct Case {
    const char* typed_multiplier;
    const char* written;
  };
  // Only whole multipliers can be set: the box holds digits and the minus sign.
  const Case cases[] = {{"2", "200"}, {"", "0"}, {"15", "1500"}, {"-1", "-100"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed_multiplier);
    MultiplierDesk gmdesk(ThreeKinds());
    gmdesk.database().Script(frame::Contains("update"), {.changed_rows = 1});
    gmdesk.StartConnected();
    gmdesk.Load(kGold);
    gmdesk.Pick(kGold, 1);
    gmdesk.Type(kGold.new_box.id, c.typed_multiplier);
    // Dates are written whole, as the boxes hold them.
    gmdesk.Type(kGold.start_box.id, "2015-10-01-08");
    gmdesk.Type(kGold.end_box.id, "2015-10-31");
    gmdesk.NewStatements();
    gmdesk.NewBoxes();

    // The stored row as the reload finds it.
    gmdesk.database().ReturnRows(FieldStatement("intData01", "7"), {{"intData01"}, {{Int("400")}}});
    gmdesk.Submit(kGold);

    Texts expected{std::string("update TB_Event set StartDate='2015-10-01-08',EndDate='2015-10-31',"
                               "intData01='") +
                       c.written + "' where EventNo ='9'",
                   ListStatement("2")};
    for (const std::string& statement : ShowStatements("7"))
      expected.push_back(statement);
    EXPECT_EQ(gmdesk.NewStatements(), expected);
    EXPECT_EQ(gmdesk.NewBoxes(), Texts{kSuccess});
    gmdesk.ExpectLastBoxIsPlain();

    // Each event is listed once, and the first is shown, not the one changed.
    EXPECT_EQ(gmdesk.window().ComboItems(kGold.event_list.id), (Texts{"7", "9"}));
    EXPECT_EQ(gmdesk.window().SelectedIndex(kGold.event_list.id), 0);
    EXPECT_EQ(gmdesk.Text(kGold.start_box.id), "2015-03-01");
    EXPECT_EQ(gmdesk.Text(kGold.end_box.id), "2016-02-29");
    EXPECT_EQ(gmdesk.Text(kGold.current_box.id), "4");
    EXPECT_EQ(gmdesk.Text(kGold.new_box.id), c.typed_multiplier);
    EXPECT_TRUE(gmdesk.window().IsUsable(kGold.submit_button.id));
    // The load button stays disabled for good.
    EXPECT_TRUE(gmdesk.window().IsDisabled(kGold.load_button.id));
    EXPECT_FALSE(gmdesk.window().Click(kGold.load_button.id));
    gmdesk.ExpectUntouched(kExp);
    gmdesk.ExpectUntouched(kDrop);
  }
}

TEST(MultiplierPages, EachPageSubmitsAndReloadsItsOwnEvents) {
  for (const Page& page : kMultiplierPages) {
    SCOPED_TRACE(page.tab_caption);
    MultiplierDesk gmdesk(ThreeKinds());
    gmdesk.database().Script(frame::Contains("update"), {.changed_rows = 1});
    gmdesk.StartConnected();
    gmdesk.Load(page);
    std::string first = gmdesk.window().ComboItems(page.event_list.id).front();
    gmdesk.NewStatements();
    gmdesk.Submit(page);

    Texts sent = gmdesk.NewStatements();
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(sent[0], "update TB_Event set StartDate='" + gmdesk.Text(page.start_box.id) +
                           "',EndDate='" + gmdesk.Text(page.end_box.id) +
                           "',intData01='10000' where EventNo ='" + first + "'");
    EXPECT_EQ(sent[1], ListStatement(page.event_type));
    EXPECT_EQ(gmdesk.NewBoxes(), Texts{kSuccess});
    EXPECT_EQ(gmdesk.window().ComboItems(page.event_list.id).front(), first);
    for (const Page& other : kMultiplierPages) {
      if (other.load_button.id != page.load_button.id) gmdesk.ExpectUntouched(other);
    }
  }
}

TEST(MultiplierPages, AFailedOrMissedSubmitKeepsThePageAsItWas) {
  // A vanished event number updates no row: that is no success either.
  const frame::ScriptedOutcome outcomes[] = {{.fails = true}, {.changed_rows = 0}};
  for (const frame::ScriptedOutcome& outcome : outcomes) {
    SCOPED_TRACE(outcome.fails ? "failed" : "no row changed");
    MultiplierDesk gmdesk(ThreeKinds());
    gmdesk.database().Script(frame::Contains("update"), outcome);
    ScriptLookUp(gmdesk.database(), EventLookUp("5"), LookUp::kFindsNone);
    gmdesk.StartConnected();
    gmdesk.Load(kExp);
    gmdesk.Pick(kExp, 1);
    gmdesk.Type(kExp.new_box.id, "3");
    gmdesk.Type(kExp.start_box.id, "2015-11-01");
    gmdesk.NewStatements();
    gmdesk.Submit(kExp);
    gmdesk.Submit(kExp);

    const std::string statement =
        "update TB_Event set StartDate='2015-11-01',EndDate='2015-09-01',intData01='300' "
        "where EventNo ='5'";
    Texts expected = outcome.fails
                         ? Texts{statement, statement}
                         : Texts{statement, EventLookUp("5"), statement, EventLookUp("5")};
    EXPECT_EQ(gmdesk.NewStatements(), expected);
    EXPECT_EQ(gmdesk.NewBoxes(), (Texts{kFailure, kFailure}));
    gmdesk.ExpectLastBoxIsPlain();
    EXPECT_EQ(gmdesk.window().ComboItems(kExp.event_list.id), (Texts{"3", "5"}));
    EXPECT_EQ(gmdesk.window().SelectedIndex(kExp.event_list.id), 1);
    EXPECT_EQ(gmdesk.Text(kExp.start_box.id), "2015-11-01");
    EXPECT_EQ(gmdesk.Text(kExp.end_box.id), "2015-09-01");
    EXPECT_EQ(gmdesk.Text(kExp.current_box.id), "1");
    EXPECT_EQ(gmdesk.Text(kExp.new_box.id), "3");
    EXPECT_TRUE(gmdesk.window().IsUsable(kExp.submit_button.id));
    EXPECT_TRUE(gmdesk.window().IsDisabled(kExp.load_button.id));
  }
}

// The count may be a trigger's: an event that is there was written, and so
// was one that the look-up could not tell about.
TEST(MultiplierPages, ACountOfZeroForAnEventThatIsThereIsASuccess) {
  for (LookUp look_up : {LookUp::kFindsRow, LookUp::kFails}) {
    MultiplierDesk gmdesk(ThreeKinds());
    gmdesk.database().Script(frame::Contains("update"), {.changed_rows = 0});
    ScriptLookUp(gmdesk.database(), EventLookUp("3"), look_up);
    gmdesk.StartConnected();
    gmdesk.Load(kExp);
    gmdesk.NewStatements();
    gmdesk.Submit(kExp);

    Texts sent = gmdesk.NewStatements();
    ASSERT_EQ(sent.size(), 6u);
    EXPECT_EQ(sent[1], EventLookUp("3"));
    EXPECT_EQ(sent[2], ListStatement("1")) << "the page reloads";
    EXPECT_EQ(gmdesk.NewBoxes(), Texts{kSuccess});
    EXPECT_EQ(gmdesk.window().ComboItems(kExp.event_list.id), (Texts{"3", "5"}));
  }
}

// A list that could not be read leaves the load button to try again; a list
// that was read, even an empty one, disables it for good.
TEST(MultiplierPages, AFailedListLeavesTheLoadButtonForAnotherTry) {
  MultiplierDesk gmdesk(ThreeKinds());
  gmdesk.database().FailStatement(ListStatement("2"));
  gmdesk.StartConnected();
  gmdesk.Load(kGold);
  EXPECT_TRUE(gmdesk.window().ComboItems(kGold.event_list.id).empty());
  EXPECT_TRUE(gmdesk.window().IsUsable(kGold.load_button.id));
  EXPECT_TRUE(gmdesk.window().IsUsable(kGold.submit_button.id));

  // The server answers again.
  gmdesk.database().ReturnRows(ListStatement("2"), {{"EventNo"}, {{Str("7")}, {Str("9")}}});
  gmdesk.NewStatements();
  gmdesk.Load(kGold);
  Texts expected{ListStatement("2")};
  for (const std::string& statement : ShowStatements("7"))
    expected.push_back(statement);
  EXPECT_EQ(gmdesk.NewStatements(), expected);
  EXPECT_EQ(gmdesk.window().ComboItems(kGold.event_list.id), (Texts{"7", "9"}));
  EXPECT_EQ(gmdesk.Text(kGold.current_box.id), "1.5");
  EXPECT_TRUE(gmdesk.window().IsDisabled(kGold.load_button.id));

  // A reload after a submit that fails to list gives the button back too.
  gmdesk.database().Script(frame::Contains("update"), {.changed_rows = 1});
  gmdesk.database().FailStatement(ListStatement("2"));
  gmdesk.Submit(kGold);
  EXPECT_EQ(gmdesk.NewBoxes(), Texts{kSuccess});
  EXPECT_TRUE(gmdesk.window().ComboItems(kGold.event_list.id).empty());
  EXPECT_TRUE(gmdesk.window().IsUsable(kGold.load_button.id));
  gmdesk.ExpectUntouched(kExp);
  gmdesk.ExpectUntouched(kDrop);
}

// A load whose thread cannot start has not run: its button stays usable.
TEST(MultiplierPages, ALoadWhoseThreadCannotStartLeavesItsButtonUsable) {
  MultiplierDesk gmdesk(ThreeKinds());
  gmdesk.database().Script(frame::Contains("update"), {.changed_rows = 1});
  gmdesk.StartConnected();
  gmdesk.program().FailThreadStarts(true);
  gmdesk.Load(kDrop);
  EXPECT_TRUE(gmdesk.NewStatements().empty());
  EXPECT_TRUE(gmdesk.window().IsUsable(kDrop.load_button.id));
  EXPECT_TRUE(gmdesk.window().IsDisabled(kDrop.submit_button.id));

  gmdesk.program().FailThreadStarts(false);
  gmdesk.Load(kDrop);
  EXPECT_TRUE(gmdesk.window().IsDisabled(kDrop.load_button.id));
  EXPECT_EQ(gmdesk.window().ComboItems(kDrop.event_list.id), Texts{"12"});

  // The submit wrote its row; the reload that cannot start leaves the page
  // to be loaded by its button.
  gmdesk.program().FailThreadStarts(true);
  gmdesk.NewStatements();
  gmdesk.Submit(kDrop);
  EXPECT_EQ(gmdesk.NewStatements().size(), 1u);
  EXPECT_EQ(gmdesk.NewBoxes(), Texts{kSuccess});
  EXPECT_TRUE(gmdesk.window().ComboItems(kDrop.event_list.id).empty());
  EXPECT_TRUE(gmdesk.window().IsUsable(kDrop.load_button.id));
}

TEST(MultiplierPages, AKindWithoutEventsLoadsAnEmptyPage) {
  std::vector<Event> events = ThreeKinds();
  std::erase_if(events, [](const Event& event) { return event.event_type == "4"; });
  MultiplierDesk gmdesk(events);
  gmdesk.StartConnected();
  gmdesk.Load(kDrop);

  Texts expected{ListStatement("4")};
  for (const std::string& statement : ShowStatements(""))
    expected.push_back(statement);
  EXPECT_EQ(gmdesk.NewStatements(), expected);
  EXPECT_TRUE(gmdesk.window().ComboItems(kDrop.event_list.id).empty());
  EXPECT_EQ(gmdesk.window().SelectedIndex(kDrop.event_list.id), -1);
  EXPECT_EQ(gmdesk.Text(kDrop.start_box.id), "");
  EXPECT_EQ(gmdesk.Text(kDrop.end_box.id), "");
  EXPECT_EQ(gmdesk.Text(kDrop.current_box.id), "0");
  EXPECT_TRUE(gmdesk.window().IsUsable(kDrop.submit_button.id));

  // With no event picked the update finds no row to change.
  gmdesk.database().Script(frame::Contains("update"), {.changed_rows = 0});
  gmdesk.Submit(kDrop);
  EXPECT_EQ(gmdesk.NewStatements(),
            (Texts{"update TB_Event set StartDate='',EndDate='',intData01='10000' "
                   "where EventNo =''",
                   EventLookUp("")}));
  EXPECT_EQ(gmdesk.NewBoxes(), Texts{kFailure});
  EXPECT_EQ(gmdesk.Text(kDrop.current_box.id), "0");
}

TEST(MultiplierPages, QuotesFromTheDatabaseAreDoubledInStatements) {
  MultiplierDesk gmdesk({
      {"7'a", "2", Str("2015'01-01 junk"), Date("2016-01-01 00:00:00"), Int("100")},
  });
  gmdesk.database().Script(frame::Contains("update"), {.changed_rows = 1});
  gmdesk.StartConnected();
  gmdesk.Load(kGold);
  EXPECT_EQ(gmdesk.NewStatements(),
            (Texts{ListStatement("2"), "SELECT StartDate  FROM TB_Event Where EventNo ='7''a'",
                   "SELECT EndDate  FROM TB_Event Where EventNo ='7''a'",
                   "SELECT intData01  FROM TB_Event Where EventNo ='7''a'"}));
  EXPECT_EQ(gmdesk.Text(kGold.start_box.id), "2015'01-01");

  gmdesk.Submit(kGold);
  EXPECT_EQ(gmdesk.NewStatements().front(),
            "update TB_Event set StartDate='2015''01-01',EndDate='2016-01-01',intData01='10000' "
            "where EventNo ='7''a'");
  EXPECT_EQ(gmdesk.NewBoxes(), Texts{kSuccess});
}

TEST(MultiplierPages, ConnectingOpensThePagesForLoading) {
  MultiplierDesk gmdesk(ThreeKinds());
  gmdesk.Start();
  for (const Page& page : kMultiplierPages) {
    EXPECT_FALSE(gmdesk.window().IsUsable(page.load_button.id)) << page.tab_caption;
  }
  gmdesk.Connect();
  for (const Page& page : kMultiplierPages) {
    gmdesk.ExpectUntouched(page);
    gmdesk.Load(page);
    EXPECT_FALSE(gmdesk.window().ComboItems(page.event_list.id).empty()) << page.tab_caption;
  }
  EXPECT_TRUE(gmdesk.NewBoxes().empty());
}

}  // namespace
