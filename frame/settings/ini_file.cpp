#include "frame/settings/ini_file.h"

#include <filesystem>
#include <mutex>

#include "frame/settings/file_paths.h"
#include "frame/settings/file_replace.h"
#include "frame/settings/ini_document.h"
#include "frame/settings/ini_encoding.h"

namespace frame {
namespace {

unsigned char Byte(std::string_view s, std::size_t i) {
  return static_cast<unsigned char>(s[i]);
}

std::string_view SkipLeadingControls(std::string_view s) {
  while (!s.empty() && Byte(s, 0) <= 0x20)
    s.remove_prefix(1);
  return s;
}

// A caller's path or name as the profile functions see it.
std::string_view Argument(std::string_view s) {
  return SkipLeadingControls(CutAtNul(s));
}

Text CutToLimit(std::string_view s) {
  if (s.size() <= kIniValueLimit) return Text(s);
  std::size_t end = 0;
  while (end < s.size() && end + GbkCharacterSize(s, end) <= kIniValueLimit)
    end += GbkCharacterSize(s, end);
  return Text(s.substr(0, end));
}

std::mutex& WriteMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

Text ReadIniValue(std::string_view path, std::string_view section, std::string_view key,
                  std::string_view default_text) {
  path = Argument(path);
  section = Argument(section);
  key = Argument(key);
  if (path.empty() || section.empty() || key.empty()) return Text();
  std::string bytes;
  FileInfo info;
  if (ReadFile(ResolveFileName(FileSystemPath(path)), bytes, info) != ReadResult::kRead) {
    return CutToLimit(CutAtNul(default_text));
  }
  const std::optional<Text> value =
      IniDocument(DecodeIni(std::move(bytes)).text).Find(section, key);
  return CutToLimit(value ? *value : CutAtNul(default_text));
}

bool WriteIniValue(std::string_view path, std::string_view section,
                   std::optional<std::string_view> key, std::optional<std::string_view> value) {
  path = Argument(path);
  section = Argument(section);
  if (key) key = Argument(*key);
  if (value) value = CutAtNul(*value);
  if (path.empty() || TrimBlanks(section).empty() || (key && TrimBlanks(*key).empty())) {
    return false;
  }

  std::lock_guard<std::mutex> lock(WriteMutex());
  std::filesystem::path target = FollowLinks(ResolveFileName(FileSystemPath(path)));
  const std::filesystem::path folder = target.parent_path();
  FolderWriteLock folder_lock(folder);
  // Another process may have made the file under another spelling, or changed
  // a link, while this one waited; a file in another folder is not locked.
  target = FollowLinks(ResolveFileName(FileSystemPath(path)));
  if (target.parent_path() != folder) return false;
  RemoveAbandonedTemporaries(folder);
  std::string old_bytes;
  FileInfo info;
  const ReadResult read = ReadFile(target, old_bytes, info);
  if (read == ReadResult::kFailed) return false;
  const bool exists = read == ReadResult::kRead;

  IniText old_text = DecodeIni(std::move(old_bytes));
  IniDocument document(old_text.text);
  if (!key) {
    document.RemoveSection(section);
  } else if (!value) {
    document.RemoveKey(section, *key);
  } else {
    document.Set(section, *key, *value);
  }
  if (document.bytes() == old_text.text) return true;
  // A file its owner made read-only stays unchanged, as on the home platform.
  if (exists && !MayWriteFile(target)) return false;
  return ReplaceFile(target, EncodeIni(document.bytes(), old_text.encoding),
                     exists ? &info : nullptr);
}

}  // namespace frame
