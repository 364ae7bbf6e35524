// Reading and writing settings files by path, section and key.
#include "frame/settings/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "frame/text/gbk.h"
#include "tests/frame/settings/temp_dir_test.h"

namespace frame {
namespace {

namespace fs = std::filesystem;
using settings_test::TempDirTest;
using std::nullopt;
using std::optional;
using std::string;

class IniFileTest : public TempDirTest {};

TEST_F(IniFileTest, ReadsValuesOrTheDefault) {
  WriteBytes(dir_ / "Config.ini", "[Server]\r\nIP=10.0.0.1\r\nPW=\r\n");
  const Text file = PathOf("Config.ini");
  struct Case {
    Text path, section, key, default_text, expected;
  };
  const Case cases[] = {
      {file, "Server", "IP", "d", "10.0.0.1"},
      {file, " \t\x01Server", "\nIP", "d", "10.0.0.1"},
      {" " + file, "Server", "IP", "d", "10.0.0.1"},
      {file, "Server", "PW", "d", ""},
      {file, "Server", "ID", "d", "d"},
      {file, "Other", "IP", "d", "d"},
      {PathOf("Missing.ini"), "Server", "IP", "d", "d"},
      {PathOf("nodir\\Config.ini"), "Server", "IP", "d", "d"},
      {PathOf(""), "Server", "IP", "d", "d"},  // a directory
      // Blank-only texts give the empty text, not the default.
      {file, "   ", "IP", "d", ""},
      {file, "Server", "\t", "d", ""},
      {" \r\n", "Server", "IP", "d", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadIniValue(c.path, c.section, c.key, c.default_text), c.expected)
        << c.path << " [" << c.section << "] " << c.key;
  }
  EXPECT_EQ(ReadIniValue(file, "Server", "ID"), "");
}

TEST_F(IniFileTest, CutsValuesToTheBuffer) {
  const Text chinese = Gbk("中");
  struct Case {
    string value, expected;
  };
  const Case cases[] = {
      {string(10239, 'a'), string(10239, 'a')},
      {string(10240, 'a'), string(10239, 'a')},
      {string(10237, 'a') + chinese, string(10237, 'a') + chinese},
      {string(10238, 'a') + chinese, string(10238, 'a')},
      {string(10238, 'a') + chinese + "b", string(10238, 'a')},
      {string(1 << 20, 'z'), string(10239, 'z')},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteIniValue(PathOf("Config.ini"), "S", "K", c.value));
    EXPECT_EQ(ReadIniValue(PathOf("Config.ini"), "S", "K"), c.expected)
        << "value of " << c.value.size() << " bytes";
  }
  EXPECT_EQ(ReadIniValue(PathOf("Config.ini"), "S", "None", string(10240, 'd')),
            string(10239, 'd'));
}

struct EditCase {
  string before;
  string section;
  optional<string> key;    // nullopt removes the section
  optional<string> value;  // nullopt removes the key
  string after;
};

// Through the file, so that an absent key or value picks its edit as the
// programs pick it.
TEST_F(IniFileTest, EditsTouchOnlyTheirLine) {
  const EditCase cases[] = {
      // Replaced in place, with the name as given; other lines keep their bytes.
      {"; top\r\n[Server]\r\nip = old \r\nID=sa\r\n\r\n[Other]\r\nIP=x\r\n", "Server", "IP", "new",
       "; top\r\n[Server]\r\nIP=new\r\nID=sa\r\n\r\n[Other]\r\nIP=x\r\n"},
      {"[S]\nK=old\n", "S", "K", "", "[S]\nK=\n"},
      {"[S]\nK=old\n", "S", "K", "127.0.0.1,1433", "[S]\nK=127.0.0.1,1433\n"},
      // Added after the section's last non-blank line, in the file's line end.
      {"[Server]\nIP=1\n\n[Other]\nA=1\n", "Server", "PW", "p",
       "[Server]\nIP=1\nPW=p\n\n[Other]\nA=1\n"},
      {"[S]\nA=1\n; end of S\n\n[T]\n", "S", "K", "v", "[S]\nA=1\n; end of S\nK=v\n\n[T]\n"},
      {"[Server]", "Server", "PW", "p", "[Server]\r\nPW=p\r\n"},
      {"[S]\nA=1", "S", "K", "v", "[S]\nA=1\nK=v\n"},
      {"[S]\nA=1\n[S]\nK=2\n", "S", "K", "v", "[S]\nA=1\nK=v\n[S]\nK=2\n"},
      // A new section goes at the end, after the last line is ended.
      {"[A]\nX=1", "S", "K", "v", "[A]\nX=1\n[S]\nK=v\n"},
      {"[A]\rX=1\r", "S", "K", "v", "[A]\rX=1\r[S]\rK=v\r"},
      {"", "S", "K", "v", "[S]\r\nK=v\r\n"},
      {"; note", "S", "K", "v", "; note\r\n[S]\r\nK=v\r\n"},
      {"", " S ", "\tK ", "v", "[S]\r\nK=v\r\n"},
      // Removals.
      {"[S]\r\nA=1\r\nK=2\r\nB=3\r\n", "s", "k", nullopt, "[S]\r\nA=1\r\nB=3\r\n"},
      {"[A]\nX=1\n\n[S]\nK=2\n\n[B]\nY=3\n", "s", nullopt, nullopt, "[A]\nX=1\n\n[B]\nY=3\n"},
      {"[A]\nX=1\n[S]\nK=2", "S", nullopt, nullopt, "[A]\nX=1\n"},
      {"[S]\nA=1\n", "S", "K", nullopt, "[S]\nA=1\n"},
      {"[S]\nA=1\n", "T", nullopt, nullopt, "[S]\nA=1\n"},
  };
  for (const EditCase& c : cases) {
    WriteBytes(dir_ / "edit.ini", c.before);
    EXPECT_TRUE(WriteIniValue(PathOf("edit.ini"), c.section, c.key, c.value));
    EXPECT_EQ(ReadBytes(dir_ / "edit.ini"), c.after)
        << "before: " << c.before << "\nsection: " << c.section << ", key: " << c.key.value_or("-")
        << ", value: " << c.value.value_or("-");
  }
}

TEST_F(IniFileTest, RemovesKeysAndSectionsWhenTheirPartIsAbsent) {
  WriteBytes(dir_ / "a.ini", "[S]\r\nK=1\r\nL=2\r\n[T]\r\nK=3\r\n");
  EXPECT_TRUE(WriteIniValue(PathOf("A.ini"), "S", "K", nullopt));
  EXPECT_EQ(ReadBytes(dir_ / "a.ini"), "[S]\r\nL=2\r\n[T]\r\nK=3\r\n");
  EXPECT_TRUE(WriteIniValue(PathOf("A.ini"), "s", nullopt, nullopt));
  EXPECT_EQ(ReadBytes(dir_ / "a.ini"), "[T]\r\nK=3\r\n");

  EXPECT_TRUE(WriteIniValue(PathOf("new.ini"), "S", nullopt, nullopt));
  EXPECT_FALSE(fs::exists(dir_ / "new.ini"));
}

TEST_F(IniFileTest, RejectsBlankSectionsAndKeys) {
  const Text file = PathOf("Config.ini");
  EXPECT_FALSE(WriteIniValue(file, "", "K", "v"));
  EXPECT_FALSE(WriteIniValue(file, " \t", "K", "v"));
  EXPECT_FALSE(WriteIniValue(file, "S", " ", "v"));
  EXPECT_FALSE(WriteIniValue("", "S", "K", "v"));
  EXPECT_TRUE(Entries().empty());
}

TEST_F(IniFileTest, KeepsChineseTextsAndPathsIntact) {
  // The directory name's GBK trail byte is 0x5C, a backslash.
  fs::create_directory(dir_ / settings_test::Utf8Path("乗"));
  const Text file = PathOf("乗\\config.ini");
  const Text value = Gbk("霜月服务器,1433");
  ASSERT_TRUE(WriteIniValue(file, Gbk("服务器"), Gbk("地址"), value));
  EXPECT_EQ(ReadBytes(dir_ / settings_test::Utf8Path("乗") / "config.ini"),
            Gbk("[服务器]\r\n地址=") + value + "\r\n");  // GBK on disk
  EXPECT_EQ(ReadIniValue(PathOf("乗\\Config.ini"), Gbk("服务器"), Gbk("地址")), value);
}

// What an editor saves as "Unicode".
string Utf16Le(const std::u16string& text) {
  string bytes = "\xFF\xFE";
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

TEST_F(IniFileTest, AUtf16FileIsReadAndStaysUtf16) {
  WriteBytes(dir_ / "Config.ini", Utf16Le(u"; 霜月奇谭\r\n[Server]\r\nip = 127.0.0.1,1433 \r\n"
                                          u"ID=sa\r\nPW=\"密码'😀\"\r\n\r\n[其他]\r\nK=留着\r\n"));
  const Text file = PathOf("config.ini");
  EXPECT_EQ(ReadIniValue(file, "server", "IP"), "127.0.0.1,1433");
  EXPECT_EQ(ReadIniValue(file, "Server", "PW"), Gbk("密码'😀"));
  EXPECT_EQ(ReadIniValue(file, Gbk("其他"), "K"), Gbk("留着"));
  EXPECT_EQ(ReadIniValue(file, "Server", "DB1", "none"), "none");

  ASSERT_TRUE(WriteIniValue(file, "Server", "PW", Gbk("新密码")));
  ASSERT_TRUE(WriteIniValue(file, "Server", "DB1", "KV7_Member"));
  EXPECT_EQ(ReadBytes(dir_ / "Config.ini"),
            Utf16Le(u"; 霜月奇谭\r\n[Server]\r\nip = 127.0.0.1,1433 \r\nID=sa\r\nPW=新密码\r\n"
                    u"DB1=KV7_Member\r\n\r\n[其他]\r\nK=留着\r\n"));
  EXPECT_EQ(ReadIniValue(file, "Server", "PW"), Gbk("新密码"));
  EXPECT_EQ(ReadIniValue(file, "Server", "DB1"), "KV7_Member");

  // UTF-16 that forms no character reads as U+FFFD and leaves the rest alone.
  WriteBytes(dir_ / "Broken.ini", Utf16Le(u"[S]\r\nA=\xD800x\r\nK=v\r\n") + "\x41");
  EXPECT_EQ(ReadIniValue(PathOf("Broken.ini"), "S", "A"), Gbk("\uFFFDx"));
  EXPECT_EQ(ReadIniValue(PathOf("Broken.ini"), "S", "K"), "v");
}

}  // namespace
}  // namespace frame
