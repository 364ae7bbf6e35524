// The TDS test server through the operators' driver: FreeTDS registered as
// "SQL Server", reached through the database components as handlers reach
// it, with PostgreSQL behind the server.
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
#include "frame/db/odbc/odbc_text.h"
#include "frame/text/gbk.h"
#include "tests/servers/postgres_test_server.h"
#include "tests/servers/sql_server_types.h"
#include "tests/servers/tds/tds_rewrites.h"
#include "tests/servers/tds_test_server.h"
#include "tests/support/db_test_window.h"
#include "tests/support/headless_program.h"

namespace {

using db_test::kConnection;
using db_test::kOtherConnection;
using db_test::kRecords;
using db_test::kWindowId;
using db_test::TdsFault;
using frame::Text;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Clock = std::chrono::steady_clock;

constexpr const char* kDatabase = "TdsTest";

db_test::PostgresTestServer* postgres = nullptr;
db_test::TdsTestServer* tds = nullptr;

class Servers : public ::testing::Environment {
 public:
  void SetUp() override {
    postgres = &postgres_;
    ASSERT_TRUE(postgres_.Start()) << "the PostgreSQL test server did not start";
    ASSERT_TRUE(postgres_.RunSql("postgres", "CREATE DATABASE \"TdsTest\""));
    ASSERT_TRUE(
        postgres_.RunSql(kDatabase, "ALTER DATABASE \"TdsTest\" SET search_path = dbo, public"));
    ASSERT_TRUE(postgres_.RunSql(kDatabase, "CREATE SCHEMA dbo"));
    ASSERT_TRUE(postgres_.RunSql(kDatabase, db_test::kSqlServerTypesSql));
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

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i)
    out += text;
  return out;
}

class TdsServer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program_.Start());
    ASSERT_TRUE(frame::AttachRecordSet(kWindowId, kRecords, kConnection));
  }
  void TearDown() override {
    tds->SetFault(TdsFault::kNone);
    tds->SetTriggerCount(std::nullopt);
  }

  static bool Connect(frame::ControlId connection = kConnection, int port = tds->port(),
                      const std::string& password = "secret") {
    return frame::ConnectSqlServer(kWindowId, connection, "127.0.0.1," + std::to_string(port),
                                   kDatabase, "sa", frame::Gbk(password));
  }
  static bool Execute(const std::string& utf8, std::optional<int> timeout = std::nullopt,
                      frame::ControlId connection = kConnection) {
    return frame::ExecuteSql(kWindowId, connection, frame::Gbk(utf8), timeout);
  }
  static bool Open(const std::string& utf8) {
    return frame::OpenRecordSet(kWindowId, kRecords, frame::Gbk(utf8));
  }
  // A field of the current row as a handler reads it, in UTF-8.
  static std::string Read(const char* column) {
    Text text = "left over";
    frame::ReadFieldText(kWindowId, kRecords, column, text);
    return frame::Utf8(text);
  }
  frame::DbError LastError(frame::ControlId connection = kConnection) {
    return db_test::LastErrorOf(program_.runtime(), connection);
  }

  // A bare host reaches this server: it stands where SQL Server's port would.
  testing_support::HeadlessProgram program_{db_test::kProgram,
                                            frame::OdbcComponentFactory(tds->port())};
};

// The variable field of a LOGIN7 record whose offset and length (in
// characters) stand at `at`, as UTF-16LE bytes.
std::vector<uint8_t> Login7Field(const std::vector<uint8_t>& login, size_t at) {
  size_t offset = login[at] | login[at + 1] << 8;
  size_t length = 2 * (login[at + 2] | login[at + 3] << 8);
  return std::vector<uint8_t>(login.begin() + offset, login.begin() + offset + length);
}

// A LOGIN7 password field with its obfuscation undone.
std::vector<uint8_t> Login7Password(const std::vector<uint8_t>& login) {
  std::vector<uint8_t> revealed;
  for (uint8_t byte : Login7Field(login, 44)) {
    uint8_t swapped = byte ^ 0xA5;
    revealed.push_back(static_cast<uint8_t>(swapped << 4 | swapped >> 4));
  }
  return revealed;
}

