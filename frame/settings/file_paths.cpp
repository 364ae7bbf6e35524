#include "frame/settings/file_paths.h"

#include <algorithm>
#include <optional>
#include <string>
#include <system_error>

#include "frame/text/ascii.h"

namespace frame {
namespace {}  // namespace

std::filesystem::path FileSystemPath(std::string_view gbk_path) {
  std::string utf8 = Utf8(gbk_path);
  std::replace(utf8.begin(), utf8.end(), '\\', '/');
  return std::filesystem::path(std::move(utf8));
}

Text PathText(const std::filesystem::path& path) {
  return Gbk(path.native());
}

std::filesystem::path ResolveFileName(const std::filesystem::path& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  // symlink_status: a dangling link still names the file the caller means.
  if (fs::exists(fs::symlink_status(path, ec))) return path;
  const std::string wanted = path.filename().native();
  if (wanted.empty()) return path;
  const fs::path parent = path.parent_path();
  fs::directory_iterator it(parent.empty() ? fs::path(".") : parent, ec);
  if (ec) return path;
  std::optional<std::string> best;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    if (ec) break;
    std::string name = it->path().filename().native();
    if (EqualIgnoringAsciiCase(name, wanted) && (!best || name < *best)) best = std::move(name);
  }
  if (!best) return path;
  return parent / *best;
}

}  // namespace frame
