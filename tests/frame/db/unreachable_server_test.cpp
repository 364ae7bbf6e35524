// Servers that are not there, go away, or never answer, on a private
// PostgreSQL of this suite's own (stopping it would disturb any other suite).
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include "frame/db/db_services.h"
#include "frame/db/odbc/odbc_backend.h"
#include "tests/servers/postgres_test_server.h"
#include "tests/support/db_test_window.h"
#include "tests/support/headless_program.h"

namespace {

using db_test::kConnection;
using db_test::kRecords;
using db_test::kWindowId;
using Clock = std::chrono::steady_clock;

db_test::PostgresTestServer* server = nullptr;

class ServerEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    server = &server_;
    ASSERT_TRUE(server_.Start()) << "the test server did not start";
    db_test::UseTestOdbcDriver(server_.port());
    ASSERT_TRUE(server_.RunSql("postgres", "CREATE DATABASE \"KV7_Member\""));
  }
  void TearDown() override { server_.Stop(); }

 private:
  db_test::PostgresTestServer server_;
};

class UnreachableServer : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(program_.Start()); }
  void TearDown() override { ASSERT_TRUE(server->Start()); }

  static bool Connect() {
    return frame::ConnectSqlServer(kWindowId, kConnection, "127.0.0.1", "KV7_Member", "sa", "");
  }

  testing_support::HeadlessProgram program_{db_test::kProgram,
                                            frame::OdbcComponentFactory(server->port())};
};

TEST_F(UnreachableServer, AConnectToAClosedPortFailsQuickly) {
  server->Stop();
  auto start = Clock::now();
  EXPECT_FALSE(Connect());
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
  EXPECT_FALSE(frame::ExecuteSql(kWindowId, kConnection, "SELECT 1"));
}

TEST_F(UnreachableServer, EveryCallFailsWhileTheServerIsGoneAndAReconnectWorksAfter) {
  ASSERT_TRUE(Connect());
  ASSERT_TRUE(frame::AttachRecordSet(kWindowId, kRecords, kConnection));
  ASSERT_TRUE(frame::OpenRecordSet(kWindowId, kRecords, "SELECT generate_series(1, 3) AS n"));
  server->Stop();

  // What is open reads on: it needs no connection.
  frame::Text text;
  ASSERT_TRUE(frame::MoveNextRecord(kWindowId, kRecords));
  EXPECT_TRUE(frame::ReadFieldText(kWindowId, kRecords, "n", text));
  EXPECT_EQ(text, "2");

  auto start = Clock::now();
  EXPECT_FALSE(frame::ExecuteSql(kWindowId, kConnection, "SELECT 1"));
  EXPECT_FALSE(frame::ExecuteSql(kWindowId, kConnection, "SELECT 1", 5));
  EXPECT_FALSE(frame::OpenRecordSet(kWindowId, kRecords, ""));
  EXPECT_TRUE(frame::AtEndOfRecords(kWindowId, kRecords));
  EXPECT_FALSE(Connect());
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));

  ASSERT_TRUE(server->Start());
  EXPECT_TRUE(Connect());
  EXPECT_TRUE(frame::ExecuteSql(kWindowId, kConnection, "SELECT 1"));
  EXPECT_TRUE(frame::OpenRecordSet(kWindowId, kRecords, ""));
  EXPECT_TRUE(frame::ReadFieldText(kWindowId, kRecords, "n", text));
  EXPECT_EQ(text, "1");
  EXPECT_EQ(program_.window().MessageBoxes().size(), 0u);
}

// A server that takes the connection and never answers: the login gives up
// after its time-out instead of waiting forever.
class SilentListener : public ::testing::Test {
 protected:
  SilentListener() : listener_(db_test::BindLoopbackSocket(port_)) {}
  ~SilentListener() override {
    if (listener_ >= 0) close(listener_);
  }

  int port_ = 0;
  const int listener_;
  testing_support::HeadlessProgram program_{db_test::kProgram, frame::OdbcComponentFactory(port_)};
};

TEST_F(SilentListener, ALoginThatGetsNoAnswerGivesUpAfterItsTimeOut) {
  ASSERT_GE(listener_, 0);
  ASSERT_EQ(listen(listener_, 4), 0);
  ASSERT_TRUE(program_.Start());

  auto start = Clock::now();
  EXPECT_FALSE(
      frame::ConnectSqlServer(kWindowId, kConnection, "127.0.0.1", "KV7_Member", "sa", ""));
  auto elapsed = Clock::now() - start;
  EXPECT_GE(elapsed, std::chrono::seconds(frame::OdbcBackend::kLoginTimeoutSeconds - 1));
  EXPECT_LT(elapsed, std::chrono::seconds(frame::OdbcBackend::kLoginTimeoutSeconds + 10));
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new ServerEnvironment);
  return RUN_ALL_TESTS();
}