std::vector<uint8_t> Utf16(const std::string& utf8) {
  frame::WideText wide = frame::Utf16FromGbk(frame::Gbk(utf8));
  std::vector<uint8_t> bytes;
  for (SQLWCHAR unit : wide) {
    bytes.push_back(static_cast<uint8_t>(unit));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
  }
  return bytes;
}

// Every type the server sends, from a table declared with the test schema's
// types: the extremes of each, a live row with a NULL or two, and a row of
// NULLs (sent as NBCROW).
TEST_F(TdsServer, EveryTypeReadsAsSqlServerWouldSendIt) {
  struct TypeCase {
    const char* column;
    const char* type;
    const char* literals[3];  // PostgreSQL's, rows 1 to 3
    std::string texts[3];     // what a handler reads
  };
  const std::string double_max =
      "17976931348623157081452742373170435679807056752584499659891747680315726078002853876058955"
      "86327668781715404589535143824642343213268894641827684675467035375169860499105765512820762"
      "45490090389328944075868508455133942304583236903222948165808559332123348274797826204144723"
      "168738177180919299881250404026184124858368.00000000";
  const TypeCase cases[] = {
      {"TinyValue", "tinyint", {"255", "0", "7"}, {"255", "0", "7"}},
      {"SmallValue", "smallint", {"32767", "-32768", "-1"}, {"32767", "-32768", "-1"}},
      {"IntValue",
       "int",
       {"2147483647", "-2147483648", "100000"},
       {"2147483647", "-2147483648", "100000"}},
      {"BigValue",
       "bigint",
       {"9223372036854775807", "-9223372036854775808", "4294967297"},
       {"9223372036854775807", "-9223372036854775808", "4294967297"}},
      {"BitValue", "boolean", {"true", "false", "NULL"}, {"TRUE", "FALSE", ""}},
      {"RealValue",
       "real",
       {"3.4028235e38", "-1.5", "0.1"},
       {"340282346638528859811704183484516925440.0000", "-1.5000", "0.1000"}},
      {"FloatValue",
       "float",
       {"1.7976931348623157e308", "-2.25", "0.3333333333333333"},
       {double_max, "-2.25000000", "0.3333333333333333"}},
      {"DecimalValue",
       "numeric(38, 0)",
       {"99999999999999999999999999999999999999", "-99999999999999999999999999999999999999",
        "1500"},
       {"99999999999999999999999999999999999999.00000000",
        "-99999999999999999999999999999999999999.00000000", "1500.00000000"}},
      {"NumericValue",
       "numeric(18, 4)",
       {"99999999999999.9999", "-99999999999999.9999", "12.5"},
       {"99999999999999.99990000", "-99999999999999.99990000", "12.50000000"}},
      {"MoneyValue",
       "dbo.money",
       {"922337203685477.5807", "-922337203685477.5808", "1500"},
       {"922337203685477.5807", "-922337203685477.5808", "1500"}},
      {"SmallMoneyValue",
       "smallmoney",
       {"214748.3647", "-214748.3648", "0.5"},
       {"214748.3647", "-214748.3648", "0.5"}},
      {"DateTimeValue",
       "datetime",
       {"'9999-12-31 23:59:59.997'", "'1753-01-01 00:00:00'", "'2015-10-01 13:45:30.25'"},
       {"9999-12-31 23:59:59", "1753-01-01 00:00:00", "2015-10-01 13:45:30"}},
      // Minutes: 30 seconds round up.
      {"SmallDateTimeValue",
       "smalldatetime",
       {"'2079-06-06 23:59:00'", "'1900-01-01 00:00:00'", "'2015-10-01 13:45:30'"},
       {"2079-06-06 23:59:00", "1900-01-01 00:00:00", "2015-10-01 13:46:00"}},
      {"DateTime2Value",
       "datetime2",
       {"'9999-12-31 23:59:59.999999'", "'0001-01-01 00:00:00'", "'2015-10-01 08:00:00.5'"},
       {"9999-12-31 23:59:59", "0001-01-01 00:00:00", "2015-10-01 08:00:00"}},
      {"DateValue",
       "date",
       {"'9999-12-31'", "'0001-01-01'", "'2015-10-01'"},
       {"9999-12-31 00:00:00", "0001-01-01 00:00:00", "2015-10-01 00:00:00"}},
      // A type the components do not know.
      {"TimeValue",
       "time",
       {"'23:59:59.999999'", "'00:00:00'", "NULL"},
       {"UN_KNOW", "UN_KNOW", ""}},
      {"GuidValue",
       "uuid",
       {"'ffffffff-ffff-ffff-ffff-ffffffffffff'", "'00000000-0000-0000-0000-000000000000'",
        "'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11'"},
       {"{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}", "{00000000-0000-0000-0000-000000000000}",
        "{A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11}"}},
      // Code page 936 has no Hangul: SQL Server would hold '?'.
      {"VarCharValue",
       "varchar(50)",
       {"repeat('霜', 50)", "''", "'O''Neil 说 \"你好\" 한'"},
       {Repeat("霜", 50), "", "O'Neil 说 \"你好\" ?"}},
      {"CharValue",
       "char(10)",
       {"'abcdefghij'", "''", "'霜月'"},
       {"abcdefghij", "          ", "霜月        "}},
      {"NVarCharValue",
       "nvarchar",
       {"repeat('龍', 4000)", "''", "'O''Neil 说 \"你好\" 한'"},
       {Repeat("龍", 4000), "", "O'Neil 说 \"你好\" 한"}},
      {"NCharValue",
       "dbo.nchar",
       {"'abcdefghij'", "''", "'한국'"},
       {"abcdefghij", "          ", "한국        "}},
      {"TextValue", "dbo.text", {"'文本 text'", "''", "NULL"}, {"文本 text", "", ""}},
      {"NTextValue", "ntext", {"'ntext 한'", "''", "'公告'"}, {"ntext 한", "", "公告"}},
      {"VarCharMaxValue", "varchar_max", {"'最大'", "''", "'O''Neil'"}, {"最大", "", "O'Neil"}},
      {"NVarCharMaxValue", "nvarchar_max", {"'한 最大'", "''", "'x'"}, {"한 最大", "", "x"}},
      {"BinaryValue", "bytea", {"'\\x00ff'", "''", "NULL"}, {"[BLOB]", "[BLOB]", ""}},
  };
  std::string create = "DROP TABLE IF EXISTS Samples; CREATE TABLE Samples (No int PRIMARY KEY";
  for (const TypeCase& c : cases)
    create += std::string(", ") + c.column + " " + c.type;
  ASSERT_TRUE(postgres->RunSql(kDatabase, create + ")"));
  for (int row = 0; row < 3; ++row) {
    std::string insert = "INSERT INTO Samples VALUES (" + std::to_string(row + 1);
    for (const TypeCase& c : cases)
      insert += std::string(", ") + c.literals[row];
    ASSERT_TRUE(postgres->RunSql(kDatabase, insert + ")")) << insert;
  }
  ASSERT_TRUE(postgres->RunSql(kDatabase, "INSERT INTO Samples (No) VALUES (4)"));

  ASSERT_TRUE(Connect()) << LastError().Describe();
  ASSERT_TRUE(Open("SELECT * FROM Samples ORDER BY No")) << LastError().Describe();
  for (int row = 0; row < 4; ++row) {
    for (const TypeCase& c : cases) {
      EXPECT_EQ(Read(c.column), row == 3 ? "" : c.texts[row]) << c.column << ", row " << row + 1;
    }
    frame::MoveNextRecord(kWindowId, kRecords);
  }
  EXPECT_TRUE(frame::AtEndOfRecords(kWindowId, kRecords));
}

