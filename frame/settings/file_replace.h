// Whole-file reads and crash-safe replacement of small files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace frame {

enum class ReadResult { kRead, kMissing, kFailed };

// What a replacement carries over from the file it replaces.
struct FileInfo {
  uint32_t mode = 0;   // Linux: the permission bits; Windows: the file attributes
  uint32_t owner = 0;  // Linux only, as the group
  uint32_t group = 0;
};

// Reads a regular file whole; `info` receives what a replacement keeps.
ReadResult ReadFile(const std::filesystem::path& path, std::string& bytes, FileInfo& info);

// False for an existing file that its owner made read-only.
bool MayWriteFile(const std::filesystem::path& path);

// Replaces `target` by `bytes` through a temporary file beside it, so that a
// crash leaves either the old or the new file, never a part of one. The new
// file keeps the old one's permission bits and owner (Linux) or attributes
// (Windows); on Linux a file made here is readable by its owner only. Where
// no temporary file can be made (a read-only directory), an existing target
// is rewritten in place instead, as the programs' home platform does.
bool ReplaceFile(const std::filesystem::path& target, std::string_view bytes, const FileInfo* old);

// Removes the temporary files in `dir` that replacements whose process died
// left behind; they may hold the whole settings, passwords included. Only
// files named as this program names them are touched, and those of
// replacements still under way are left alone.
void RemoveAbandonedTemporaries(const std::filesystem::path& dir);

// Held from reading a file to replacing it, so that writers of files in one
// folder, in this process and in others, do not lose each other's changes.
// Waits while another writer holds it.
class FolderWriteLock {
 public:
  explicit FolderWriteLock(const std::filesystem::path& dir);
  ~FolderWriteLock();
  FolderWriteLock(const FolderWriteLock&) = delete;
  FolderWriteLock& operator=(const FolderWriteLock&) = delete;

 private:
  intptr_t handle_;  // a descriptor, or a HANDLE
};

}  // namespace frame
