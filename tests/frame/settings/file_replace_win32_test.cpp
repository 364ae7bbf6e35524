// Settings writes with the Windows file calls: read-only files, attributes
// that a replacement keeps, temporaries of writers that died, and writers in
// other processes (settings_writer.exe, built beside this suite).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "frame/settings/file_replace.h"
#include "frame/settings/ini_file.h"
#include "frame/settings/temporary_names.h"
#include "tests/frame/settings/settings_writer_win32.h"
#include "tests/frame/settings/temp_dir_test.h"

namespace frame {
namespace {

namespace fs = std::filesystem;
using settings_test::TempDirTest;
using std::string;

class WriterProcess {
 public:
  WriterProcess(const Text& file, const string& prefix, int count) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const fs::path writer = fs::path(self).parent_path() / "settings_writer.exe";
    std::wstring command = L"\"" + writer.wstring() + L"\" \"" + Utf8Path(Utf8(file)).wstring() +
                           L"\" " + fs::path(prefix).wstring() + L" " + std::to_wstring(count);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &info_) != 0;
    EXPECT_TRUE(started_) << "settings_writer.exe beside the suite";
    if (started_) CloseHandle(info_.hThread);
  }
  ~WriterProcess() {
    if (started_) CloseHandle(info_.hProcess);
  }
  WriterProcess(const WriterProcess&) = delete;
  WriterProcess& operator=(const WriterProcess&) = delete;

  // True once it is about to write, within a minute.
  bool Ready() const {
    if (!started_) return false;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, ReadyEventName(id()).c_str());
    const bool set = ready != nullptr && WaitForSingleObject(ready, 60000) == WAIT_OBJECT_0;
    if (ready != nullptr) CloseHandle(ready);
    return set;
  }
  bool RunsFor(DWORD milliseconds) const {
    return started_ && WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_TIMEOUT;
  }
  // True when it ended within a minute and stored every write.
  bool Succeeded() const {
    DWORD code = 1;
    return started_ && WaitForSingleObject(info_.hProcess, 60000) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(info_.hProcess, &code) && code == 0;
  }
  uint32_t id() const { return info_.dwProcessId; }
  void Kill() const {
    ASSERT_TRUE(started_ && TerminateProcess(info_.hProcess, 9));
    WaitForSingleObject(info_.hProcess, INFINITE);
  }

 private:
  static fs::path Utf8Path(const string& utf8) { return settings_test::Utf8Path(utf8); }

  PROCESS_INFORMATION info_{};
  bool started_ = false;
};

class FileReplaceTest : public TempDirTest {};

TEST_F(FileReplaceTest, ReadOnlyFilesStayAsTheyWereAndAttributesAreKept) {
  const string before = "[Server]\r\nIP=old\r\n";
  WriteBytes(dir_ / "Config.ini", before);
  const std::wstring path = (dir_ / "Config.ini").wstring();
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(WriteIniValue(PathOf("config.ini"), "Server", "IP", "new"));
  EXPECT_EQ(ReadBytes(dir_ / "Config.ini"), before);
  EXPECT_EQ(Entries(), std::vector<string>{"Config.ini"});

  // A hidden file stays hidden, and keeps its name's letter case. wine
  // keeps the attribute only where the file system stores extended
  // attributes.
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
  const bool hidden = (GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN) != 0;
  EXPECT_TRUE(WriteIniValue(PathOf("config.ini"), "Server", "IP", "new"));
  EXPECT_EQ(ReadBytes(dir_ / "Config.ini"), "[Server]\r\nIP=new\r\n");
  if (hidden) {
    EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  }
  EXPECT_EQ(Entries(), std::vector<string>{"Config.ini"});
}