// 5000 characters each way, past one packet: 3000 Chinese ones and 2000
// letters make 8000 bytes in code page 936, the most a varchar(n) holds.
const std::string kLongText = Repeat("长", 3000) + Repeat("x", 2000);

TEST_F(TdsServer, LongTextsTravelWholeBothWays) {
  ASSERT_TRUE(postgres->RunSql(kDatabase,
                               "DROP TABLE IF EXISTS Long; CREATE TABLE Long (N nvarchar_max, "
                               "NT ntext, VM varchar_max, T dbo.text, V varchar(5000))"));
  ASSERT_TRUE(Connect()) << LastError().Describe();
  // The batch itself spans several packets.
  std::string literal = "N'" + kLongText + "'";
  std::string insert = "INSERT INTO Long VALUES (" + literal + ", " + literal + ", " + literal +
                       ", " + literal + ", " + literal + ")";
  ASSERT_TRUE(Execute(insert)) << LastError().Describe();
  EXPECT_EQ(tds->batches().back(), insert);
  EXPECT_EQ(postgres->Query(kDatabase,
                            "SELECT count(*) FROM Long WHERE N = V AND NT = V AND "
                            "VM = V AND T = V AND V = '" +
                                kLongText + "'"),
            "1");

  ASSERT_TRUE(Open("SELECT N, NT, VM, T, V FROM Long")) << LastError().Describe();
  for (const char* column : {"N", "NT", "VM", "T", "V"})
    EXPECT_EQ(Read(column), kLongText) << column;
}

