// Logins through the real drivers with values that the connection text has
// to carry whole: a value the driver would change or split never reaches
// it, and a value with "}" that needs no braces logs in as it stands.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frame/db/connection_text.h"
#include "frame/db/db_connection.h"
#include "frame/db/db_services.h"
#include "frame/db/odbc/odbc_backend.h"
#include "frame/db/odbc/odbc_environment.h"
#include "frame/db/odbc/registered_driver.h"
#include "frame/text/gbk.h"
#include "tests/servers/postgres_test_server.h"
#include "tests/servers/suite_driver.h"
#include "tests/servers/tds/tds_login.h"
#include "tests/support/db_test_window.h"
#include "tests/support/headless_program.h"

namespace {

using db_test::kConnection;
using db_test::kRecords;
using db_test::kWindowId;
using ::testing::HasSubstr;

constexpr const char* kDatabase = "KV7_Member";
constexpr const char* kBraceDatabase = "K}V{7";  // needs no braces
constexpr const char* kBraceUser = "s}a";

db_test::PostgresTestServer* server = nullptr;
db_test::SuiteDriver* driver = nullptr;

class Servers : public ::testing::Environment {
 public:
  void SetUp() override {
    server = &server_;
    driver = &driver_;
    ASSERT_TRUE(server_.Start()) << "the test server did not start";
    for (const std::string& sql : {std::string("CREATE DATABASE \"") + kDatabase + "\"",
                                   std::string("CREATE DATABASE \"") + kBraceDatabase + "\"",
                                   std::string("CREATE ROLE \"") + kBraceUser + "\" LOGIN"}) {
      ASSERT_TRUE(server_.RunSql("postgres", sql)) << sql;
    }
    ASSERT_TRUE(driver_.Start(server_)) << "the TDS test server did not start";
  }
  void TearDown() override {
    driver_.Stop();
    server_.Stop();
  }

 private:
  db_test::PostgresTestServer server_;
  db_test::SuiteDriver driver_;
};

std::string Repeat(const std::string& text, size_t times) {
  std::string out;
  for (size_t i = 0; i < times; ++i)
    out += text;
  return out;
}

// The logins the TDS test server has received; none through PostgreSQL's
// own driver, which talks to PostgreSQL directly.
std::vector<std::vector<uint8_t>> Logins() {
  return driver->Logins();
}

class ConnectionTexts : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_.Start());
    ASSERT_TRUE(frame::AttachRecordSet(kWindowId, kRecords, kConnection));
  }

  // The texts in UTF-8, as the operator typed them.
  static bool Connect(const std::string& database, const std::string& user,
                      const std::string& password) {
    return frame::ConnectSqlServer(kWindowId, kConnection, driver->server_text(),
                                   frame::Gbk(database), frame::Gbk(user), frame::Gbk(password));
  }
  static std::string Query(const char* expression) {
    if (!frame::OpenRecordSet(kWindowId, kRecords, std::string("SELECT ") + expression + " AS v")) {
      return "(failed)";
    }
    frame::Text text;
    frame::ReadFieldText(kWindowId, kRecords, "v", text);
    return frame::Utf8(text);
  }
  frame::DbError LastError() { return db_test::LastErrorOf(program_.runtime()); }

  testing_support::HeadlessProgram program_{db_test::kProgram,
                                            frame::OdbcComponentFactory(driver->port())};
};

// Through FreeTDS such a value arrived changed or split the text: "{abc}" as
// "{abc}}", the second user as "evil}", and values past 128 characters cut.
TEST_F(ConnectionTexts, AValueTheDriverCannotTakeWholeSendsNothing) {
  const std::string chinese_128 = Repeat("龙", 128);
  struct Case {
    const char* what;
    std::string database;
    std::string user;
    std::string password;
  };
  std::vector<Case> cases = {
      {"a password in braces holding }", kDatabase, "sa", "{abc}"},
      {"a user that names another database and user", kDatabase, "x};DATABASE=postgres;UID=evil",
       "pw"},
      {"a password with ; and }", kDatabase, "sa", "a;b}"},
      {"a database in braces holding }", "{K}V7}", "sa", "pw"},
      {"a user of 129 characters", kDatabase, std::string(129, 'u'), "pw"},
      {"a password of 129 Chinese characters", kDatabase, "sa", chinese_128 + "龙"},
      {"a database of 129 characters", std::string(129, 'd'), "sa", "pw"},
  };
  // Wine has no GB18030: without its four-byte codes 𠀀 has no bytes.
  if (frame::HasFourByteCodes()) {
    cases.push_back(
        {"a password one unit too long in UTF-16", kDatabase, "sa", Repeat("龙", 127) + "𠀀"});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(Connect(kDatabase, "sa", "pw")) << LastError().Describe();
    const size_t logins = Logins().size();
    EXPECT_FALSE(Connect(c.database, c.user, c.password));
    EXPECT_EQ(Logins().size(), logins);
    EXPECT_EQ(LastError().state, "22001");
    EXPECT_THAT(LastError().message, HasSubstr("the driver cannot take the"));
    EXPECT_EQ(Query("1"), "(failed)") << "the connection stays closed";
  }
}

