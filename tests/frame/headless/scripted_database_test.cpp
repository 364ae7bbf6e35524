// The scripted database as handler suites use it: what it records and how
// it answers.
#include "frame/headless/scripted_database.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "frame/db/component_factory.h"
#include "frame/db/db_connection.h"
#include "frame/db/db_services.h"
#include "tests/support/db_test_window.h"
#include "tests/support/headless_program.h"

namespace {

using db_test::kConnection;
using db_test::kOtherConnection;
using db_test::kRecords;
using db_test::kWindowId;
using frame::FieldKind;
using frame::ScriptedDatabase;
using ::testing::ElementsAre;

class ScriptedDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(program_.Start()); }

  bool Connect(frame::ControlId connection, const char* database) {
    return frame::ConnectSqlServer(kWindowId, connection, "127.0.0.1,1433", database, "sa", "");
  }
  // What handlers never see: why the connection's last operation failed.
  std::string LastState(frame::ControlId connection) {
    return db_test::LastErrorOf(program_.runtime(), connection).state;
  }

  std::shared_ptr<ScriptedDatabase> db_ = std::make_shared<ScriptedDatabase>();
  testing_support::HeadlessProgram program_{db_test::kProgram,
                                            frame::DatabaseComponentFactory(db_)};
};

TEST_F(ScriptedDatabaseTest, RecordsConnectsAndRefusesTheScriptedOnes) {
  db_->RefuseConnect(frame::ConnectsToDatabase("KV7_User"));
  EXPECT_TRUE(Connect(kConnection, "KV7_Member"));
  EXPECT_FALSE(Connect(kOtherConnection, "KV7_User"));
  EXPECT_EQ(LastState(kOtherConnection), "08001");
  EXPECT_THAT(
      db_->connects(),
      ElementsAre(
          ScriptedDatabase::ConnectRecord{
              kConnection,
              "DRIVER=SQL Server;SERVER=127.0.0.1,1433;UID=sa;PWD=;DATABASE=KV7_Member;", true},
          ScriptedDatabase::ConnectRecord{
              kOtherConnection,
              "DRIVER=SQL Server;SERVER=127.0.0.1,1433;UID=sa;PWD=;DATABASE=KV7_User;", false}));

  // Nothing reaches the database through a connection that did not open.
  EXPECT_FALSE(frame::ExecuteSql(kWindowId, kOtherConnection, "delete from TB_Event"));
  EXPECT_EQ(LastState(kOtherConnection), "08003");
  EXPECT_TRUE(db_->statements().empty());
}

TEST_F(ScriptedDatabaseTest, RecordsEveryStatementWithItsConnectionAndTimeOut) {
  ASSERT_TRUE(Connect(kConnection, "KV7_Member"));
  ASSERT_TRUE(Connect(kOtherConnection, "KV7_User"));
  db_->FailStatement("bad");
  EXPECT_TRUE(frame::ExecuteSql(kWindowId, kConnection, "a"));
  EXPECT_TRUE(frame::ExecuteSql(kWindowId, kOtherConnection, "b", 5));
  EXPECT_FALSE(frame::ExecuteSql(kWindowId, kConnection, "bad", 0));
  EXPECT_EQ(LastState(kConnection), "42000");
  EXPECT_TRUE(frame::ExecuteSql(kWindowId, kConnection, "c", -1));
  ASSERT_TRUE(frame::AttachRecordSet(kWindowId, kRecords, kOtherConnection));
  EXPECT_TRUE(frame::OpenRecordSet(kWindowId, kRecords, "d"));

  using Record = ScriptedDatabase::StatementRecord;
  EXPECT_THAT(db_->statements(), ElementsAre(Record{kConnection, "a", 30, false, true},
                                             Record{kOtherConnection, "b", 5, false, true},
                                             Record{kConnection, "bad", 0, false, false},
                                             Record{kConnection, "c", 30, false, true},
                                             Record{kOtherConnection, "d", 30, true, true}));
  EXPECT_THAT(db_->statement_texts(), ElementsAre("a", "b", "bad", "c", "d"));
}

