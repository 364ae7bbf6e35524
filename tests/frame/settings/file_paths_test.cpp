// The programs' file names on this file system: backslashes, the code page
// and letter case.
#include "frame/settings/file_paths.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "frame/text/gbk.h"
#include "tests/frame/settings/temp_dir_test.h"

namespace frame {
namespace {

namespace fs = std::filesystem;
using settings_test::TempDirTest;
using settings_test::Utf8Path;

class FilePathTest : public TempDirTest {};

TEST_F(FilePathTest, ConvertsToUtf8BeforeTurningBackslashes) {
  // 乗 is 81 5C in GBK: its trail byte is a backslash.
  ASSERT_EQ(Gbk("乗"), "\x81\x5C");
  EXPECT_EQ(FileSystemPath(Gbk("目录\\乗\\Config.ini")), Utf8Path("目录/乗/Config.ini"));
  EXPECT_EQ(FileSystemPath(Gbk("乗")), Utf8Path("乗"));
  EXPECT_EQ(PathText(Utf8Path("/opt/乗")), Gbk("/opt/乗"));
}

TEST_F(FilePathTest, ResolvesFileNamesWithoutRegardToCase) {
  WriteBytes(dir_ / "Config.ini", "");
  EXPECT_EQ(ResolveFileName(dir_ / "Config.ini"), dir_ / "Config.ini");
  EXPECT_EQ(ResolveFileName(dir_ / "config.INI"), dir_ / "Config.ini");
  EXPECT_EQ(ResolveFileName(dir_ / "Server.ini"), dir_ / "Server.ini");
  EXPECT_EQ(ResolveFileName(dir_ / "missing" / "a.ini"), dir_ / "missing" / "a.ini");

  // Several candidates: the first in byte order. A file system that ignores
  // case (Windows) holds one of them only.
  WriteBytes(dir_ / "config.ini", "");
  WriteBytes(dir_ / "CONFIG.ini", "");
  if (Entries().size() == 1) return;
  EXPECT_EQ(ResolveFileName(dir_ / "Config.INI"), dir_ / "CONFIG.ini");
  EXPECT_EQ(ResolveFileName(dir_ / "config.ini"), dir_ / "config.ini");
}

}  // namespace
}  // namespace frame