// The values as typed arrive in the login, and the session is in the
// database named.
TEST_F(ConnectionTexts, ValuesWithABraceThatNeedNoBracesLogInWhole) {
  struct Case {
    std::string database;
    std::string user;
    std::string password;
  };
  const Case cases[] = {
      {kBraceDatabase, kBraceUser, "a}b"},
      {kBraceDatabase, "sa", "}"},
      {kDatabase, kBraceUser, "pw}{"},
      {kDatabase, "sa", "pw;DATABASE=postgres"},  // braced, no "}"
      {kDatabase, "sa", "{pw"},
      {kDatabase, "sa", Repeat("龙", 128)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.database + " " + c.user + " " + c.password);
    ASSERT_TRUE(Connect(c.database, c.user, c.password)) << LastError().Describe();
    EXPECT_EQ(Query("current_database()"), c.database);
    if (db_test::SuiteDriver::UsesFreeTds()) {
      std::optional<db_test::tds::Login7> login = db_test::tds::DecodeLogin7(Logins().back());
      ASSERT_TRUE(login.has_value());
      EXPECT_EQ(login->database, c.database);
      EXPECT_EQ(login->user, c.user);
      EXPECT_EQ(login->password, c.password);
    }
  }
}

// The driver takes the text's length as a 16-bit number: a text longer than
// 32767 UTF-16 units is refused, where at 65,536 its length wrapped and the
// driver logged in without the DATABASE item.
TEST_F(ConnectionTexts, ATextLongerThanTheDriverTakesSendsNothing) {
  frame::OdbcBackend backend(driver->port());
  // The padding is in an item of no meaning to the login; the driver's own
  // items (the port after the bare host, FreeTDS's protocol) count too.
  auto driver_units = [](const std::string& text) {
    return frame::RegisteredDriverText(frame::OdbcEnvironment(), text, driver->port())
        .value()
        .size();
  };
  auto text_of_units = [&](size_t units) {
    const std::string head = "DRIVER=SQL Server;SERVER=127.0.0.1;UID=sa;PWD=pw;APP=";
    std::string text = head + ";DATABASE=" + kDatabase + ";";
    text.insert(head.size(), units - driver_units(text), 'a');
    return text;
  };
  struct Case {
    size_t units;
    bool connects;
  };
  for (const Case& c : {Case{32767, true}, Case{32768, false}, Case{65536 + 40, false}}) {
    SCOPED_TRACE(c.units);
    const std::string text = text_of_units(c.units);
    ASSERT_EQ(driver_units(text), c.units);
    const size_t logins = Logins().size();
    frame::DbResult<std::unique_ptr<frame::SqlSession>> session =
        backend.Connect(kConnection, text);
    ASSERT_EQ(session.ok(), c.connects) << (session.ok() ? "" : session.error().Describe());
    if (c.connects) continue;
    EXPECT_EQ(session.error(),
              (frame::DbError{"22001", "the connection text is longer than the driver takes"}));
    EXPECT_EQ(Logins().size(), logins);
  }
}

// The protocol version of the last login the TDS test server received.
uint32_t LoginVersion() {
  std::vector<std::vector<uint8_t>> logins = Logins();
  if (logins.empty()) return 0;
  std::optional<db_test::tds::Login7> login = db_test::tds::DecodeLogin7(logins.back());
  return login ? login->tds_version : 0;
}

// The adjustments follow the driver registered as "SQL Server", found
// through the driver manager as the programs find it. Through FreeTDS the
// login asks for protocol 7.4, or for the version the text names.
TEST_F(ConnectionTexts, TheDriverManagerNamesTheDriverInUse) {
  const std::string file = frame::RegisteredDriverFile(frame::OdbcEnvironment(), "SQL Server");
  EXPECT_THAT(file, ::testing::EndsWith(db_test::SuiteDriver::UsesFreeTds() ? "/libtdsodbc.so"
                                                                            : "/psqlodbcw.so"));
  if (!db_test::SuiteDriver::UsesFreeTds()) return;
  ASSERT_TRUE(Connect(kDatabase, "sa", "pw")) << LastError().Describe();
  EXPECT_EQ(LoginVersion(), db_test::tds::kTds74);
  // FreeTDS takes the version from the connection text, as it must on
  // Windows, where the programs cannot hand it an environment variable.
  frame::OdbcBackend backend(driver->port());
  ASSERT_TRUE(backend
                  .Connect(kConnection, std::string("DRIVER=SQL Server;SERVER=127.0.0.1;UID=sa;"
                                                    "PWD=pw;TDS_Version=7.2;DATABASE=") +
                                            kDatabase + ";")
                  .ok());
  EXPECT_EQ(LoginVersion(), 0x72090002u);
}

// Under wine the driver reads only the environment that wine started with,
// which the suite cannot change.
#ifndef _WIN32
TEST_F(ConnectionTexts, AVersionTheOperatorSetIsLeftToFreeTds) {
  if (!db_test::SuiteDriver::UsesFreeTds()) GTEST_SKIP() << "FreeTDS's own setting";
  setenv("TDSVER", "7.2", 1);
  const bool connected = Connect(kDatabase, "sa", "pw");
  unsetenv("TDSVER");
  ASSERT_TRUE(connected) << LastError().Describe();
  EXPECT_EQ(LoginVersion(), 0x72090002u);
}
#endif

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new Servers);
  return RUN_ALL_TESTS();
}
