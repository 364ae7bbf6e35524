#include "frame/settings/ini_file.h"
#include "frame/settings/ini_document.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "frame/settings/file_paths.h"
#include "frame/text/gbk.h"

namespace frame {
namespace {

namespace fs = std::filesystem;
using std::nullopt;
using std::optional;
using std::string;
using namespace std::string_literals;

// ---- IniDocument: the rules without files ----------------------------------

struct LookupCase {
  string bytes;
  string section;
  string key;
  optional<string> expected;
};

TEST(IniDocumentTest, FollowsTheProfileLookupRules) {
  const LookupCase cases[] = {
      {"[Server]\r\nIP=1.2.3.4\r\n", "Server", "IP", "1.2.3.4"},
      {"[server]\nip=x\n", "SERVER", "Ip", "x"},
      {"  [ Server ]  \n \t IP \t=\t a b \t\n", "Server", "IP", "a b"},
      {"[S]\nK=\"quoted  \"\n", "S", "K", "quoted  "},
      {"[S]\nK='single'\n", "S", "K", "single"},
      {"[S]\nK=\"mixed'\n", "S", "K", "\"mixed'"},
      {"[S]\nK=\"\n", "S", "K", "\""},
      {"[S]\nK=\"a\"b\"\n", "S", "K", "a\"b"},
      {"[S]\n;K=comment\n", "S", "K", nullopt},
      {"[S]\n  ;K=comment\nK=real\n", "S", "K", "real"},
      {"K=outside\n[S]\n", "S", "K", nullopt},
      {"[S]\nA=1\n[S]\nK=second\n", "S", "K", nullopt},
      {"[S]\nK=first\nk=second\n", "S", "K", "first"},
      {"[S]\nK\n", "S", "K", nullopt},
      {"[S]\n[T\nK=in S\n", "S", "K", "in S"},
      {"[S] ; comment [x]\nK=v\n", "S", "K", "v"},
      {"[A]\nK=1\n[B]\nX=2\n", "B", "K", nullopt},
      {"[S]\n\n\nK=after blanks\n", "S", "K", "after blanks"},
      {"[S]\rA=1\rK=cr\r", "S", "K", "cr"},
      {"[S]\nA=1\r\nK=mixed\r", "S", "K", "mixed"},
      {"[S]\r\nK=unended", "S", "K", "unended"},
      {"[S]\nK=\n", "S", "K", ""},
      {"[S]\nK = a = b\n", "S", "K", "a = b"},
      {"[S]\nK=ab\0cd\n"s, "S", "K", "ab"},
      {"\xEF\xBB\xBF[S]\nK=bom\n", "S", "K", "bom"},
      {Gbk("[服务器]\n密码=口令\n"), Gbk("服务器"), Gbk("密码"), Gbk("口令")},
      // Trail bytes are no letters: 81 41 and 81 61 are two characters.
      {"[S]\n\x81\x41=upper\n\x81\x61=lower\n", "S", "\x81\x61", "lower"},
      // ...and a trail byte 0x5D is no closing bracket.
      {"[\x81]]\nK=v\n", "\x81]", "K", "v"},
  };
  for (const LookupCase& c : cases) {
    EXPECT_EQ(IniDocument(c.bytes).Find(c.section, c.key), c.expected)
        << "bytes: " << c.bytes << "\nsection: " << c.section << ", key: " << c.key;
  }
}

// Random documents made of the bytes that carry meaning: whatever the file
// holds, an edit must do what it says and change no other entry.
TEST(IniDocumentTest, EditsKeepTheirPromisesOnArbitraryBytes) {
  const string alphabet = "[]=; \t\r\n\"'\0SsTKkL\x81x"s;
  const string sections[] = {"S", "T"};
  const string keys[] = {"K", "L"};
  const string values[] = {"v", "x y", ""};
  std::mt19937 random(20240611);
  for (int round = 0; round < 3000; ++round) {
    string bytes;
    const int size = static_cast<int>(random() % 48);
    for (int i = 0; i < size; ++i) {
      bytes += alphabet[random() % alphabet.size()];
    }

    IniDocument document(bytes);
    const string section = sections[random() % 2];
    const string key = keys[random() % 2];
    const int op = static_cast<int>(random() % 3);
    const string value = values[random() % 3];
    std::vector<optional<string>> before;
    for (const string& s : sections) {
      for (const string& k : keys) {
        before.push_back(document.Find(s, k));
      }
    }

    if (op == 0) document.Set(section, key, value);
    if (op == 1) document.RemoveKey(section, key);
    if (op == 2) document.RemoveSection(section);

    const string trace = "bytes: " + bytes + "\nop " + std::to_string(op) + " " + section + "/" +
                         key + "\nafter: " + document.bytes();
    if (op == 0) {
      EXPECT_EQ(document.Find(section, key), value) << trace;
    }
    std::size_t probe = 0;
    for (const string& s : sections) {
      for (const string& k : keys) {
        const bool touched = s == section && (op == 2 || k == key);
        if (!touched) {
          EXPECT_EQ(document.Find(s, k), before[probe]) << trace << "\nprobe " << s << k;
        }
        ++probe;
      }
    }
  }
}

TEST(IniDocumentTest, ToleratesHugeLinesAndBrokenBytes) {
  const string huge(1 << 20, 'x');
  IniDocument document("[S]\n" + huge + "\nK=\x81\n\x81=hidden?\n" + "\0\0\0"s + "\r\r\n\n");
  EXPECT_EQ(document.Find("S", "K"), "\x81");
  EXPECT_EQ(document.Find("S", "\x81"), "hidden?");
  document.Set("S", "Big", huge);
  EXPECT_EQ(document.Find("S", "Big"), huge);
  EXPECT_EQ(document.Find("S", huge), nullopt);
  document.Set(huge, "K", "v");
  EXPECT_EQ(document.Find(huge, "k"), "v");
}

// ---- Files -----------------------------------------------------------------

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    string pattern = ::testing::TempDir() + "/ini_file_test_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }

