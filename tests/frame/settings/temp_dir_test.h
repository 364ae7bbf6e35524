// A fresh directory for each settings test, and the file helpers its tests
// share.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "frame/settings/file_paths.h"
#include "frame/text/gbk.h"

namespace settings_test {

namespace fs = std::filesystem;
using std::string;

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
  frame::Text PathOf(const string& utf8_name) const {
    return frame::PathText(dir_) + "\\" + frame::Gbk(utf8_name);
  }

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

}  // namespace settings_test
