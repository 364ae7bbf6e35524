// The handler-facing database services over the scripted database: finding
// the components, the time-out of one statement, the changed-row count of
// each thread, and a record set that needs no connection once open.
#include "frame/db/db_services.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "frame/db/component_factory.h"
#include "frame/headless/scripted_database.h"
#include "frame/services/control_services.h"
#include "tests/support/db_test_window.h"
#include "tests/support/headless_program.h"

namespace {

using db_test::kConnection;
using db_test::kLabel;
using db_test::kOtherConnection;
using db_test::kRecords;
using db_test::kWindowId;
using frame::FieldKind;
using ::testing::ElementsAre;

class DbServices : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_.Start());
    ASSERT_TRUE(frame::ConnectSqlServer(kWindowId, kConnection, "h", "d", "u", "p"));
    ASSERT_TRUE(frame::AttachRecordSet(kWindowId, kRecords, kConnection));
  }

  std::vector<int> TimeOuts() {
    std::vector<int> timeouts;
    for (const auto& record : db_->statements())
      timeouts.push_back(record.timeout_seconds);
    return timeouts;
  }

  std::shared_ptr<frame::ScriptedDatabase> db_ = std::make_shared<frame::ScriptedDatabase>();
  testing_support::HeadlessProgram program_{db_test::kProgram,
                                            frame::DatabaseComponentFactory(db_)};
};

TEST_F(DbServices, ControlsThatAreNotTheRightComponentFailQuietly) {
  frame::Text text = "left over";
  const frame::ControlId unknown = frame::ControlNumber(0x7777);
  EXPECT_FALSE(frame::ConnectSqlServer(kWindowId, kRecords, "h", "d", "u", "p"));
  EXPECT_FALSE(frame::ConnectSqlServer(kWindowId, kLabel, "h", "d", "u", "p"));
  EXPECT_FALSE(frame::ExecuteSql(kWindowId, unknown, "x"));
  EXPECT_FALSE(frame::AttachRecordSet(kWindowId, kConnection, kConnection));
  EXPECT_FALSE(frame::AttachRecordSet(kWindowId, kRecords, kLabel));
  EXPECT_FALSE(frame::OpenRecordSet(kWindowId, kConnection, "x"));
  EXPECT_FALSE(frame::MoveFirstRecord(kWindowId, unknown));
  EXPECT_FALSE(frame::MoveNextRecord(kWindowId, unknown));
  EXPECT_TRUE(frame::AtEndOfRecords(kWindowId, unknown));
  EXPECT_FALSE(frame::ReadFieldText(kWindowId, unknown, "ID", text));
  EXPECT_EQ(text, "");
  text = "left over";
  EXPECT_FALSE(frame::ReadFieldText(frame::WindowId{1}, kRecords, 0, text));
  EXPECT_EQ(text, "");
  frame::CloseRecordSet(kWindowId, unknown);
  EXPECT_EQ(program_.window().MessageBoxes().size(), 0u);
}

TEST_F(DbServices, ATimeOutAppliesToItsOwnStatementOnly) {
  db_->FailStatement("bad");
  frame::ExecuteSql(kWindowId, kConnection, "good", 5);
  frame::ExecuteSql(kWindowId, kConnection, "after success");
  frame::ExecuteSql(kWindowId, kConnection, "bad", 5);
  frame::ExecuteSql(kWindowId, kConnection, "after failure");
  frame::OpenRecordSet(kWindowId, kRecords, "query");
  frame::ExecuteSql(kWindowId, kConnection, "no limit", 0);
  frame::ExecuteSql(kWindowId, kConnection, "none given", -3);
  EXPECT_THAT(TimeOuts(), ElementsAre(5, 30, 5, 30, 30, 0, 30));
}