  // The programs' way of naming a file: GBK directory text + "\" + name.
  Text PathOf(const string& utf8_name) const { return PathText(dir_) + "\\" + Gbk(utf8_name); }

  std::vector<string> Entries() const {
    std::vector<string> names;
    for (const auto& entry : fs::directory_iterator(dir_))
      names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  static string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return string(std::istreambuf_iterator<char>(in), {});
  }
  static void WriteBytes(const fs::path& path, const string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static unsigned Mode(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return info.st_mode & 07777;
  }

  // Runs `body` in a process of its own and says whether it returned true.
  // Permissions do not bind root, so as root the process runs as nobody, the
  // owner of the directory and its entries.
  bool InOwnProcess(const std::function<bool()>& body) const {
    constexpr uid_t kNobody = 65534;
    const bool root = ::geteuid() == 0;
    if (root) {
      EXPECT_EQ(::chown(dir_.c_str(), kNobody, kNobody), 0);
      for (const auto& entry : fs::directory_iterator(dir_))
        EXPECT_EQ(::lchown(entry.path().c_str(), kNobody, kNobody), 0);
    }
    const pid_t child = ::fork();
    if (child == 0) {
      if (root && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) std::_Exit(2);
      std::_Exit(body() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
  }

  fs::path dir_;
};

class FilePathTest : public TempDirTest {};
class IniFileTest : public TempDirTest {};

TEST_F(FilePathTest, ConvertsToUtf8BeforeTurningBackslashes) {
  // 乗 is 81 5C in GBK: its trail byte is a backslash.
  ASSERT_EQ(Gbk("乗"), "\x81\x5C");
  EXPECT_EQ(FileSystemPath(Gbk("目录\\乗\\Config.ini")), fs::path("目录/乗/Config.ini"));
  EXPECT_EQ(FileSystemPath(Gbk("乗")), fs::path("乗"));
  EXPECT_EQ(PathText(fs::path("/opt/乗")), Gbk("/opt/乗"));
}

TEST_F(FilePathTest, ResolvesFileNamesWithoutRegardToCase) {
  WriteBytes(dir_ / "Config.ini", "");
  EXPECT_EQ(ResolveFileName(dir_ / "Config.ini"), dir_ / "Config.ini");
  EXPECT_EQ(ResolveFileName(dir_ / "config.INI"), dir_ / "Config.ini");
  EXPECT_EQ(ResolveFileName(dir_ / "Server.ini"), dir_ / "Server.ini");
  EXPECT_EQ(ResolveFileName(dir_ / "missing" / "a.ini"), dir_ / "missing" / "a.ini");

  // Several candidates: the first in byte order.
  WriteBytes(dir_ / "config.ini", "");
  WriteBytes(dir_ / "CONFIG.ini", "");
  EXPECT_EQ(ResolveFileName(dir_ / "Config.INI"), dir_ / "CONFIG.ini");
  EXPECT_EQ(ResolveFileName(dir_ / "config.ini"), dir_ / "config.ini");
}

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

TEST_F(IniFileTest, CreatesAFileOnlyItsOwnerCanRead) {
  ASSERT_TRUE(WriteIniValue(PathOf("config.ini"), "Server", "IP", "127.0.0.1,1433"));
  ASSERT_TRUE(WriteIniValue(PathOf("config.ini"), "Server", "PW", ""));
  EXPECT_EQ(ReadBytes(dir_ / "config.ini"), "[Server]\r\nIP=127.0.0.1,1433\r\nPW=\r\n");
  EXPECT_EQ(Mode(dir_ / "config.ini"), 0600u);
  EXPECT_EQ(ReadIniValue(PathOf("Config.ini"), "Server", "IP"), "127.0.0.1,1433");
  EXPECT_EQ(Entries(), std::vector<string>{"config.ini"});
}

TEST_F(IniFileTest, UpdatesAnExistingFileInPlace) {
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
  fs::create_directory(dir_ / "乗");
  const Text file = PathOf("乗\\config.ini");
  const Text value = Gbk("霜月服务器,1433");
  ASSERT_TRUE(WriteIniValue(file, Gbk("服务器"), Gbk("地址"), value));
  EXPECT_EQ(ReadBytes(dir_ / "乗" / "config.ini"),
            Gbk("[服务器]\r\n地址=") + value + "\r\n");  // GBK on disk
  EXPECT_EQ(ReadIniValue(PathOf("乗\\Config.ini"), Gbk("服务器"), Gbk("地址")), value);
}

TEST_F(IniFileTest, WritesThroughASymbolicLink) {
  fs::create_directory(dir_ / "real");
  WriteBytes(dir_ / "real" / "settings.ini", "[S]\nK=old\n");
  fs::create_symlink("real/settings.ini", dir_ / "Config.ini");

  ASSERT_TRUE(WriteIniValue(PathOf("config.ini"), "S", "K", "new"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "Config.ini"));
  EXPECT_EQ(ReadBytes(dir_ / "real" / "settings.ini"), "[S]\nK=new\n");
  EXPECT_EQ(ReadIniValue(PathOf("Config.ini"), "S", "K"), "new");
}

TEST_F(IniFileTest, FailedWritesLeaveNothingBehind) {
  // Missing directory.
  EXPECT_FALSE(WriteIniValue(PathOf("nodir\\config.ini"), "S", "K", "v"));
  EXPECT_FALSE(fs::exists(dir_ / "nodir"));
  // The name is a directory, or its directory is a file.
  fs::create_directory(dir_ / "config.ini");
  EXPECT_FALSE(WriteIniValue(PathOf("Config.ini"), "S", "K", "v"));
  WriteBytes(dir_ / "plain", "[S]\nK=old\n");
  EXPECT_FALSE(WriteIniValue(PathOf("plain\\config.ini"), "S", "K", "v"));
  EXPECT_EQ(ReadBytes(dir_ / "plain"), "[S]\nK=old\n");
  EXPECT_EQ(Entries(), (std::vector<string>{"config.ini", "plain"}));
}

// Permissions do not bind root, so as root the checks run as nobody.
TEST_F(IniFileTest, ReadOnlyFilesStayAsTheyWereAndReadOnlyDirectoriesAreWrittenInPlace) {
  const string before = "[Server]\r\nIP=old\r\nPW=口令\r\n";
  WriteBytes(dir_ / "Config.ini", Gbk(before));
  auto checks = [&] {
    bool ok = true;
    auto check = [&ok](bool passed, const char* what) {
      if (!passed) std::fprintf(stderr, "failed: %s\n", what);
      ok = ok && passed;
    };
    struct stat original {};
    check(::stat((dir_ / "Config.ini").c_str(), &original) == 0, "stat");

    fs::permissions(dir_ / "Config.ini", fs::perms(0444));
    check(!WriteIniValue(PathOf("config.ini"), "Server", "IP", "new"), "read-only file refused");
    check(WriteIniValue(PathOf("config.ini"), "Server", "IP", "old"), "nothing to store");
    fs::permissions(dir_, fs::perms(0555));
    check(!WriteIniValue(PathOf("config.ini"), "Server", "IP", "new"), "both read-only refused");
    check(ReadBytes(dir_ / "Config.ini") == Gbk(before), "read-only file unchanged");

    // A writable file in a read-only directory is rewritten, shorter or longer.
    fs::permissions(dir_ / "Config.ini", fs::perms(0644));
    check(WriteIniValue(PathOf("config.ini"), "Server", "IP", "1"), "shorter value stored");
    check(WriteIniValue(PathOf("config.ini"), "Server", "DB1", "KV7_Member"), "longer stored");
    check(
        ReadBytes(dir_ / "Config.ini") == Gbk("[Server]\r\nIP=1\r\nPW=口令\r\nDB1=KV7_Member\r\n"),
        "rewritten content");
    struct stat after {};
    check(::stat((dir_ / "Config.ini").c_str(), &after) == 0 && after.st_ino == original.st_ino,
          "the same file");
    check(!WriteIniValue(PathOf("Server.ini"), "Config", "SQLIP", "x"), "no new file");
    fs::permissions(dir_, fs::perms(0755));
    return ok;
  };
  if (::geteuid() == 0) {
    constexpr uid_t kNobody = 65534;
    ASSERT_EQ(::chown(dir_.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::chown((dir_ / "Config.ini").c_str(), kNobody, kNobody), 0);
    EXPECT_EXIT(
        {
          if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) std::_Exit(2);
          std::_Exit(checks() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
  } else {
    EXPECT_TRUE(checks());
  }
  EXPECT_EQ(Entries(), std::vector<string>{"Config.ini"});
}

// A writer's temporary file is named by this prefix, its process ID and six
// letters or digits.
string TemporaryName(const string& pid, const string& random) {
  return ".settings-tmp-" + pid + "-" + random;
}

// The ID of a process that has ended.
pid_t DeadProcess() {
  const pid_t child = ::fork();
  if (child == 0) std::_Exit(0);
  int status = 0;
  ::waitpid(child, &status, 0);
  return child;
}

TEST_F(IniFileTest, AWriteRemovesOnlyTheTemporaryFilesOfItsWritersThatDied) {
  const string settings = "[Server]\r\nIP=10.0.0.1\r\nPW=secret\r\n";
  WriteBytes(dir_ / "Config.ini", settings);
  const string dead = std::to_string(DeadProcess());
  const string removed[] = {TemporaryName(dead, "Ab12Cd"), TemporaryName(dead, "zz99QQ")};
  // Other programs' files, live writers' files and what only looks like ours.
  const string kept[] = {
      ".ini-Ab12Cd",
      TemporaryName(std::to_string(::getpid()), "Ab12Cd"),
      TemporaryName("1", "Ab12Cd"),
      TemporaryName(dead, "Lock01"),
      TemporaryName(dead, "Ab12C"),
      TemporaryName(dead, "Ab12Cd7"),
      TemporaryName(dead, "Ab12Cd") + ".bak",
      TemporaryName(dead, "Ab-2Cd"),
      TemporaryName("0" + dead, "Ab12Cd"),
      TemporaryName("", "Ab12Cd"),
      TemporaryName("99999999999999999999", "Ab12Cd"),
      TemporaryName(dead, "Ab12Cd").substr(1),
      "Config.ini" + TemporaryName(dead, "Ab12Cd"),
  };
  for (const string& name : removed)
    WriteBytes(dir_ / name, settings);
  for (const string& name : kept)
    WriteBytes(dir_ / name, settings);
  // Kinds of entries a writer never leaves.
  fs::create_directory(dir_ / TemporaryName(dead, "Dir001"));
  fs::create_symlink("Config.ini", dir_ / TemporaryName(dead, "Lnk001"));
  ASSERT_EQ(::mkfifo((dir_ / TemporaryName(dead, "Fifo01")).c_str(), 0600), 0);
  // Only the folder of the file written.
  fs::create_directory(dir_ / "other");
  WriteBytes(dir_ / "other" / TemporaryName(dead, "Ab12Cd"), settings);
  // A writer of another process that still works holds a lock on its file.
  const int live = ::open((dir_ / TemporaryName(dead, "Lock01")).c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(live, 0);
  ASSERT_EQ(::flock(live, LOCK_EX), 0);

  // Even a write that finds nothing to change.
  EXPECT_TRUE(WriteIniValue(PathOf("config.ini"), "Server", "PW", "secret"));
  std::vector<string> expected(std::begin(kept), std::end(kept));
  for (const char* random : {"Dir001", "Lnk001", "Fifo01"})
    expected.push_back(TemporaryName(dead, random));
  expected.insert(expected.end(), {"Config.ini", "other"});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Entries(), expected);
  EXPECT_EQ(ReadBytes(dir_ / "Config.ini"), settings);
  EXPECT_TRUE(fs::exists(dir_ / "other" / TemporaryName(dead, "Ab12Cd")));

  ::close(live);
  EXPECT_TRUE(WriteIniValue(PathOf("config.ini"), "Server", "PW", "new"));
  expected.erase(std::find(expected.begin(), expected.end(), TemporaryName(dead, "Lock01")));
  EXPECT_EQ(Entries(), expected);
  EXPECT_EQ(ReadIniValue(PathOf("Config.ini"), "Server", "PW"), "new");
}

// Writes past RLIMIT_FSIZE fail with EFBIG, as writes on a full disk fail
// with ENOSPC.
TEST_F(IniFileTest, AWriteTheDiskCannotHoldLeavesTheOldFileWhole) {
  const string settings =
      Gbk("[Server]\r\nIP=127.0.0.1,1433\r\nID=sa\r\nPW=口令\r\nDB1=KV7_Member\r\n");
  const string before = "; " + string(4096 - 4 - settings.size(), '#') + "\r\n" + settings;
  ASSERT_EQ(before.size(), 4096u);
  struct Case {
    bool read_only_folder;
    const char* value;
    bool stored;
  };
  const Case cases[] = {
      {false, "10.0.0.254,14330", false},
      {true, "10.0.0.254,14330", false},
      {true, "10.0.0.254", true},  // a shorter file needs no room
  };
  for (const Case& c : cases) {
    WriteBytes(dir_ / "Config.ini", before);
    const bool as_expected = InOwnProcess([&] {
      if (c.read_only_folder) fs::permissions(dir_, fs::perms(0555));
      struct rlimit limit {};
      ::getrlimit(RLIMIT_FSIZE, &limit);
      limit.rlim_cur = before.size();
      ::signal(SIGXFSZ, SIG_IGN);
      return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 &&
             WriteIniValue(PathOf("config.ini"), "Server", "IP", c.value) == c.stored;
    });
    fs::permissions(dir_, fs::perms(0755));
    EXPECT_TRUE(as_expected) << c.value << (c.read_only_folder ? " in place" : "");
    string expected = before;
    if (c.stored) expected.replace(expected.find("127.0.0.1,1433"), 14, c.value);
    EXPECT_EQ(ReadBytes(dir_ / "Config.ini"), expected);
    EXPECT_EQ(Entries(), std::vector<string>{"Config.ini"});
  }
}

// A writer in another process holds the folder while this one would write.
TEST_F(IniFileTest, AWriterWaitsForTheFolderAndThenWritesTheFileItFinds) {
  const int folder = ::open(dir_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_GE(folder, 0);
  ASSERT_EQ(::flock(folder, LOCK_EX), 0);
  std::atomic<bool> written{false};
  std::thread writer([&] {
    EXPECT_TRUE(WriteIniValue(PathOf("config.ini"), "Server", "PW", "p"));
    written = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(written);
  // Made meanwhile under another spelling, as a reader's name would find it.
  WriteBytes(dir_ / "Config.ini", "[Server]\r\nIP=1.2.3.4\r\n");
  ::close(folder);
  writer.join();
  EXPECT_EQ(Entries(), std::vector<string>{"Config.ini"});
  EXPECT_EQ(ReadBytes(dir_ / "Config.ini"), "[Server]\r\nIP=1.2.3.4\r\nPW=p\r\n");
}

// Each process stands for a gmdesk that writes its settings back.
TEST_F(IniFileTest, WritersInSeveralProcessesKeepEachOthersKeys) {
  const Text file = PathOf("config.ini");
  ASSERT_TRUE(WriteIniValue(file, "Server", "IP", "127.0.0.1,1433"));
  constexpr int kProcesses = 8;
  constexpr int kKeys = 20;
  auto key = [](int process, int i) {
    return "P" + std::to_string(process) + "K" + std::to_string(i);
  };
  int start[2];
  ASSERT_EQ(::pipe(start), 0);
  std::vector<pid_t> writers;
  for (int p = 0; p < kProcesses; ++p) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(start[1]);
      char byte;
      while (::read(start[0], &byte, 1) < 0 && errno == EINTR) {
      }
      for (int i = 0; i < kKeys; ++i) {
        if (!WriteIniValue(file, "Server", key(p, i), Gbk("值") + key(p, i))) std::_Exit(1);
      }
      std::_Exit(0);
    }
    writers.push_back(child);
  }
  ::close(start[0]);
  ::close(start[1]);  // all start at once
  for (const pid_t writer : writers) {
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  int missing = 0;
  for (int p = 0; p < kProcesses; ++p) {
    for (int i = 0; i < kKeys; ++i) {
      if (ReadIniValue(file, "Server", key(p, i)) != Gbk("值") + key(p, i)) ++missing;
    }
  }
  EXPECT_EQ(missing, 0);
  EXPECT_EQ(ReadIniValue(file, "Server", "IP"), "127.0.0.1,1433");
  EXPECT_EQ(Entries(), std::vector<string>{"config.ini"});
}

TEST_F(IniFileTest, KillsDuringWritesLeaveAWholeFileAndNothingTheNextWriteKeeps) {
  const Text file = PathOf("Config.ini");
  const string long_value(3000, 'p');
  ASSERT_TRUE(WriteIniValue(file, "Server", "PW", "start"));
  for (int kill = 0; kill < 30; ++kill) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0;; ++i)
        WriteIniValue(file, "Server", "PW", i % 2 ? long_value : "short");
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500 + 300 * kill));
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    const Text value = ReadIniValue(file, "Server", "PW");
    EXPECT_TRUE(value == "start" || value == "short" || value == long_value) << value.size();
  }
  ASSERT_TRUE(WriteIniValue(file, "Server", "PW", "after"));
  EXPECT_EQ(Entries(), std::vector<string>{"Config.ini"});
  EXPECT_EQ(ReadIniValue(file, "Server", "PW"), "after");
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

// Writers must not lose each other's updates, and a reader must never see a
// half-written file.
TEST_F(IniFileTest, ConcurrentWritersAndReadersSeeWholeFiles) {
  const Text file = PathOf("Config.ini");
  ASSERT_TRUE(WriteIniValue(file, "Server", "Fixed", "always"));
  constexpr int kWriters = 4;
  constexpr int kWrites = 25;
  std::atomic<bool> done{false};
  std::atomic<int> torn_reads{0};
  std::thread reader([&] {
    while (!done) {
      if (ReadIniValue(file, "Server", "Fixed") != "always") ++torn_reads;
    }
  });
  std::vector<std::thread> writers;
  for (int w = 0; w < kWriters; ++w) {
    writers.emplace_back([&file, w] {
      for (int i = 0; i < kWrites; ++i) {
        const string key = "K" + std::to_string(w) + "_" + std::to_string(i);
        EXPECT_TRUE(WriteIniValue(file, "Server", key, key));
      }
    });
  }
  for (std::thread& writer : writers)
    writer.join();
  done = true;
  reader.join();

  EXPECT_EQ(torn_reads, 0);
  for (int w = 0; w < kWriters; ++w) {
    for (int i = 0; i < kWrites; ++i) {
      const string key = "K" + std::to_string(w) + "_" + std::to_string(i);
      EXPECT_EQ(ReadIniValue(file, "Server", key), key);
    }
  }
  EXPECT_EQ(Entries(), std::vector<string>{"Config.ini"});
}

}  // namespace
}  // namespace frame
