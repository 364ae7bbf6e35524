// Servers that answer a cancel late or never, or trickle an answer out a
// byte at a time, through the operators' driver (FreeTDS) and the TDS test
// server: a statement given up on holds its connection only until the
// driver lets it go, and only a broken link costs the connection.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "frame/db/db_connection.h"
#include "frame/db/db_services.h"
#include "frame/db/odbc/odbc_backend.h"
#include "frame/db/watched_call.h"
#include "frame/text/gbk.h"
#include "tests/frame/db/process_threads.h"
#include "tests/servers/postgres_test_server.h"
#include "tests/servers/tds_test_server.h"
#include "tests/support/db_test_window.h"
#include "tests/support/headless_program.h"

namespace {

using db_test::kConnection;
using db_test::kOtherConnection;
using db_test::kRecords;
using db_test::kWindowId;
using db_test::TdsFault;
using ::testing::HasSubstr;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr const char* kDatabase = "KV7_Member";

db_test::PostgresTestServer* postgres = nullptr;
db_test::TdsTestServer* tds = nullptr;

class Servers : public ::testing::Environment {
 public:
  void SetUp() override {
    postgres = &postgres_;
    ASSERT_TRUE(postgres_.Start()) << "the PostgreSQL test server did not start";
    ASSERT_TRUE(postgres_.RunSql("postgres", "CREATE DATABASE \"KV7_Member\""));
    ASSERT_TRUE(postgres_.RunSql(kDatabase,
                                 "CREATE TABLE \"Member\" (\"ID\" varchar(32), \"Cash\" integer);"
                                 "INSERT INTO \"Member\" VALUES ('玩家''一号', -2147483648)"));
    tds_ = std::make_unique<db_test::TdsTestServer>(postgres_.port());
    tds = tds_.get();
    ASSERT_TRUE(tds_->Start()) << "the TDS test server did not start";
    db_test::UseFreeTdsDriver();
  }
  void TearDown() override {
    tds_->Stop();
    postgres_.Stop();
  }

 private:
  db_test::PostgresTestServer postgres_;
  std::unique_ptr<db_test::TdsTestServer> tds_;
};

class SlowServer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_.Start());
    ASSERT_TRUE(frame::AttachRecordSet(kWindowId, kRecords, kConnection));
  }
  void TearDown() override { tds->SetFault(TdsFault::kNone); }

  static bool Connect(frame::ControlId connection = kConnection) {
    return frame::ConnectSqlServer(kWindowId, connection,
                                   "127.0.0.1," + std::to_string(tds->port()), kDatabase, "sa", "");
  }
  static bool Execute(const std::string& utf8, std::optional<int> timeout = std::nullopt,
                      frame::ControlId connection = kConnection) {
    return frame::ExecuteSql(kWindowId, connection, frame::Gbk(utf8), timeout);
  }
  frame::DbError LastError(frame::ControlId connection = kConnection) {
    return db_test::LastErrorOf(program_.runtime(), connection);
  }
  bool Busy(frame::ControlId connection = kConnection) {
    return LastError(connection) == frame::CallWatcher::BusyError();
  }
  // Whether `statement` ran within `limit`, tried again while the connection
  // is still busy with a statement given up on.
  bool RunsWithin(const std::string& statement, Clock::duration limit,
                  frame::ControlId connection = kConnection) {
    auto end = Clock::now() + limit;
    while (!Execute(statement, std::nullopt, connection)) {
      if (!Busy(connection) || Clock::now() > end) return false;
      std::this_thread::sleep_for(milliseconds(20));
    }
    return true;
  }
  static size_t BatchesSent() { return tds->batches().size(); }

  testing_support::HeadlessProgram program_{db_test::kProgram,
                                            frame::OdbcComponentFactory(tds->port())};
};