TEST_F(ScriptedDatabaseTest, TheLastMatchingRuleDecides) {
  ASSERT_TRUE(Connect(kConnection, "KV7_Member"));
  db_->FailStatement(frame::Contains("Member"));
  db_->Script("update Member set Cash='1'", {.changed_rows = 1});
  db_->FailStatement([](std::string_view text) { return text.ends_with("'0'"); });

  EXPECT_FALSE(frame::ExecuteSql(kWindowId, kConnection, "delete from Member"));
  EXPECT_TRUE(frame::ExecuteSql(kWindowId, kConnection, "update Member set Cash='1'"));
  EXPECT_EQ(frame::LastChangedRowCount(kWindowId, kConnection), 1);
  EXPECT_FALSE(frame::ExecuteSql(kWindowId, kConnection, "update Member set Cash='0'"));
  EXPECT_EQ(frame::LastChangedRowCount(kWindowId, kConnection), std::nullopt);
  // Unscripted statements succeed without a count.
  EXPECT_TRUE(frame::ExecuteSql(kWindowId, kConnection, "update TB_Event set Memo=''"));
  EXPECT_EQ(frame::LastChangedRowCount(kWindowId, kConnection), std::nullopt);
}

TEST_F(ScriptedDatabaseTest, RecordSetsReadTheScriptedRowsInTheirTextForms) {
  ASSERT_TRUE(Connect(kConnection, "KV7_Member"));
  db_->ReturnRows("SELECT ID, Cash, MemberKey FROM Member",
                  {{"ID", "Cash", "MemberKey"},
                   {{{FieldKind::kText, frame::Gbk("玩家")},
                     {FieldKind::kDecimal, "1500"},
                     {FieldKind::kGuid, "a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11"}},
                    {{FieldKind::kText, "b"}, {}, {}}}});
  ASSERT_TRUE(frame::AttachRecordSet(kWindowId, kRecords, kConnection));
  ASSERT_TRUE(frame::OpenRecordSet(kWindowId, kRecords, "SELECT ID, Cash, MemberKey FROM Member"));

  std::vector<std::string> read;
  for (frame::MoveFirstRecord(kWindowId, kRecords); !frame::AtEndOfRecords(kWindowId, kRecords);
       frame::MoveNextRecord(kWindowId, kRecords)) {
    for (const char* column : {"ID", "Cash", "MemberKey"}) {
      frame::Text text;
      frame::ReadFieldText(kWindowId, kRecords, column, text);
      read.push_back(text);
    }
  }
  EXPECT_THAT(read, ElementsAre(frame::Gbk("玩家"), "1500.00000000",
                                "{A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11}", "b", "", ""));

  // An unscripted query opens with no rows.
  EXPECT_TRUE(frame::OpenRecordSet(kWindowId, kRecords, "SELECT 1"));
  EXPECT_TRUE(frame::AtEndOfRecords(kWindowId, kRecords));
}

TEST_F(ScriptedDatabaseTest, ADelayLongerThanTheTimeOutFailsWhenTheTimeOutIsUp) {
  ASSERT_TRUE(Connect(kConnection, "KV7_Member"));
  db_->Script("slow", {.delay = std::chrono::milliseconds(1500)});
  auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(frame::ExecuteSql(kWindowId, kConnection, "slow", 1));
  auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(elapsed, std::chrono::seconds(1));
  EXPECT_LT(elapsed, std::chrono::milliseconds(1400));
  EXPECT_EQ(LastState(kConnection), "HYT00");

  start = std::chrono::steady_clock::now();
  EXPECT_TRUE(frame::ExecuteSql(kWindowId, kConnection, "slow", 0));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
}

TEST_F(ScriptedDatabaseTest, ServesSeveralThreadsAtOnce) {
  ASSERT_TRUE(Connect(kConnection, "KV7_Member"));
  ASSERT_TRUE(Connect(kOtherConnection, "KV7_User"));
  db_->Script(frame::Contains("update"),
              {.changed_rows = 1, .delay = std::chrono::milliseconds(1)});
  constexpr int kThreads = 4;
  constexpr int kStatements = 25;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      frame::ControlId connection = t % 2 == 0 ? kConnection : kOtherConnection;
      for (int i = 0; i < kStatements; ++i) {
        frame::ExecuteSql(kWindowId, connection, "update " + std::to_string(t));
      }
    });
  }
  for (std::thread& thread : threads)
    thread.join();

  std::vector<int> per_thread(kThreads);
  for (const auto& record : db_->statements()) {
    int t = std::stoi(record.text.substr(7));
    EXPECT_EQ(record.connection, t % 2 == 0 ? kConnection : kOtherConnection);
    EXPECT_TRUE(record.succeeded);
    ++per_thread[t];
  }
  EXPECT_THAT(per_thread, ::testing::Each(kStatements));
}

}  // namespace
