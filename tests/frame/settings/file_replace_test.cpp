// Settings writes replace whole files: what crashes, full disks, read-only
// files and folders, links, left-over temporary files and other writers,
// in this process and in others, leave behind.
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
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "frame/settings/ini_file.h"
#include "frame/text/gbk.h"
#include "tests/frame/settings/temp_dir_test.h"

namespace frame {
namespace {

namespace fs = std::filesystem;
using settings_test::TempDirTest;
using std::string;

class FileReplaceTest : public TempDirTest {
 protected:
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
};

TEST_F(FileReplaceTest, WritesThroughASymbolicLink) {
  fs::create_directory(dir_ / "real");
  WriteBytes(dir_ / "real" / "settings.ini", "[S]\nK=old\n");
  fs::create_symlink("real/settings.ini", dir_ / "Config.ini");

  ASSERT_TRUE(WriteIniValue(PathOf("config.ini"), "S", "K", "new"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "Config.ini"));
  EXPECT_EQ(ReadBytes(dir_ / "real" / "settings.ini"), "[S]\nK=new\n");
  EXPECT_EQ(ReadIniValue(PathOf("Config.ini"), "S", "K"), "new");
}

// Permissions do not bind root, so as root the checks run as nobody.
TEST_F(FileReplaceTest, ReadOnlyFilesStayAsTheyWereAndReadOnlyDirectoriesAreWrittenInPlace) {
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

TEST_F(FileReplaceTest, AWriteRemovesOnlyTheTemporaryFilesOfItsWritersThatDied) {
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
TEST_F(FileReplaceTest, AWriteTheDiskCannotHoldLeavesTheOldFileWhole) {
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
TEST_F(FileReplaceTest, AWriterWaitsForTheFolderAndThenWritesTheFileItFinds) {
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
TEST_F(FileReplaceTest, WritersInSeveralProcessesKeepEachOthersKeys) {
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

TEST_F(FileReplaceTest, KillsDuringWritesLeaveAWholeFileAndNothingTheNextWriteKeeps) {
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

}  // namespace
}  // namespace frame