// The driver sends its cancel at the time-out and waits as long again for
// the answer; the caller stops waiting 1.5 s past the time-out. A server
// that answers in between (a long rollback) keeps the session.
TEST_F(SlowServer, ASessionWhoseCancelIsAnsweredLateReturnsToServiceByItself) {
  ASSERT_TRUE(Connect()) << LastError().Describe();
  size_t logins = tds->logins().size();
  tds->SetFault(TdsFault::kAckCancelLate);

  auto start = Clock::now();
  EXPECT_FALSE(Execute("SELECT pg_sleep(20)", 5));
  auto given_up = Clock::now() - start;
  EXPECT_GE(given_up, seconds(6));
  EXPECT_LT(given_up, seconds(5) + db_test::kLateCancelAck);
  EXPECT_EQ(LastError().state, "HYT00");

  // Until the driver has its answer, statements fail at once and send nothing.
  size_t batches = BatchesSent();
  auto refused = Clock::now();
  EXPECT_FALSE(
      Execute("UPDATE \"Member\" SET \"Cash\" = \"Cash\" + 100 WHERE \"ID\" = '玩家''一号'", 5));
  EXPECT_EQ(LastError(), frame::CallWatcher::BusyError());
  EXPECT_FALSE(
      frame::OpenRecordSet(kWindowId, kRecords, frame::Gbk("SELECT \"Cash\" FROM \"Member\"")));
  EXPECT_TRUE(frame::AtEndOfRecords(kWindowId, kRecords));
  EXPECT_LT(Clock::now() - refused, milliseconds(500));
  EXPECT_EQ(BatchesSent(), batches);

  EXPECT_TRUE(RunsWithin("SELECT 1", seconds(10))) << LastError().Describe();
  EXPECT_LT(Clock::now() - start, seconds(5) + db_test::kLateCancelAck + seconds(2));
  ASSERT_TRUE(frame::OpenRecordSet(kWindowId, kRecords,
                                   frame::Gbk("SELECT \"ID\", \"Cash\" FROM \"Member\"")))
      << LastError().Describe();
  frame::Text text;
  EXPECT_TRUE(frame::ReadFieldText(kWindowId, kRecords, "ID", text));
  EXPECT_EQ(frame::Utf8(text), "玩家'一号");
  EXPECT_EQ(tds->logins().size(), logins) << "the same session serves again, without a new login";
  EXPECT_EQ(
      postgres->Query(kDatabase,
                      "SELECT count(*) FROM pg_stat_activity WHERE query = 'SELECT pg_sleep(20)' "
                      "AND state = 'active'"),
      "0");
  EXPECT_EQ(program_.window().MessageBoxes().size(), 0u);
}

// A cancel that is never answered ends with the driver dropping the link:
// the session is gone, and a reconnect brings a new one.
TEST_F(SlowServer, ACancelNeverAnsweredDropsTheSession) {
  ASSERT_TRUE(Connect()) << LastError().Describe();
  tds->SetFault(TdsFault::kNeverAckCancel);
  auto start = Clock::now();
  EXPECT_FALSE(Execute("SELECT pg_sleep(20)", 3));
  EXPECT_LT(Clock::now() - start, seconds(3) + seconds(3));
  EXPECT_FALSE(Execute("SELECT 1"));
  EXPECT_EQ(LastError(), frame::CallWatcher::BusyError());

  tds->SetFault(TdsFault::kNone);
  EXPECT_FALSE(RunsWithin("SELECT 1", seconds(10)));
  EXPECT_EQ(LastError().state, "08S01");
  EXPECT_FALSE(Execute("SELECT 1", 5));
  EXPECT_EQ(LastError().state, "08S01");

  ASSERT_TRUE(Connect()) << LastError().Describe();
  EXPECT_TRUE(Execute("SELECT 1")) << LastError().Describe();
}

