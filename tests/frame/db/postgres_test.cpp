// The components over ODBC against a real server, driven through the
// services as handlers call them: a private PostgreSQL reached through its
// own ODBC driver, or through FreeTDS and the TDS test server, each
// registered as "SQL Server".
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "frame/db/db_connection.h"
#include "frame/db/db_services.h"
#include "frame/db/odbc/odbc_backend.h"
#include "tests/servers/postgres_test_server.h"
#include "tests/servers/suite_driver.h"
#include "tests/support/db_test_window.h"
#include "tests/support/headless_program.h"

namespace {

using db_test::kConnection;
using db_test::kRecords;
using db_test::kWindowId;
using db_test::RecordSetId;
using frame::Text;
using ::testing::AnyOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

db_test::PostgresTestServer* server = nullptr;
db_test::SuiteDriver* driver = nullptr;

// Tables as SQL Server would hold them in dbo; the database finds them
// there by name, as SQL Server does.
constexpr const char* kSchema = R"sql(
ALTER DATABASE "KV7_Member" SET search_path = dbo, public;
CREATE SCHEMA dbo;
CREATE TABLE dbo.Member (ID varchar(20) PRIMARY KEY, Cash numeric(18, 0),
  BonusCash numeric(18, 2), MemberKey uuid, Joined timestamp);
INSERT INTO dbo.Member VALUES
  ('alpha', 1500, NULL, 'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11', '2015-10-01 00:00:00'),
  ('beta', 999999999999999999, 12.5, NULL, '2015-10-01 13:45:30.25'),
  ('gamma', 0, 0, NULL, NULL);
CREATE TABLE dbo.Notice (Channel integer, Notice_InGame varchar(200));
INSERT INTO dbo.Notice VALUES (1, 'one'), (2, 'two'), (3, 'three');
CREATE TABLE dbo.Realm (Realm integer, Name varchar(20));
INSERT INTO dbo.Realm VALUES (1, 'one'), (2, 'two'), (3, 'three');
CREATE TABLE dbo.Counter (Worker integer, N integer);
)sql";

class PostgresEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    server = &server_;
    driver = &driver_;
    ASSERT_TRUE(server_.Start()) << "the test server did not start";
    ASSERT_TRUE(server_.RunSql("postgres", "CREATE DATABASE \"KV7_Member\""));
    ASSERT_TRUE(server_.RunSql("KV7_Member", kSchema));
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

class Postgres : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_.Start());
    ASSERT_TRUE(Connect("KV7_Member"));
    ASSERT_TRUE(frame::AttachRecordSet(kWindowId, kRecords, kConnection));
  }
  void TearDown() override { EXPECT_EQ(program_.window().MessageBoxes().size(), 0u); }

  static bool Connect(const char* database) {
    return frame::ConnectSqlServer(kWindowId, kConnection, driver->server_text(), database, "sa",
                                   "");
  }
  static bool Open(const Text& statement) {
    return frame::OpenRecordSet(kWindowId, kRecords, statement);
  }
  static Text Read(const char* column) {
    Text text = "left over";
    frame::ReadFieldText(kWindowId, kRecords, column, text);
    return text;
  }
  frame::DbError LastError() { return db_test::LastErrorOf(program_.runtime()); }

  testing_support::HeadlessProgram program_{db_test::kProgram,
                                            frame::OdbcComponentFactory(driver->port())};
};

TEST_F(Postgres, AFailedConnectLeavesTheConnectionClosed) {
  ASSERT_TRUE(frame::ExecuteSql(kWindowId, kConnection, "SELECT 1"));
  EXPECT_FALSE(Connect("NoSuchDatabase"));
  EXPECT_THAT(LastError().message, HasSubstr("NoSuchDatabase"));
  EXPECT_FALSE(frame::ExecuteSql(kWindowId, kConnection, "SELECT 1"));
  EXPECT_FALSE(Open("SELECT 1"));
  EXPECT_TRUE(Connect("KV7_Member"));
  EXPECT_TRUE(frame::ExecuteSql(kWindowId, kConnection, "SELECT 1"));
}