TEST_F(TdsServer, AFailedStatementIsAnErrorAndTheConnectionGoesOn) {
  ASSERT_TRUE(Connect()) << LastError().Describe();
  struct Case {
    const char* statement;
    const char* state;  // none: whatever the server's number maps to
    const char* message;
  };
  const Case cases[] = {
      // SQLSTATEs as FreeTDS derives them from SQL Server's numbers.
      {"SELEC 1", "42000", ""},
      {"SELECT * FROM NoSuchTable", "42S02", "relation \"nosuchtable\" does not exist"},
      // Values SQL Server could not hold.
      {"SELECT CAST('NaN' AS numeric) AS v", nullptr, "has no form in its SQL Server type"},
      {"SELECT CAST('1000-01-01' AS timestamp) AS v", nullptr,
       "has no form in its SQL Server type"},
      // A later statement of the batch fails after a result set.
      {"SELECT 1 AS a; SELECT * FROM NoSuchTable", "42S02", "nosuchtable"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(Execute(c.statement)) << c.statement;
    if (c.state != nullptr) {
      EXPECT_EQ(LastError().state, c.state) << c.statement;
    }
    EXPECT_THAT(LastError().message, HasSubstr(c.message)) << c.statement;
    EXPECT_FALSE(Open(c.statement)) << c.statement;
    ASSERT_TRUE(Open("SELECT 'still here' AS v")) << c.statement << ": " << LastError().Describe();
    EXPECT_EQ(Read("v"), "still here");
  }
}

TEST_F(TdsServer, RewritesKeepLiteralsAndAreLogged) {
  ASSERT_TRUE(postgres->RunSql(
      kDatabase,
      "DROP TABLE IF EXISTS Wallet; CREATE TABLE Wallet (ID varchar(20), Cash numeric(19, 4));"
      "INSERT INTO Wallet VALUES ('5where', 10)"));
  ASSERT_TRUE(Connect()) << LastError().Describe();
  const std::string statement = "update Wallet set Cash=Cash+100where ID='5where'";
  ASSERT_TRUE(Execute(statement)) << LastError().Describe();
  EXPECT_EQ(postgres->Query(kDatabase, "SELECT Cash FROM Wallet"), "110.0000");
  EXPECT_EQ(tds->rewrites().back(),
            statement + " => update Wallet set Cash=Cash+100 where ID='5where'");
}

// The rewrite table on its own: each T-SQL form the tools send that
// PostgreSQL refuses, and look-alikes inside quotes and names left alone.
TEST(TdsRewrites, RewriteOnlyOutsideQuotes) {
  struct Case {
    const char* batch;
    const char* rewritten;  // null: unchanged
  };
  const Case cases[] = {
      {"up_CreateMemberAccount '0', '龙骑士', 'p''w', '1', '2014-08-21'",
       "CALL up_CreateMemberAccount('0', '龙骑士', 'p''w', '1', '2014-08-21')"},
      {"up_updatememberpwbyid 'O''Neil','a where'",
       "CALL up_updatememberpwbyid('O''Neil','a where')"},
      {"update member set cash=cash+100where id ='a'",
       "update member set cash=cash+100 where id ='a'"},
      {"update member set bonuscash=bonuscash+-2.5where id ='5where'",
       "update member set bonuscash=bonuscash+-2.5 where id ='5where'"},
      {"SELECT 1from Member", "SELECT 1 from Member"},
      {"update member set GMLevel='2'where id='100where'", nullptr},
      {"SELECT intData01  FROM TB_Event Where EventNo ='12'", nullptr},
      {"SELECT * FROM KV7_Member.dbo.Member WHERE \"7where\" = N'1where'", nullptr},
      {"SELECT 'up_x ''a''' AS v", nullptr},
      {"update TB_Channel_Notice set Notice_InGame= N'up_x ''1where''' where Channel ='1'",
       nullptr},
      {"  UP_x\t'a' ;  ", "CALL UP_x('a')"},
      {"up_x 'a';;", "CALL up_x('a';)"},
      {"up_ 'a'", nullptr},
      {"up_x'a'", nullptr},
      {"EXEC up_x 'a'", nullptr},
      {"SELECT 1.5where, 2.x from t where a=7or b=8order",
       "SELECT 1.5 where, 2.x from t where a=7 or b=8order"},
      {"SELECT x1where, 1.2.3from t", nullptr},
  };
  for (const Case& c : cases) {
    std::vector<std::string> log;
    std::string expected = c.rewritten != nullptr ? c.rewritten : c.batch;
    EXPECT_EQ(db_test::tds::RewriteForPostgres(c.batch, log), expected);
    if (c.rewritten != nullptr) {
      EXPECT_THAT(log, ElementsAre(std::string(c.batch) + " => " + c.rewritten));
    } else {
      EXPECT_TRUE(log.empty()) << c.batch;
    }
  }
}

// Batches of hostile length, as a pasted value makes them: rewritten whole,
// without running out of stack.
TEST(TdsRewrites, LongBatchesAreRewrittenWhole) {
  std::string quoted = Repeat("龙''x", 20000);
  std::vector<std::string> log;
  EXPECT_EQ(db_test::tds::RewriteForPostgres("up_updatememberpwbyid '" + quoted + "','pw'", log),
            "CALL up_updatememberpwbyid('" + quoted + "','pw')");
  EXPECT_EQ(db_test::tds::RewriteForPostgres(Repeat("1where ", 20000), log),
            Repeat("1 where ", 20000));
}

// LOGIN7 as FreeTDS sends it: TDS 7.4, and the password obfuscated as the
// protocol asks (never in clear text).
TEST_F(TdsServer, TheLoginIsLogin7WithTds74AndNoClearPassword) {
  const std::string password = "密码 O'Neil";
  ASSERT_TRUE(Connect(kConnection, tds->port(), password)) << LastError().Describe();
  std::vector<uint8_t> login = tds->logins().back();
  ASSERT_GE(login.size(), 94u);
  EXPECT_EQ(std::vector<uint8_t>(login.begin() + 4, login.begin() + 8),
            (std::vector<uint8_t>{0x04, 0x00, 0x00, 0x74}));
  EXPECT_EQ(Login7Field(login, 40), Utf16("sa"));
  EXPECT_EQ(Login7Field(login, 68), Utf16(kDatabase));

  std::vector<uint8_t> clear = Utf16(password);
  EXPECT_EQ(std::search(login.begin(), login.end(), clear.begin(), clear.end()), login.end());
  EXPECT_EQ(Login7Password(login), clear);
}

// Without a port the server is looked for where SQL Server listens; with
// one, it is looked for there.
TEST_F(TdsServer, ABareHostReachesTheDefaultPort) {
  size_t logins = tds->logins().size();
  ASSERT_TRUE(frame::ConnectSqlServer(kWindowId, kConnection, "127.0.0.1", kDatabase, "sa", ""))
      << LastError().Describe();
  EXPECT_EQ(tds->logins().size(), logins + 1);
  ASSERT_TRUE(Open("SELECT 'here' AS v")) << LastError().Describe();
  EXPECT_EQ(Read("v"), "here");

  db_test::TdsTestServer elsewhere(postgres->port());
  ASSERT_TRUE(elsewhere.Start());
  ASSERT_TRUE(Connect(kConnection, elsewhere.port())) << LastError().Describe();
  EXPECT_EQ(elsewhere.logins().size(), 1u);
  EXPECT_EQ(tds->logins().size(), logins + 1);
  elsewhere.Stop();
}

// A password that holds ";" is taken whole: it can neither name another
// database nor be cut short.
TEST_F(TdsServer, APasswordWithASemicolonIsTakenWhole) {
  const std::string password = "pw;DATABASE=KV7_User;";
  ASSERT_TRUE(Connect(kConnection, tds->port(), password)) << LastError().Describe();
  std::vector<uint8_t> login = tds->logins().back();
  EXPECT_EQ(Login7Password(login), Utf16(password));
  EXPECT_EQ(Login7Field(login, 68), Utf16(kDatabase));
  ASSERT_TRUE(Open("SELECT current_database() AS db")) << LastError().Describe();
  EXPECT_EQ(Read("db"), kDatabase);
}

// A reconnect while a statement runs neither waits for it nor disturbs it:
// the statement ends on the session it began on, and the new session serves
// the next statement at once.
TEST_F(TdsServer, AReconnectDuringAStatementWaitsForNothing) {
  ASSERT_TRUE(Connect()) << LastError().Describe();
  auto running = std::async(std::launch::async, [] { return Execute("SELECT pg_sleep(3)"); });
  for (int i = 0; i < 200 && tds->batches().back() != "SELECT pg_sleep(3)"; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(tds->batches().back(), "SELECT pg_sleep(3)");

  auto start = Clock::now();
  ASSERT_TRUE(Connect()) << LastError().Describe();
  ASSERT_TRUE(Open("SELECT 'new session' AS v")) << LastError().Describe();
  EXPECT_EQ(Read("v"), "new session");
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(running.wait_for(std::chrono::seconds(0)), std::future_status::timeout);
  EXPECT_TRUE(running.get());
}

TEST_F(TdsServer, ARefusedLoginFailsTheConnect) {
  size_t logins = tds->logins().size();
  tds->SetFault(TdsFault::kRefuseLogin);
  EXPECT_FALSE(Connect());
  EXPECT_THAT(LastError().message, HasSubstr("Login failed for user 'sa'."));
  EXPECT_EQ(tds->logins().size(), logins + 1);
  EXPECT_FALSE(Execute("SELECT 1"));

  tds->SetFault(TdsFault::kNone);
  EXPECT_TRUE(Connect()) << LastError().Describe();
  EXPECT_TRUE(Execute("SELECT 1")) << LastError().Describe();
}

TEST_F(TdsServer, ALoginToADatabaseThatIsNotThereFails) {
  EXPECT_FALSE(frame::ConnectSqlServer(
      kWindowId, kConnection, "127.0.0.1," + std::to_string(tds->port()), "KV7_Missing", "sa", ""));
  EXPECT_THAT(LastError().message, HasSubstr("Cannot open database \"KV7_Missing\""));
}

TEST_F(TdsServer, ADroppedConnectionFailsTheStatementAtOnce) {
  ASSERT_TRUE(Connect()) << LastError().Describe();
  tds->SetFault(TdsFault::kDropConnection);
  auto start = Clock::now();
  EXPECT_FALSE(Execute("UPDATE NoMatter SET X = 1"));
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
  EXPECT_EQ(tds->batches().back(), "UPDATE NoMatter SET X = 1");

  tds->SetFault(TdsFault::kNone);
  EXPECT_FALSE(Execute("SELECT 1")) << "the connection is gone";
  ASSERT_TRUE(Connect()) << LastError().Describe();
  EXPECT_TRUE(Execute("SELECT 1")) << LastError().Describe();
}

// No answer at all: the statement gives up after its time-out and a grace
// for the cancel, well short of the driver's own wait (as long again).
TEST_F(TdsServer, ASilentServerLeavesTheStatementToItsTimeOut) {
  ASSERT_TRUE(Connect()) << LastError().Describe();
  tds->SetFault(TdsFault::kSilent);
  auto start = Clock::now();
  EXPECT_FALSE(Execute("SELECT 'unanswered' AS v", 4));
  auto elapsed = Clock::now() - start;
  EXPECT_GE(elapsed, std::chrono::seconds(4));
  EXPECT_LT(elapsed, std::chrono::seconds(7));
  EXPECT_EQ(tds->batches().back(), "SELECT 'unanswered' AS v");
}

// A time-out sends an attention: the server cancels the statement on
// PostgreSQL and acknowledges it, and the connection goes on.
TEST_F(TdsServer, AStatementTimeOutCancelsTheStatementBehindTheServer) {
  ASSERT_TRUE(Connect()) << LastError().Describe();
  auto start = Clock::now();
  EXPECT_FALSE(Execute("SELECT pg_sleep(20)", 1));
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
  auto sleeping = [] {
    return postgres->Query(kDatabase,
                           "SELECT count(*) FROM pg_stat_activity WHERE state = 'active' AND "
                           "query = 'SELECT pg_sleep(20)'");
  };
  for (int i = 0; i < 40 && sleeping() != "0"; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(sleeping(), "0");
  ASSERT_TRUE(Open("SELECT 'next' AS v")) << LastError().Describe();
  EXPECT_EQ(Read("v"), "next");
}

TEST_F(TdsServer, StopEndsBusyAndSilentSessionsAtOnce) {
  db_test::TdsTestServer own(postgres->port());
  ASSERT_TRUE(own.Start());
  ASSERT_TRUE(Connect(kConnection, own.port())) << LastError().Describe();
  ASSERT_TRUE(Connect(kOtherConnection, own.port())) << LastError(kOtherConnection).Describe();
  auto sent = [&own](const std::string& batch) {
    for (int i = 0; i < 200; ++i) {
      std::vector<std::string> batches = own.batches();
      if (std::find(batches.begin(), batches.end(), batch) != batches.end()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  };

  auto busy = std::async(std::launch::async, [] { return Execute("SELECT pg_sleep(30)"); });
  ASSERT_TRUE(sent("SELECT pg_sleep(30)"));
  own.SetFault(TdsFault::kSilent);
  auto silent = std::async(std::launch::async,
                           [] { return Execute("SELECT 1", std::nullopt, kOtherConnection); });
  ASSERT_TRUE(sent("SELECT 1"));

  auto start = Clock::now();
  own.Stop();
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
  EXPECT_FALSE(busy.get());
  EXPECT_FALSE(silent.get());
}

// FreeTDS reports the first count of a statement's answer: a trigger's
// DONEINPROC before the statement's own DONE takes its place, whether the
// statement changed rows or not.
TEST_F(TdsServer, AfterATriggerTheDriverReportsTheTriggersCount) {
  ASSERT_TRUE(postgres->RunSql(kDatabase,
                               "DROP TABLE IF EXISTS Counted; CREATE TABLE Counted (ID int, N int);"
                               "INSERT INTO Counted VALUES (1, 0), (2, 0)"));
  ASSERT_TRUE(Connect()) << LastError().Describe();
  struct Case {
    std::optional<int64_t> trigger;
    const char* statement;
    std::optional<int64_t> count;
  };
  const Case cases[] = {
      {std::nullopt, "UPDATE Counted SET N = N + 1", 2},
      {std::nullopt, "UPDATE Counted SET N = N + 1 WHERE ID = 9", 0},
      {7, "UPDATE Counted SET N = N + 1", 7},
      {7, "UPDATE Counted SET N = N + 1 WHERE ID = 9", 7},
      {0, "UPDATE Counted SET N = N + 1", 0},
      {1, "DELETE FROM Counted WHERE ID = 9", 1},
  };
  for (const Case& c : cases) {
    tds->SetTriggerCount(c.trigger);
    EXPECT_TRUE(Execute(c.statement)) << c.statement;
    EXPECT_EQ(frame::LastChangedRowCount(kWindowId, kConnection), c.count)
        << c.statement << ", trigger " << c.trigger.value_or(-1);
  }
  EXPECT_EQ(postgres->Query(kDatabase, "SELECT sum(N) FROM Counted"), "6");
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new Servers);
  return RUN_ALL_TESTS();
}
