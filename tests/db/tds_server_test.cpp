#include <gtest/gtest.h>

#include "frame/db/db_connection.h"
#include "frame/db/db_services.h"
#include "frame/db/odbc_backend.h"
#include "tests/db/db_test_window.h"
#include "tests/db/postgres_test_server.h"
#include "tests/db/sql_server_types.h"
#include "tests/db/tds_test_server.h"
#include "tests/support/headless_program.h"

namespace {

using db_test::kConnection;
using db_test::kRecords;
using db_test::kWindowId;
using frame::Text;

db_test::PostgresTestServer* postgres = nullptr;
db_test::TdsTestServer* tds = nullptr;

class Environment : public ::testing::Environment {
 public:
  void SetUp() override {
    postgres = &postgres_;
    ASSERT_TRUE(postgres_.Start());
    ASSERT_TRUE(postgres_.RunSql("postgres", "CREATE DATABASE \"TdsTest\""));
    ASSERT_TRUE(
        postgres_.RunSql("TdsTest", "ALTER DATABASE \"TdsTest\" SET search_path = dbo, public"));
    ASSERT_TRUE(postgres_.RunSql("TdsTest", "CREATE SCHEMA dbo"));
    ASSERT_TRUE(postgres_.RunSql("TdsTest", db_test::kSqlServerTypesSql));
    tds_ = std::make_unique<db_test::TdsTestServer>(postgres_.port());
    tds = tds_.get();
    ASSERT_TRUE(tds_->Start());
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

class TdsServer : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(program_.Start()); }
  bool Connect() {
    return frame::ConnectSqlServer(kWindowId, kConnection,
                                   "127.0.0.1," + std::to_string(tds->port()), "TdsTest", "sa",
                                   "secret");
  }
  std::string Diagnostic() {
    auto* connection = dynamic_cast<frame::DBConnection*>(
        program_.runtime().FindComponent(kWindowId, kConnection));
    return connection != nullptr ? connection->last_diagnostic() : "";
  }
  testing_support::HeadlessProgram program_{db_test::kProgram, frame::OdbcComponentFactory()};
};

TEST_F(TdsServer, Smoke) {
  ASSERT_TRUE(Connect()) << Diagnostic();
  EXPECT_TRUE(frame::ExecuteSql(kWindowId, kConnection, "SELECT 1")) << Diagnostic();
  ASSERT_TRUE(frame::AttachRecordSet(kWindowId, kRecords, kConnection));
  ASSERT_TRUE(frame::OpenRecordSet(kWindowId, kRecords, "SELECT 42 AS n, 'abc' AS t"))
      << Diagnostic();
  Text text;
  EXPECT_TRUE(frame::ReadFieldText(kWindowId, kRecords, "n", text));
  EXPECT_EQ(text, "42");
  EXPECT_TRUE(frame::ReadFieldText(kWindowId, kRecords, "t", text));
  EXPECT_EQ(text, "abc");
  for (auto& b : tds->batches())
    printf("batch: %s\n", b.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new Environment);
  return RUN_ALL_TESTS();
}