// Items of the connection text that the operator typed stay whole: a
// password holding ";" can name no other database or user, whichever of
// two items of one name a driver takes.
TEST_F(Postgres, ALoginTextWithASemicolonStaysInItsItem) {
  ASSERT_TRUE(frame::ConnectSqlServer(kWindowId, kConnection, driver->server_text(), "KV7_Member",
                                      "sa", "pw;DATABASE=postgres;UID=nobody;"))
      << LastError().Describe();
  ASSERT_TRUE(Open("SELECT current_database() AS db"));
  EXPECT_EQ(Read("db"), "KV7_Member");
}

TEST_F(Postgres, ExecuteSqlIsTrueWhenTheStatementRan) {
  struct Case {
    const char* statement;
    bool ran;
    std::optional<int64_t> changed_rows;
  };
  const Case cases[] = {
      {"UPDATE Notice SET Notice_InGame = Notice_InGame WHERE Channel = 99", true, 0},
      {"UPDATE Notice SET Notice_InGame = Notice_InGame WHERE Channel < 3", true, 2},
      {"UPDATE Notice SET Channel = Channel WHERE Channel = 1; "
       "UPDATE Notice SET Channel = Channel WHERE Channel > 0",
       true, 3},
      {"SELECT * FROM Notice", true, std::nullopt},
      {"UPDAT Notice SET Channel = 1", false, std::nullopt},
      {"UPDATE NoSuchTable SET Channel = 1", false, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(frame::ExecuteSql(kWindowId, kConnection, c.statement), c.ran) << c.statement;
    EXPECT_EQ(frame::LastChangedRowCount(kWindowId, kConnection), c.changed_rows) << c.statement;
  }
  // The failure stays silent; only the component keeps the reason.
  EXPECT_THAT(LastError().message, HasSubstr("nosuchtable"));
}

TEST_F(Postgres, AStatementTimeOutCancelsItAndAppliesToItAlone) {
  using Clock = std::chrono::steady_clock;
  auto start = Clock::now();
  EXPECT_FALSE(frame::ExecuteSql(kWindowId, kConnection, "SELECT pg_sleep(10)", 1));
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
  // GoogleTest's regular expressions on Windows have no brackets.
  EXPECT_THAT(LastError().message, AnyOf(HasSubstr("Timeout"), HasSubstr("timeout")));
  // Longer than the second just given, shorter than the connection's own.
  EXPECT_TRUE(frame::ExecuteSql(kWindowId, kConnection, "SELECT pg_sleep(1.5)"));

  EXPECT_TRUE(frame::ExecuteSql(kWindowId, kConnection, "SELECT 1", 1));
  EXPECT_TRUE(frame::ExecuteSql(kWindowId, kConnection, "SELECT pg_sleep(1.5)"));
  EXPECT_TRUE(Open("SELECT pg_sleep(1.5) AS slept"));

  EXPECT_TRUE(frame::ExecuteSql(kWindowId, kConnection,
                                "UPDATE Member SET Cash = Cash + 0 WHERE ID = 'alpha'", 5));
  EXPECT_FALSE(frame::ExecuteSql(kWindowId, kConnection, "UPDATE Member SET Cash = 'x'", 5));
}

TEST_F(Postgres, AQueryWithNoRowsIsAtItsEndAtOnce) {
  ASSERT_TRUE(Open("SELECT ID FROM Member WHERE ID = 'nobody'"));
  EXPECT_TRUE(frame::AtEndOfRecords(kWindowId, kRecords));
  EXPECT_FALSE(frame::MoveFirstRecord(kWindowId, kRecords));
  EXPECT_FALSE(frame::MoveNextRecord(kWindowId, kRecords));
  EXPECT_EQ(Read("ID"), "");
}

TEST_F(Postgres, ReadsFieldsOfTheCurrentRow) {
  ASSERT_TRUE(Open("SELECT ID, Cash, BonusCash, MemberKey, Joined FROM Member ORDER BY ID"));
  EXPECT_EQ(Read("ID"), "alpha");
  EXPECT_EQ(Read("Cash"), "1500.00000000");
  EXPECT_EQ(Read("BonusCash"), "");  // NULL
  EXPECT_EQ(Read("MemberKey"), "{A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11}");
  EXPECT_EQ(Read("Joined"), "2015-10-01 00:00:00");
  Text text;
  EXPECT_TRUE(frame::ReadFieldText(kWindowId, kRecords, "BonusCash", text));
  EXPECT_TRUE(frame::ReadFieldText(kWindowId, kRecords, 4, text));
  EXPECT_EQ(text, "2015-10-01 00:00:00");

  // Misspelt names and indexes out of range fail and leave an empty text.
  for (const char* column : {"Csh", "", "ID "}) {
    text = "left over";
    EXPECT_FALSE(frame::ReadFieldText(kWindowId, kRecords, column, text)) << column;
    EXPECT_EQ(text, "");
  }
  for (int index : {-1, 5}) {
    text = "left over";
    EXPECT_FALSE(frame::ReadFieldText(kWindowId, kRecords, index, text)) << index;
    EXPECT_EQ(text, "");
  }

  ASSERT_TRUE(frame::MoveNextRecord(kWindowId, kRecords));
  EXPECT_EQ(Read("id"), "beta");
  EXPECT_EQ(Read("CASH"), "999999999999999999.00000000");
  EXPECT_EQ(Read("BonusCash"), "12.50000000");
  EXPECT_EQ(Read("Joined"), "2015-10-01 13:45:30");

  ASSERT_TRUE(frame::MoveNextRecord(kWindowId, kRecords));
  ASSERT_TRUE(frame::MoveNextRecord(kWindowId, kRecords));
  text = "left over";
  EXPECT_FALSE(frame::ReadFieldText(kWindowId, kRecords, "ID", text));
  EXPECT_EQ(text, "");
}

TEST_F(Postgres, TheEndProbeLeavesTheLastRowCurrent) {
  ASSERT_TRUE(Open("SELECT Channel FROM Notice ORDER BY Channel"));
  std::vector<Text> channels;
  while (!frame::AtEndOfRecords(kWindowId, kRecords)) {
    channels.push_back(Read("Channel"));
    frame::MoveNextRecord(kWindowId, kRecords);
  }
  EXPECT_THAT(channels, ElementsAre("1", "2", "3"));

  ASSERT_TRUE(frame::MoveFirstRecord(kWindowId, kRecords));
  ASSERT_TRUE(frame::MoveNextRecord(kWindowId, kRecords));
  ASSERT_TRUE(frame::MoveNextRecord(kWindowId, kRecords));
  EXPECT_FALSE(frame::AtEndOfRecords(kWindowId, kRecords));
  EXPECT_FALSE(frame::AtEndOfRecords(kWindowId, kRecords));
  EXPECT_EQ(Read("Channel"), "3");
  EXPECT_TRUE(frame::MoveNextRecord(kWindowId, kRecords));
  EXPECT_TRUE(frame::AtEndOfRecords(kWindowId, kRecords));
  EXPECT_FALSE(frame::MoveNextRecord(kWindowId, kRecords));
}

TEST_F(Postgres, OpenTypesSourcesAndCursorLocations) {
  // A table name reads the whole table (one that no test changes, so its
  // rows keep their order).
  ASSERT_TRUE(frame::OpenRecordSet(kWindowId, kRecords, "Realm", 2));
  EXPECT_EQ(Read("Name"), "one");
  // An empty text reopens the last source, positioned on its first row.
  frame::MoveNextRecord(kWindowId, kRecords);
  ASSERT_TRUE(frame::OpenRecordSet(kWindowId, kRecords, "", 2));
  EXPECT_EQ(Read("Realm"), "1");

  ASSERT_TRUE(Open("SELECT Channel FROM Notice ORDER BY Channel"));
  for (int location : {1, 2, 3}) {
    EXPECT_TRUE(frame::OpenRecordSet(kWindowId, kRecords, "", 1, location)) << location;
  }
  frame::MoveNextRecord(kWindowId, kRecords);
  // Refused without touching the open record set or its source.
  EXPECT_FALSE(frame::OpenRecordSet(kWindowId, kRecords, "SELECT 9 AS Channel", 1, 4));
  EXPECT_FALSE(frame::OpenRecordSet(kWindowId, kRecords, "SELECT 9 AS Channel", 0));
  EXPECT_FALSE(frame::OpenRecordSet(kWindowId, kRecords, "SELECT 9 AS Channel", 1, 0));
  EXPECT_EQ(Read("Channel"), "2");
  ASSERT_TRUE(Open(""));
  EXPECT_EQ(Read("Channel"), "1");

  // A failed open leaves it closed.
  EXPECT_FALSE(Open("SELECT NoSuchColumn FROM Notice"));
  EXPECT_TRUE(frame::AtEndOfRecords(kWindowId, kRecords));
  EXPECT_EQ(Read("Channel"), "");
  frame::CloseRecordSet(kWindowId, kRecords);
  EXPECT_TRUE(frame::AtEndOfRecords(kWindowId, kRecords));
}

TEST_F(Postgres, EachColumnTypeHasItsTextForm) {
  struct Case {
    const char* expression;
    Text text;
  };
  const Case cases[] = {
      {"CAST(-32768 AS smallint)", "-32768"},
      {"2147483647", "2147483647"},
      {"CAST(4294967297 AS bigint)", "4294967297"},
      {"CAST(-3000000000 AS bigint)", "-3000000000"},
      {"CAST(1.5 AS real)", "1.5000"},
      {"CAST(0.1 AS real)", "0.1000"},
      {"CAST(0.00001 AS real)", "0.00001"},
      {"CAST(2.25 AS double precision)", "2.25000000"},
      {"CAST(1 AS double precision) / 3", "0.3333333333333333"},
      {"CAST(1500 AS numeric(18, 2))", "1500.00000000"},
      {"CAST(-0.5 AS numeric(18, 2))", "-0.50000000"},
      {"CAST(999999999999999999 AS numeric(38, 0))", "999999999999999999.00000000"},
      {"CAST(0.123456789 AS numeric(20, 10))", "0.123456789"},
      {"1.0 / 3", "0.33333333333333333333"},
      {"CAST('2015-10-01 00:00:00' AS timestamp)", "2015-10-01 00:00:00"},
      {"CAST('2015-10-01' AS date)", "2015-10-01 00:00:00"},
      {"true", "TRUE"},
      {"false", "FALSE"},
      {"CAST('a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11' AS uuid)",
       "{A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11}"},
      {"N'汉字 text'", frame::Gbk("汉字 text")},
      {"CAST('ab' AS char(5))", "ab   "},
      {"CAST('\\x0102' AS bytea)", "[BLOB]"},
      {"CAST('12:00' AS time)", "UN_KNOW"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Open(frame::Gbk(std::string("SELECT ") + c.expression + " AS v"))) << c.expression;
    EXPECT_EQ(Read("v"), c.text) << c.expression;
  }
  // Longer than one read of the driver.
  ASSERT_TRUE(Open(frame::Gbk("SELECT repeat('长', 5000) AS v")));
  Text long_text;
  for (int i = 0; i < 5000; ++i)
    long_text += frame::Gbk("长");
  EXPECT_EQ(Read("v"), long_text);
  for (const char* type : {"smallint", "bigint", "real", "double precision", "numeric", "timestamp",
                           "date", "boolean", "uuid", "text", "bytea", "time"}) {
    ASSERT_TRUE(Open(std::string("SELECT CAST(NULL AS ") + type + ") AS v")) << type;
    Text text = "left over";
    EXPECT_TRUE(frame::ReadFieldText(kWindowId, kRecords, "v", text)) << type;
    EXPECT_EQ(text, "") << type;
  }
}

TEST_F(Postgres, TextsTravelAsGbk) {
  Text name = frame::Gbk("龙币玩家");
  ASSERT_TRUE(frame::ExecuteSql(kWindowId, kConnection,
                                "INSERT INTO Member (ID, Cash) VALUES (N'" + name + "', 7)"));
  ASSERT_TRUE(Open("SELECT ID, Cash FROM Member WHERE ID = '" + name + "'"));
  EXPECT_EQ(Read("ID"), name);
  EXPECT_EQ(Read("Cash"), "7.00000000");
  EXPECT_TRUE(
      frame::ExecuteSql(kWindowId, kConnection, "DELETE FROM Member WHERE ID = '" + name + "'"));
  EXPECT_EQ(frame::LastChangedRowCount(kWindowId, kConnection), 1);
}

// Workers share one connection, each with a record set of its own: their
// statements take turns, and each sees its own results and counts.
TEST_F(Postgres, SeveralThreadsShareOneConnection) {
  constexpr int kWorkers = static_cast<int>(db_test::kRecordSetCount);
  constexpr int kRounds = 20;
  ASSERT_TRUE(frame::ExecuteSql(kWindowId, kConnection, "DELETE FROM Counter"));
  for (int w = 0; w < kWorkers; ++w) {
    // Worker w owns w + 1 rows, so its changed-row count is its own.
    ASSERT_TRUE(frame::ExecuteSql(kWindowId, kConnection,
                                  "INSERT INTO Counter SELECT " + std::to_string(w) +
                                      ", 0 FROM generate_series(1, " + std::to_string(w + 1) +
                                      ")"));
  }
  std::atomic<int> mismatches{0};
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.emplace_back([w, &mismatches] {
      frame::ControlId records = RecordSetId(static_cast<size_t>(w));
      std::string worker = std::to_string(w);
      if (!frame::AttachRecordSet(kWindowId, records, kConnection)) ++mismatches;
      for (int round = 1; round <= kRounds; ++round) {
        std::optional<int> timeout = w % 2 == 0 ? std::optional<int>(5) : std::nullopt;
        if (!frame::ExecuteSql(kWindowId, kConnection,
                               "UPDATE Counter SET N = N + 1 WHERE Worker = " + worker, timeout) ||
            frame::LastChangedRowCount(kWindowId, kConnection) != w + 1) {
          ++mismatches;
        }
        Text n;
        if (!frame::OpenRecordSet(kWindowId, records,
                                  "SELECT min(N) AS n FROM Counter WHERE Worker = " + worker) ||
            !frame::ReadFieldText(kWindowId, records, "n", n) || n != std::to_string(round)) {
          ++mismatches;
        }
      }
    });
  }
  for (std::thread& worker : workers)
    worker.join();
  EXPECT_EQ(mismatches.load(), 0);
}

