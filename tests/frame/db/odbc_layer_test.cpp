// The pieces of the ODBC layer that need no server: the connection text, the
// kind each ODBC column type reads as, and texts across the wide API.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "frame/db/connection_text.h"
#include "frame/db/odbc/odbc_result_reader.h"
#include "frame/db/odbc/odbc_text.h"

namespace {

using frame::FieldKind;

TEST(ConnectionText, JoinsTheItemsUnchangedWithTheDatabaseLast) {
  EXPECT_EQ(frame::SqlServerConnectionText("127.0.0.1,1433", "KV7_Member", "sa", ""),
            "DRIVER=SQL Server;SERVER=127.0.0.1,1433;UID=sa;PWD=;DATABASE=KV7_Member;");
  EXPECT_EQ(frame::SqlServerConnectionText(" host ", "KV7_User", "u=1", "a}b{c"),
            "DRIVER=SQL Server;SERVER= host ;UID=u=1;PWD=a}b{c;DATABASE=KV7_User;");
  EXPECT_EQ(frame::SqlServerConnectionText(nullptr, nullptr, nullptr, nullptr),
            "DRIVER=SQL Server;SERVER=;UID=;PWD=;DATABASE=;");
}

// A value that would end its item early, or open a braced one, is braced
// whole; no item of the operator's can add or replace another.
TEST(ConnectionText, BracesValuesThatWouldLeakIntoOtherItems) {
  struct Case {
    const char* password;
    const char* item;
  };
  const Case cases[] = {
      {"pw;DATABASE=KV7_User", "PWD={pw;DATABASE=KV7_User};"},
      {";", "PWD={;};"},
      {"{pw}", "PWD={{pw}}};"},
      {"a};UID=x", "PWD={a}};UID=x};"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(frame::SqlServerConnectionText("h", "KV7_Member", "sa", c.password),
              std::string("DRIVER=SQL Server;SERVER=h;UID=sa;") + c.item + "DATABASE=KV7_Member;")
        << c.password;
  }
  EXPECT_EQ(frame::SqlServerConnectionText("h;x", "d;b", "u;1", ""),
            "DRIVER=SQL Server;SERVER={h;x};UID={u;1};PWD=;DATABASE={d;b};");
}

// FreeTDS has no default port: a bare host gets SQL Server's, anything that
// names its own port or instance reaches the driver untouched.
TEST(ConnectionText, ABareHostGetsTheDefaultPort) {
  struct Case {
    const char* server;
    const char* added;
  };
  const Case cases[] = {
      {"127.0.0.1", "PORT=1433;"},
      {"db.example", "PORT=1433;"},
      {"{a;b}", "PORT=1433;"},
      {"127.0.0.1,1433", ""},
      {"127.0.0.1,14330", ""},
      {"host\\SQLEXPRESS", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    std::string text = frame::SqlServerConnectionText(c.server, "KV7_Member", "sa", "p;w");
    EXPECT_EQ(frame::WithDefaultPort(text, 1433), text + c.added) << c.server;
  }
  EXPECT_EQ(frame::WithDefaultPort("DRIVER=x;UID=sa;PWD={SERVER=h};server=h", 5),
            "DRIVER=x;UID=sa;PWD={SERVER=h};server=h;PORT=5;");
  EXPECT_EQ(frame::WithDefaultPort("DRIVER=x;UID=sa;PWD={SERVER=h}", 5),
            "DRIVER=x;UID=sa;PWD={SERVER=h}");
}

// FreeTDS ends a braced value at its first "}" before ";" and keeps "}}" as
// two, and cuts longer login values to 128 UTF-16 units: such texts are
// refused, naming the item but never its value.
TEST(ConnectionText, FreeTdsGetsOnlyValuesItTakesWhole) {
  const std::string chinese_127 = [] {
    std::string text;
    for (int i = 0; i < 127; ++i)
      text += frame::Gbk("龙");
    return text;
  }();
  struct Case {
    std::string server, database, user, password;
    const char* refused;  // the item named; nullptr: taken
  };
  std::vector<Case> cases = {
      {"h", "KV7_Member", "sa", "a}b", nullptr},
      {"h", "K}V7", "}", "}}", nullptr},
      {"h", "KV7_Member", "sa", "pw;DATABASE=x", nullptr},
      {"h", "KV7_Member", "sa", "{pw", nullptr},
      {"h;x", "KV7_Member", "sa", "", nullptr},
      {"h", "KV7_Member", std::string(128, 'u'), chinese_127 + frame::Gbk("龙"), nullptr},
      {"h", "KV7_Member", "sa", "{abc}", "PWD"},
      {"h", "KV7_Member", "x};DATABASE=other;UID=evil", "pw", "UID"},
      {"h", "{KV7}", "sa", "pw", "DATABASE"},
      {"h;}", "KV7_Member", "sa", "pw", "SERVER"},
      {"h", "KV7_Member", std::string(129, 'u'), "pw", "UID"},
      {"h", std::string(129, 'd'), "sa", "pw", "DATABASE"},
  };
  // Wine has no GB18030: without its four-byte codes 𠀀 has no bytes.
  if (frame::HasFourByteCodes()) {
    cases.push_back({"h", "KV7_Member", "sa", chinese_127 + frame::Gbk("𠀀"), "PWD"});
  }
  for (const Case& c : cases) {
    const std::string text =
        frame::SqlServerConnectionText(c.server, c.database, c.user, c.password);
    frame::DbResult<frame::Text> driver_text =
        frame::DriverConnectionText(text, frame::FreeTdsTextRules(1433));
    if (c.refused == nullptr) {
      ASSERT_TRUE(driver_text.ok()) << text << ": " << driver_text.error().Describe();
      EXPECT_EQ(driver_text.value(), frame::WithDefaultPort(text, 1433)) << text;
      continue;
    }
    ASSERT_FALSE(driver_text.ok()) << text;
    const frame::DbError& error = driver_text.error();
    EXPECT_EQ(error.state, "22001") << text;
    EXPECT_THAT(error.message, ::testing::HasSubstr(std::string("the ") + c.refused + " value"));
    EXPECT_THAT(error.message, ::testing::Not(::testing::HasSubstr(c.password))) << text;
  }
  // A driver without those limits gets every text as joined.
  const std::string text = frame::SqlServerConnectionText("h", "KV7_Member", "sa", "{abc}");
  frame::DbResult<frame::Text> driver_text = frame::DriverConnectionText(text, {});
  ASSERT_TRUE(driver_text.ok());
  EXPECT_EQ(driver_text.value(), text);
}

TEST(OdbcFieldKind, MapsEveryColumnType) {
  struct Case {
    SQLSMALLINT type;
    const char* type_name;
    FieldKind kind;
  };
  const Case cases[] = {
      {SQL_SMALLINT, "smallint", FieldKind::kInteger},
      {SQL_INTEGER, "int", FieldKind::kInteger},
      {SQL_BIGINT, "bigint", FieldKind::kBigInt},
      {SQL_TINYINT, "tinyint", FieldKind::kTinyInt},
      {SQL_REAL, "real", FieldKind::kReal},
      {SQL_FLOAT, "float", FieldKind::kDouble},
      {SQL_DOUBLE, "float8", FieldKind::kDouble},
      {SQL_DECIMAL, "decimal", FieldKind::kDecimal},
      {SQL_NUMERIC, "numeric", FieldKind::kDecimal},
      {SQL_DECIMAL, "money", FieldKind::kCurrency},
      {SQL_DECIMAL, "SmallMoney", FieldKind::kCurrency},
      {SQL_NUMERIC, "money", FieldKind::kCurrency},
      // PostgreSQL's own money type comes as a float with a symbol: not ours.
      {SQL_FLOAT, "money", FieldKind::kDouble},
      {SQL_TYPE_TIMESTAMP, "datetime", FieldKind::kDateTime},
      {SQL_TYPE_DATE, "date", FieldKind::kDateTime},
      {SQL_TIMESTAMP, "datetime", FieldKind::kDateTime},
      {SQL_DATE, "date", FieldKind::kDateTime},
      {SQL_TYPE_TIME, "time", FieldKind::kUnknown},
      {SQL_BIT, "bit", FieldKind::kBit},
      {SQL_CHAR, "char", FieldKind::kText},
      {SQL_VARCHAR, "varchar", FieldKind::kText},
      {SQL_LONGVARCHAR, "text", FieldKind::kText},
      {SQL_WCHAR, "nchar", FieldKind::kText},
      {SQL_WVARCHAR, "nvarchar", FieldKind::kText},
      {SQL_WLONGVARCHAR, "ntext", FieldKind::kText},
      {SQL_GUID, "uniqueidentifier", FieldKind::kGuid},
      {SQL_BINARY, "binary", FieldKind::kBinary},
      {SQL_VARBINARY, "varbinary", FieldKind::kBinary},
      {SQL_LONGVARBINARY, "image", FieldKind::kBinary},
      {-150, "sql_variant", FieldKind::kUnknown},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(frame::OdbcFieldKind(c.type, c.type_name), c.kind) << c.type << " " << c.type_name;
  }
  // Only an 8-byte integer reads differently when the driver calls it unsigned.
  EXPECT_EQ(frame::OdbcFieldKind(SQL_BIGINT, "bigint unsigned", true), FieldKind::kUnsignedBigInt);
  EXPECT_EQ(frame::OdbcFieldKind(SQL_INTEGER, "int unsigned", true), FieldKind::kInteger);
  EXPECT_EQ(frame::OdbcFieldKind(SQL_TINYINT, "tinyint", true), FieldKind::kTinyInt);
}

TEST(OdbcText, GbkRoundTripsThroughUtf16) {
  frame::Text text = frame::Gbk("连接失败：KV7_Member 𠀀");  // the last one is beyond the BMP
  frame::WideText wide = frame::Utf16FromGbk(text);
  EXPECT_EQ(wide[0], 0x8FDE);
  if (!frame::HasFourByteCodes()) {
    // Wine has no GB18030: code page 936 has no bytes for 𠀀, which is lost.
    EXPECT_EQ(wide.size(), 17u);
    EXPECT_EQ(wide[16], '?');
    return;
  }
  EXPECT_EQ(wide.size(), 18u);
  EXPECT_EQ(wide[16], 0xD840);
  EXPECT_EQ(wide[17], 0xDC00);
  EXPECT_EQ(frame::GbkFromUtf16(wide.data(), wide.size()), text);
}

TEST(OdbcText, AnUnpairedSurrogateBecomesAReplacement) {
  const SQLWCHAR units[] = {'a', 0xD800, 'b', 0xDC00};
  EXPECT_EQ(frame::Utf8FromUtf16(frame::Utf16Units(units), 4),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
}

// The driver registered as "SQL Server" decides what the text gets: FreeTDS
// its port, bracing limits and protocol 7.4 (unless the operator chose one),
// the tests' PostgreSQL driver the same without the protocol, any other
// driver, Windows' own among them, the text as joined.
TEST(ConnectionText, TheRegisteredDriverDecidesWhatTheTextGets) {
  const std::string text = frame::SqlServerConnectionText("h", "KV7_Member", "sa", "pw");
  const std::string freetds = text + "PORT=1433;TDS_Version=7.4;";
  const std::string port_only = text + "PORT=1433;";
  struct Case {
    const char* driver_file;
    bool tds_version_chosen;
    std::string expected;
  };
  const Case cases[] = {
      {"/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so", false, freetds},
      {"libtdsodbc.so.0", false, freetds},
      {"C:\\freetds\\bin\\TDSODBC.DLL", false, freetds},
      {"/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so", true, port_only},
      {"/usr/lib/x86_64-linux-gnu/odbc/psqlodbcw.so", false, port_only},
      {"C:\\Windows\\system32\\SQLSRV32.dll", false, text},
      {"/opt/microsoft/msodbcsql18/lib64/libmsodbcsql-18.so", false, text},
      {"/usr/lib/libtdsodbc", false, text},
      {"", false, text},
  };
  for (const Case& c : cases) {
    frame::DbResult<frame::Text> driver_text = frame::DriverConnectionText(
        text, frame::TextRulesForDriver(c.driver_file, 1433, c.tds_version_chosen));
    ASSERT_TRUE(driver_text.ok()) << c.driver_file;
    EXPECT_EQ(driver_text.value(), c.expected) << c.driver_file << " " << c.tds_version_chosen;
  }
  // A version in the text is the operator's too.
  frame::DbResult<frame::Text> own_version =
      frame::DriverConnectionText("DRIVER=SQL Server;SERVER=h,1;tds_version=7.2;",
                                  frame::TextRulesForDriver("libtdsodbc.so", 1433, false));
  ASSERT_TRUE(own_version.ok());
  EXPECT_EQ(own_version.value(), "DRIVER=SQL Server;SERVER=h,1;tds_version=7.2;");
  // Windows' own driver takes a value FreeTDS would misread.
  const std::string braced = frame::SqlServerConnectionText("h", "KV7_Member", "sa", "{abc}");
  frame::DbResult<frame::Text> unchanged =
      frame::DriverConnectionText(braced, frame::TextRulesForDriver("SQLSRV32.dll", 1433, false));
  ASSERT_TRUE(unchanged.ok());
  EXPECT_EQ(unchanged.value(), braced);
}

TEST(ConnectionText, ItemsAreFoundByNameInAnyCaseWithTheirBracesUndone) {
  const std::string text = "DRIVER={SQL Server};server=h;PWD={a}}b;c};";
  EXPECT_EQ(frame::ConnectionItem(text, "driver"), "SQL Server");
  EXPECT_EQ(frame::ConnectionItem(text, "SERVER"), "h");
  EXPECT_EQ(frame::ConnectionItem(text, "PWD"), "a}b;c");
  EXPECT_EQ(frame::ConnectionItem(text, "UID"), std::nullopt);
}

}  // namespace