TEST_F(DbServices, EachThreadReadsItsOwnChangedRowCount) {
  db_->Script("one", {.changed_rows = 1, .delay = std::chrono::milliseconds(2)});
  db_->Script("two", {.changed_rows = 2, .delay = std::chrono::milliseconds(2)});
  db_->Script("other", {.changed_rows = 7});
  ASSERT_TRUE(frame::ConnectSqlServer(kWindowId, kOtherConnection, "h", "d", "u", "p"));
  ASSERT_TRUE(frame::ExecuteSql(kWindowId, kOtherConnection, "other"));

  auto worker = [](const char* statement, int64_t expected, int& mismatches) {
    for (int i = 0; i < 50; ++i) {
      frame::ExecuteSql(kWindowId, kConnection, statement);
      if (frame::LastChangedRowCount(kWindowId, kConnection) != expected) ++mismatches;
    }
  };
  int mismatches_one = 0;
  int mismatches_two = 0;
  std::thread one(worker, "one", 1, std::ref(mismatches_one));
  std::thread two(worker, "two", 2, std::ref(mismatches_two));
  one.join();
  two.join();
  EXPECT_EQ(mismatches_one, 0);
  EXPECT_EQ(mismatches_two, 0);
  // Neither this thread's count nor another connection's was touched.
  EXPECT_EQ(frame::LastChangedRowCount(kWindowId, kConnection), std::nullopt);
  EXPECT_EQ(frame::LastChangedRowCount(kWindowId, kOtherConnection), 7);
}

// The look-up that tells a row that is there from none and from a query that
// did not run.
TEST_F(DbServices, QueryFindsRowTellsARowFromNoneAndFromAFailure) {
  db_->ReturnRows("one", {{"ID"}, {{{FieldKind::kText, "a"}}}});
  db_->ReturnRows("none", {{"ID"}, {}});
  db_->FailStatement("bad");
  EXPECT_EQ(frame::QueryFindsRow(kWindowId, kConnection, "one"), true);
  EXPECT_EQ(frame::QueryFindsRow(kWindowId, kConnection, "none"), false);
  EXPECT_EQ(frame::QueryFindsRow(kWindowId, kConnection, "unscripted"), false);
  EXPECT_EQ(frame::QueryFindsRow(kWindowId, kConnection, "bad"), std::nullopt);
  EXPECT_EQ(frame::QueryFindsRow(kWindowId, kOtherConnection, "one"), std::nullopt)
      << "not connected";
  EXPECT_EQ(frame::QueryFindsRow(kWindowId, kRecords, "one"), std::nullopt);
  EXPECT_EQ(db_->statements().size(), 4u);
  EXPECT_TRUE(db_->statements().back().query);
}

TEST_F(DbServices, AtEndIsAlsoPropertyThirteen) {
  db_->ReturnRows("rows", {{"n"}, {{{FieldKind::kInteger, "1"}}, {{FieldKind::kInteger, "2"}}}});
  auto at_end = [] {
    return frame::GetControlProperty(kWindowId, kRecords, frame::Property::kAtEnd).AsBool();
  };
  EXPECT_TRUE(at_end());  // not open yet
  ASSERT_TRUE(frame::OpenRecordSet(kWindowId, kRecords, "rows"));
  frame::Text text;
  for (const char* expected : {"1", "2"}) {
    EXPECT_FALSE(at_end());
    EXPECT_TRUE(frame::ReadFieldText(kWindowId, kRecords, "N", text));
    EXPECT_EQ(text, expected);
    EXPECT_TRUE(frame::MoveNextRecord(kWindowId, kRecords));
  }
  EXPECT_TRUE(at_end());
  EXPECT_FALSE(frame::MoveNextRecord(kWindowId, kRecords));
}

