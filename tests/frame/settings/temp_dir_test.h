// A fresh directory for each settings test, and the file helpers its tests
// share.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "frame/settings/file_paths.h"
#include "frame/text/gbk.h"

namespace settings_test {

namespace fs = std::filesystem;
using std::string;

// A file name written in UTF-8, as this file's literals are, on every file
// system (Windows reads a narrow text in its own code page).
inline fs::path Utf8Path(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    for (int attempt = 0; attempt < 100 && dir_.empty(); ++attempt) {
      fs::path dir = fs::path(::testing::TempDir()) /
                     ("ini_file_test_" + std::to_string(random()) + std::to_string(random()));
      std::error_code ec;
      if (fs::create_directory(dir, ec)) dir_ = dir;
    }
    ASSERT_FALSE(dir_.empty());
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
      names.push_back(Utf8Name(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
  }

  static string Utf8Name(const fs::path& path) {
    const std::u8string name = path.u8string();
    return string(name.begin(), name.end());
  }

  static string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return string(std::istreambuf_iterator<char>(in), {});
  }
  static void WriteBytes(const fs::path& path, const string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  fs::path dir_;
};

}  // namespace settings_test
