#include "tests/support/game_databases.h"

#include <gtest/gtest.h>

#include "frame/db/odbc_backend.h"

namespace game_databases {
namespace {

constexpr const char* kDatabases[] = {"KV7_Member", "KV7_SiteConfig", "KV7_User"};

class Databases : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(Server().Start()) << "the test server did not start";
    db_test::UseTestOdbcDriver(Server().port());
    for (const char* database : kDatabases) {
      std::string name = std::string("\"") + database + "\"";
      Execute("postgres", "CREATE DATABASE " + name);
      Execute("postgres", "ALTER DATABASE " + name + " SET search_path = dbo, public");
      Execute(database, "CREATE SCHEMA dbo");
    }
  }
  void TearDown() override { Server().Stop(); }
};

}  // namespace

db_test::PostgresTestServer& Server() {
  static db_test::PostgresTestServer server;
  return server;
}

frame::ComponentFactory Components() {
  return frame::OdbcComponentFactory(Server().port());
}

std::string ConfigIni() {
  return "[Server]\r\nIP=127.0.0.1\r\nID=sa\r\nPW=pw\r\nDB1=KV7_Member\r\n"
         "DB2=KV7_SiteConfig\r\nDB3=KV7_User\r\n";
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
