#include "frame/settings/file_paths.h"

#include <algorithm>
#include <optional>
#include <string>
#include <system_error>

#include "frame/text/ascii.h"

namespace frame {
namespace {

// UTF-8 both ways: the file system's own form (bytes on Linux, UTF-16 on
// Windows) is the path's business.
std::string Utf8Name(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

std::filesystem::path PathOfUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

std::filesystem::path FileSystemPath(std::string_view gbk_path) {
  std::string utf8 = Utf8(gbk_path);
  std::replace(utf8.begin(), utf8.end(), '\\',
               static_cast<char>(std::filesystem::path::preferred_separator));
  return PathOfUtf8(utf8);
}

Text PathText(const std::filesystem::path& path) {
  return Gbk(Utf8Name(path));
}

std::filesystem::path ResolveFileName(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  // symlink_status: a dangling link still names the file the caller means.
  // A file system that ignores case (Windows) finds the file under any
  // spelling; the entry's own is looked up all the same, so that a
  // replacement keeps it.
  const bool exists = fs::exists(fs::symlink_status(path, ec));
  const std::string wanted = Utf8Name(path.filename());
  if (wanted.empty()) return path;
  const fs::path parent = path.parent_path();
  fs::directory_iterator it(parent.empty() ? fs::path(".") : parent, ec);
  if (ec) return path;
  std::optional<std::string> best;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    std::string name = Utf8Name(it->path().filename());
    if (exists && name == wanted) return path;
    if (EqualIgnoringAsciiCase(name, wanted) && (!best || name < *best)) best = std::move(name);
  }
  if (!best) return path;
  return parent / PathOfUtf8(*best);
}

std::filesystem::path FollowLinks(std::filesystem::path path) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec))) return path;
    std::filesystem::path target = std::filesystem::read_symlink(path, ec);
    if (ec) return path;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

}  // namespace frame