// A server that sends an answer a byte at a time never delivers a whole
// result: each call is given up on, cancelled, and freed once the driver
// returns, and the connection serves the next.
TEST_F(SlowServer, TrickledAnswersLeaveNoThreadsOrDescriptorsBehind) {
  ASSERT_TRUE(Connect(kConnection)) << LastError().Describe();
  ASSERT_TRUE(Connect(kOtherConnection)) << LastError(kOtherConnection).Describe();
  ASSERT_TRUE(Execute("SELECT 1", 5, kConnection)) << LastError().Describe();
  ASSERT_TRUE(Execute("SELECT 1", 5, kOtherConnection)) << LastError(kOtherConnection).Describe();
  const size_t threads = db_test::ThreadCount();
  const size_t descriptors = db_test::DescriptorCount();
  tds->SetFault(TdsFault::kTrickle);

  const std::string trickled = "SELECT repeat(N'玩家', 100000) AS v";
  // Each call starts once the last one has let its connection go.
  auto calls = [&](frame::ControlId connection) {
    int given_up = 0;
    for (int call = 0; call < 10; ++call) {
      auto first = Clock::now();
      auto start = first;
      bool ran = false;
      for (;;) {
        start = Clock::now();
        ran = Execute(trickled, 1, connection);
        if (ran || !Busy(connection) || start - first > seconds(10)) break;
        std::this_thread::sleep_for(milliseconds(20));
      }
      bool waited = Clock::now() - start >= seconds(2);
      if (!ran && waited && LastError(connection).state == "HYT00") ++given_up;
    }
    return given_up;
  };
  auto other = std::async(std::launch::async, calls, kOtherConnection);
  EXPECT_EQ(calls(kConnection), 10);
  EXPECT_EQ(other.get(), 10);

  tds->SetFault(TdsFault::kNone);
  std::vector<std::string> batches = tds->batches();
  EXPECT_EQ(std::count(batches.begin(), batches.end(), trickled), 20);
  EXPECT_TRUE(RunsWithin("SELECT 1", seconds(5), kConnection)) << LastError().Describe();
  EXPECT_TRUE(RunsWithin("SELECT 1", seconds(5), kOtherConnection))
      << LastError(kOtherConnection).Describe();
  EXPECT_EQ(db_test::ThreadCount(), threads);
  EXPECT_EQ(db_test::DescriptorCount(), descriptors);
}

// A statement whose thread cannot start fails as any statement does, and
// the next one starts it.
TEST_F(SlowServer, AStatementWhoseThreadCannotStartFails) {
  ASSERT_TRUE(Connect(kOtherConnection)) << LastError(kOtherConnection).Describe();
  constexpr frame::ControlId kOtherRecords = db_test::RecordSetId(1);
  ASSERT_TRUE(frame::AttachRecordSet(kWindowId, kOtherRecords, kOtherConnection));
  size_t batches = BatchesSent();
  std::thread([&] {
    ASSERT_TRUE(db_test::ForbidNewThreadsOnThisThread());
    EXPECT_FALSE(Execute("UPDATE \"Member\" SET \"Cash\" = 0", 5, kOtherConnection));
    EXPECT_FALSE(Execute("UPDATE \"Member\" SET \"Cash\" = 0", std::nullopt, kOtherConnection));
    EXPECT_FALSE(frame::OpenRecordSet(kWindowId, kOtherRecords,
                                      frame::Gbk("SELECT \"Cash\" FROM \"Member\"")));
    EXPECT_TRUE(frame::AtEndOfRecords(kWindowId, kOtherRecords));
  }).join();
  EXPECT_EQ(LastError(kOtherConnection).state, "HY000");
  EXPECT_THAT(LastError(kOtherConnection).message, HasSubstr("no thread"));
  EXPECT_EQ(BatchesSent(), batches);

  ASSERT_TRUE(
      frame::OpenRecordSet(kWindowId, kOtherRecords, frame::Gbk("SELECT \"Cash\" FROM \"Member\"")))
      << LastError(kOtherConnection).Describe();
  frame::Text text;
  EXPECT_TRUE(frame::ReadFieldText(kWindowId, kOtherRecords, "Cash", text));
  EXPECT_EQ(text, "-2147483648");
  EXPECT_EQ(program_.window().MessageBoxes().size(), 0u);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new Servers);
  return RUN_ALL_TESTS();
}