TEST_F(FileReplaceTest, AWriteRemovesOnlyTheTemporaryFilesOfItsWritersThatDied) {
  WriterProcess ended(PathOf("other.ini"), "K", 0);
  ASSERT_TRUE(ended.Succeeded());
  const string dead = TemporaryNameStart(ended.id()) + "Ab12Cd";
  const string live = TemporaryNameStart(GetCurrentProcessId()) + "Ab12Cd";
  const string held = TemporaryNameStart(ended.id()) + "Held00";
  const string other = string(kTemporaryPrefix) + "notours";
  for (const string& name : {dead, live, held, other})
    WriteBytes(dir_ / name, "[Server]\r\nPW=secret\r\n");
  // Open and shared with nobody, as a writer holds its temporary file.
  HANDLE holder = CreateFileW((dir_ / held).wstring().c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);

  EXPECT_TRUE(WriteIniValue(PathOf("Config.ini"), "Server", "IP", "1"));
  CloseHandle(holder);
  std::vector<string> expected = {other, held, live, "Config.ini"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Entries(), expected);
}

// This process holds the folder while another would write.
TEST_F(FileReplaceTest, AWriterWaitsForTheFolderAndThenWritesTheFileItFinds) {
  std::optional<WriterProcess> writer;
  {
    FolderWriteLock lock(dir_);
    writer.emplace(PathOf("Config.ini"), "Theirs", 1);
    ASSERT_TRUE(writer->Ready());
    EXPECT_TRUE(writer->RunsFor(500));
    EXPECT_FALSE(fs::exists(dir_ / "Config.ini"));
    WriteBytes(dir_ / "Config.ini", "[S]\r\nMine=1\r\n");
  }
  ASSERT_TRUE(writer->Succeeded());
  EXPECT_EQ(ReadBytes(dir_ / "Config.ini"), "[S]\r\nMine=1\r\nTheirs1=Theirs1\r\n");
}

// Each process stands for a gmdesk that writes its settings back.
TEST_F(FileReplaceTest, WritersInSeveralProcessesKeepEachOthersKeys) {
  constexpr int kProcesses = 4;
  constexpr int kWrites = 20;
  std::vector<std::unique_ptr<WriterProcess>> writers;
  for (int p = 0; p < kProcesses; ++p) {
    writers.push_back(std::make_unique<WriterProcess>(PathOf("Config.ini"),
                                                      "P" + std::to_string(p) + "_", kWrites));
  }
  for (const auto& writer : writers)
    EXPECT_TRUE(writer->Succeeded());
  for (int p = 0; p < kProcesses; ++p) {
    for (int n = 1; n <= kWrites; ++n) {
      const string key = "P" + std::to_string(p) + "_" + std::to_string(n);
      EXPECT_EQ(ReadIniValue(PathOf("Config.ini"), "S", key), key);
    }
  }
  EXPECT_EQ(Entries(), std::vector<string>{"Config.ini"});
}

TEST_F(FileReplaceTest, KillsDuringWritesLeaveAWholeFileAndNothingTheNextWriteKeeps) {
  const Text file = PathOf("Config.ini");
  ASSERT_TRUE(WriteIniValue(file, "S", "Start", "Start"));
  for (int kill = 0; kill < 8; ++kill) {
    WriterProcess writer(file, "R" + std::to_string(kill) + "_", 1000000);
    ASSERT_TRUE(writer.Ready());
    Sleep(20 + 40 * kill);
    writer.Kill();
    // Whole: every line a key that holds its own name, the last one ended.
    const string bytes = ReadBytes(dir_ / "Config.ini");
    ASSERT_TRUE(bytes.starts_with("[S]\r\nStart=Start\r\n") && bytes.ends_with("\r\n")) << kill;
    for (size_t at = bytes.find("\r\n") + 2; at < bytes.size();) {
      const size_t end = bytes.find("\r\n", at);
      const string line = bytes.substr(at, end - at);
      const size_t equals = line.find('=');
      ASSERT_NE(equals, string::npos) << line;
      EXPECT_EQ(line.substr(0, equals), line.substr(equals + 1));
      at = end + 2;
    }
  }
  ASSERT_TRUE(WriteIniValue(file, "S", "After", "After"));
  EXPECT_EQ(Entries(), std::vector<string>{"Config.ini"});
  EXPECT_EQ(ReadIniValue(file, "S", "After"), "After");
}

}  // namespace
}  // namespace frame
