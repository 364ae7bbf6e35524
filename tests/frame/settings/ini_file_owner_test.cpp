// What a settings write keeps of a file's permission bits and owner, and
// gives a file it makes: Linux file modes and owners.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "frame/settings/ini_file.h"
#include "tests/frame/settings/temp_dir_test.h"

namespace frame {
namespace {

namespace fs = std::filesystem;
using settings_test::TempDirTest;
using std::string;

class IniFileOwnerTest : public TempDirTest {
 protected:
  static unsigned Mode(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
  }
};

TEST_F(IniFileOwnerTest, CreatesAFileOnlyItsOwnerCanRead) {
  ASSERT_TRUE(WriteIniValue(PathOf("config.ini"), "Server", "IP", "127.0.0.1,1433"));
  ASSERT_TRUE(WriteIniValue(PathOf("config.ini"), "Server", "PW", ""));
  EXPECT_EQ(ReadBytes(dir_ / "config.ini"), "[Server]\r\nIP=127.0.0.1,1433\r\nPW=\r\n");
  EXPECT_EQ(Mode(dir_ / "config.ini"), 0600u);
  EXPECT_EQ(ReadIniValue(PathOf("Config.ini"), "Server", "IP"), "127.0.0.1,1433");
  EXPECT_EQ(Entries(), std::vector<string>{"config.ini"});
}

TEST_F(IniFileOwnerTest, UpdatesAnExistingFileInPlace) {
  const string before =
      "; settings\n[Server]\nip=old\nDB1=game\n\n[Extra]\nIP=keep\n[Server]\nID=dup\n";
  WriteBytes(dir_ / "Config.ini", before);
  fs::permissions(dir_ / "Config.ini", fs::perms(0640));
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown((dir_ / "Config.ini").c_str(), 4321, 4321), 0);
  }

  // The key order and the "\config.ini" name of the programs.
  const char* const keys[][2] = {{"IP", "127.0.0.1,1433"}, {"ID", "sa"}, {"PW", "p=w;d"},
                                 {"DB1", "game"},          {"DB2", ""},  {"DB3", "log"}};
  for (const auto& [key, value] : keys) {
    EXPECT_TRUE(WriteIniValue(PathOf("config.ini"), "Server", key, value)) << key;
  }

  EXPECT_EQ(ReadBytes(dir_ / "Config.ini"),
            "; settings\n[Server]\nIP=127.0.0.1,1433\nDB1=game\nID=sa\nPW=p=w;d\nDB2=\nDB3=log\n"
            "\n[Extra]\nIP=keep\n[Server]\nID=dup\n");
  EXPECT_EQ(Entries(), std::vector<string>{"Config.ini"});
  EXPECT_EQ(Mode(dir_ / "Config.ini"), 0640u);
  if (root) {
    struct stat info {};
    ASSERT_EQ(::stat((dir_ / "Config.ini").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4321u);
  }
  for (const auto& [key, value] : keys) {
    EXPECT_EQ(ReadIniValue(PathOf("Config.ini"), "Server", key), value) << key;
  }
}

}  // namespace
}  // namespace frame