// Thousands of rows through the driver, read back whole: every value of
// every row, NULLs among them.
TEST_F(Postgres, ThousandsOfRowsReadBackWhole) {
  constexpr int kRows = 3000;
  ASSERT_TRUE(Open(frame::Gbk(
      "SELECT g AS n, CASE WHEN g % 7 = 0 THEN NULL ELSE repeat('汉', g % 4) || g || '''s' END "
      "AS name, g * 1.25 - 1000 AS cash, timestamp '2015-10-01' + g * interval '1 second' AS "
      "stamp, CAST(lpad(to_hex(g), 32, '0') AS uuid) AS key FROM generate_series(1, 3000) AS g "
      "ORDER BY g")));
  int row = 1;
  for (; !frame::AtEndOfRecords(kWindowId, kRecords) && row <= kRows; ++row) {
    std::string name;
    if (row % 7 != 0) {
      for (int i = 0; i < row % 4; ++i)
        name += "汉";
      name += std::to_string(row) + "'s";
    }
    int hundredths = row * 125 - 100000;
    char cash[32];
    std::snprintf(cash, sizeof cash, "%s%d.%02d000000", hundredths < 0 ? "-" : "",
                  std::abs(hundredths) / 100, std::abs(hundredths) % 100);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "2015-10-01 %02d:%02d:%02d", row / 3600, row / 60 % 60,
                  row % 60);
    char key[40];
    std::snprintf(key, sizeof key, "{00000000-0000-0000-0000-%012X}", row);
    const std::string expected[] = {std::to_string(row), frame::Gbk(name), cash, stamp, key};
    const std::string read[] = {Read("n"), Read("name"), Read("cash"), Read("stamp"), Read("key")};
    ASSERT_THAT(read, ::testing::ElementsAreArray(expected)) << "row " << row;
    frame::MoveNextRecord(kWindowId, kRecords);
  }
  EXPECT_EQ(row, kRows + 1);
  EXPECT_TRUE(frame::AtEndOfRecords(kWindowId, kRecords));
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new PostgresEnvironment);
  return RUN_ALL_TESTS();
}
