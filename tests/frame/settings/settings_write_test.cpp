// What every platform's settings writes promise: a failed write leaves
// nothing behind, and writers and readers in one process see whole files.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "frame/settings/ini_file.h"
#include "tests/frame/settings/temp_dir_test.h"

namespace frame {
namespace {

namespace fs = std::filesystem;
using settings_test::TempDirTest;
using std::string;

class SettingsWriteTest : public TempDirTest {};

TEST_F(SettingsWriteTest, FailedWritesLeaveNothingBehind) {
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

// Writers must not lose each other's updates, and a reader must never see a
// half-written file.
TEST_F(SettingsWriteTest, ConcurrentWritersAndReadersSeeWholeFiles) {
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