// Column names match with ASCII case ignored, but a GBK trail byte that
// looks like a letter is no letter: 81 41 and 81 61 are two characters.
TEST_F(DbServices, FieldsAreFoundByNameWithOnlyAsciiCaseIgnored) {
  db_->ReturnRows("row", {{"\x81\x41", "\x81\x61", "Cash", frame::Gbk("金币"), "A\x81"},
                          {{{FieldKind::kText, "upper"},
                            {FieldKind::kText, "lower"},
                            {FieldKind::kInteger, "10"},
                            {FieldKind::kInteger, "20"},
                            {FieldKind::kText, "lone lead"}}}});
  ASSERT_TRUE(frame::OpenRecordSet(kWindowId, kRecords, "row"));
  struct Case {
    frame::Text name;
    const char* value;  // none: no such column
  };
  const Case cases[] = {
      {"\x81\x41", "upper"}, {"\x81\x61", "lower"},      {"cash", "10"},
      {"CASH", "10"},        {frame::Gbk("金币"), "20"}, {"a\x81", "lone lead"},
      {"Cas", nullptr},      {"\x81\x41\x81", nullptr},  {"A\xA1", nullptr},
  };
  for (const Case& c : cases) {
    frame::Text text = "left over";
    EXPECT_EQ(frame::ReadFieldText(kWindowId, kRecords, c.name, text), c.value != nullptr)
        << frame::Utf8(c.name);
    EXPECT_EQ(text, c.value != nullptr ? c.value : "") << frame::Utf8(c.name);
  }
}

TEST_F(DbServices, AnOpenRecordSetNeedsNoConnection) {
  db_->ReturnRows("rows", {{"n"}, {{{FieldKind::kInteger, "1"}}, {{FieldKind::kInteger, "2"}}}});
  db_->RefuseConnect(frame::ConnectsToDatabase("gone"));
  ASSERT_TRUE(frame::OpenRecordSet(kWindowId, kRecords, "rows"));
  // The failed reconnect leaves the connection closed.
  EXPECT_FALSE(frame::ConnectSqlServer(kWindowId, kConnection, "h", "gone", "u", "p"));
  EXPECT_FALSE(frame::ExecuteSql(kWindowId, kConnection, "rows"));

  frame::Text text;
  EXPECT_TRUE(frame::MoveNextRecord(kWindowId, kRecords));
  EXPECT_TRUE(frame::ReadFieldText(kWindowId, kRecords, 0, text));
  EXPECT_EQ(text, "2");
  EXPECT_TRUE(frame::MoveFirstRecord(kWindowId, kRecords));
  EXPECT_TRUE(frame::ReadFieldText(kWindowId, kRecords, 0, text));
  EXPECT_EQ(text, "1");
  // Reopening needs the connection, and a failed open leaves it closed.
  EXPECT_FALSE(frame::OpenRecordSet(kWindowId, kRecords, ""));
  EXPECT_TRUE(frame::AtEndOfRecords(kWindowId, kRecords));
  EXPECT_FALSE(frame::MoveFirstRecord(kWindowId, kRecords));
  EXPECT_FALSE(frame::ReadFieldText(kWindowId, kRecords, 0, text));
  EXPECT_EQ(text, "");
}

// While a reconnect logs in, the connection is closed: a statement from
// another thread fails at once instead of waiting for the login; one that
// was already running ends on the old session, and one queued behind it
// never runs there.
TEST_F(DbServices, AReconnectClosesTheConnectionUntilItsLoginEnds) {
  using std::chrono::milliseconds;
  db_->Script("long", {.delay = milliseconds(600)});
  db_->DelayConnect(frame::ConnectsToDatabase("slow"), milliseconds(1500));

  std::thread running([] { EXPECT_TRUE(frame::ExecuteSql(kWindowId, kConnection, "long")); });
  while (db_->statements().empty())
    std::this_thread::sleep_for(milliseconds(1));
  std::thread queued([] { EXPECT_FALSE(frame::ExecuteSql(kWindowId, kConnection, "queued")); });
  std::this_thread::sleep_for(milliseconds(100));
  std::thread reconnect(
      [] { EXPECT_TRUE(frame::ConnectSqlServer(kWindowId, kConnection, "h", "slow", "u", "p")); });
  std::this_thread::sleep_for(milliseconds(300));

  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(frame::ExecuteSql(kWindowId, kConnection, "during the login"));
  EXPECT_FALSE(frame::OpenRecordSet(kWindowId, kRecords, "during the login"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(200));

  running.join();
  queued.join();
  reconnect.join();
  EXPECT_TRUE(frame::ExecuteSql(kWindowId, kConnection, "after the login"));
  EXPECT_THAT(db_->statement_texts(), ElementsAre("long", "after the login"));
}

}  // namespace
