#include "tests/support/game_databases.h"

#include <gtest/gtest.h>

#include "frame/db/odbc/odbc_backend.h"
#include "tests/servers/sql_server_types.h"

namespace game_databases {
namespace {

constexpr const char* kDatabases[] = {"KV7_Member", "KV7_SiteConfig", "KV7_User"};

class Databases : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(Server().Start()) << "the test server did not start";
    for (const char* database : kDatabases) {
      std::string name = std::string("\"") + database + "\"";
      Execute("postgres", "CREATE DATABASE " + name);
      Execute("postgres", "ALTER DATABASE " + name + " SET search_path = dbo, public");
      Execute(database, "CREATE SCHEMA dbo");
      Execute(database, db_test::kSqlServerTypesSql);
    }
    ASSERT_TRUE(Driver().Start(Server())) << "the TDS test server did not start";
  }
  void TearDown() override {
    Driver().Stop();
    Server().Stop();
  }
};

}  // namespace

db_test::PostgresTestServer& Server() {
  static db_test::PostgresTestServer server;
  return server;
}

db_test::SuiteDriver& Driver() {
  static db_test::SuiteDriver driver;
  return driver;
}

frame::ComponentFactory Components() {
  return frame::OdbcComponentFactory(Driver().port());
}

std::string ServerText() {
  return Driver().server_text();
}

std::string ConfigIni() {
  return "[Server]\r\nIP=" + ServerText() +
         "\r\nID=sa\r\nPW=pw\r\nDB1=KV7_Member\r\n"
         "DB2=KV7_SiteConfig\r\nDB3=KV7_User\r\n";
}

TriggerCountOnFreeTds::TriggerCountOnFreeTds(int64_t count) {
  Driver().SetTriggerCount(count);
}

TriggerCountOnFreeTds::~TriggerCountOnFreeTds() {
  Driver().SetTriggerCount(std::nullopt);
}

void Execute(std::string_view database, std::string_view sql) {
  EXPECT_TRUE(Server().RunSql(database, sql)) << sql;
}

std::string Query(std::string_view database, std::string_view sql) {
  std::optional<std::string> rows = Server().Query(database, sql);
  EXPECT_TRUE(rows.has_value()) << sql;
  return rows.value_or("");
}

}  // namespace game_databases

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new game_databases::Databases);
  return RUN_ALL_TESTS();
}
