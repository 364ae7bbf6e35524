#include <windows.h>
// windows.h names its own ReplaceFile so; ours is the frame's.
#undef ReplaceFile

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <utility>

#include "frame/settings/file_replace.h"
#include "frame/settings/temporary_names.h"

namespace frame {
namespace {

namespace fs = std::filesystem;

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(Handle&& other) noexcept : handle_(other.Release()) {}
  ~Handle() {
    if (valid()) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE handle_;
};

// What a replacement carries over; read-only never reaches a write.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 20));
    DWORD put = 0;
    if (!WriteFile(file, bytes.data(), chunk, &put, nullptr) || put == 0) return false;
    bytes.remove_prefix(put);
  }
  return true;
}

bool SeekTo(HANDLE file, uint64_t offset) {
  LARGE_INTEGER at;
  at.QuadPart = static_cast<LONGLONG>(offset);
  return SetFilePointerEx(file, at, nullptr, FILE_BEGIN) != 0;
}

bool CutAt(HANDLE file, uint64_t size) {
  return SeekTo(file, size) && SetEndOfFile(file) != 0;
}

// Access denied to the writer's process means that it lives.
bool ProcessHasEnded(uint32_t process_id) {
  Handle process(OpenProcess(SYNCHRONIZE, FALSE, process_id));
  if (!process.valid()) return GetLastError() == ERROR_INVALID_PARAMETER;
  return WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
}

std::string RandomPart() {
  static constexpr char kLetters[] =
      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  thread_local std::mt19937 random(std::random_device{}() ^ GetCurrentThreadId());
  std::uniform_int_distribution<int> pick(0, sizeof kLetters - 2);
  std::string part(kTemporaryRandomLength, '0');
  for (char& c : part)
    c = kLetters[pick(random)];
  return part;
}

// A new temporary file in `dir`, open for writing and shared with nobody, so
// that no cleaner can take it while it is written. On failure GetLastError
// tells why.
Handle MakeTemporary(const fs::path& dir, fs::path& path) {
  const std::string start = TemporaryNameStart(GetCurrentProcessId());
  for (int attempt = 0; attempt < 16; ++attempt) {
    path = dir / (start + RandomPart());
    Handle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.valid() || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return Handle(INVALID_HANDLE_VALUE);
}

// As on Linux: without a temporary file a crash can leave a part of the new
// content, but a full disk must not. The tail claims its room and is flushed
// before the first old byte is overwritten; where the room cannot be had the
// file is cut back to the old content.
bool RewriteInPlace(const fs::path& target, std::string_view bytes) {
  Handle file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return false;
  const size_t old_size = static_cast<size_t>(size.QuadPart);
  if (bytes.size() > old_size &&
      (!SeekTo(file.get(), old_size) || !WriteAll(file.get(), bytes.substr(old_size)) ||
       !FlushFileBuffers(file.get()))) {
    CutAt(file.get(), old_size);
    return false;
  }
  return SeekTo(file.get(), 0) && WriteAll(file.get(), bytes.substr(0, old_size)) &&
         CutAt(file.get(), bytes.size()) && FlushFileBuffers(file.get());
}

// Windows refuses to move a name over a file that someone has open, even
// one opened to share deletion; readers hold it only for a moment.
bool MoveOver(const fs::path& from, const fs::path& to) {
  const ULONGLONG give_up = GetTickCount64() + 2000;
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return true;
    }
    const DWORD error = GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) ||
        GetTickCount64() > give_up) {
      return false;
    }
    Sleep(attempt < 10 ? 0 : 1);
  }
}

// The folder's own path: through its handle where it opens, so that a short
// name, a junction or a mapped drive all lead to one name.
std::wstring FolderPath(const fs::path& dir) {
  const fs::path folder = dir.empty() ? fs::path(L".") : dir;
  Handle handle(CreateFileW(folder.c_str(), 0,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  std::wstring path(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length = handle.valid()
                             ? GetFinalPathNameByHandleW(handle.get(), path.data(),
                                                         static_cast<DWORD>(path.size()), 0)
                             : GetFullPathNameW(folder.c_str(), static_cast<DWORD>(path.size()),
                                                path.data(), nullptr);
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(length + 1);
  }
  return folder.wstring();
}

// A mutex name that every process makes alike for the folder: its path in
// upper case, as the file system compares names, hashed to fit.
std::wstring FolderMutexName(const fs::path& dir) {
  std::wstring path = FolderPath(dir);
  while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/'))
    path.pop_back();
  if (!path.empty()) {
    std::wstring upper(path.size(), L'\0');
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, path.data(),
                      static_cast<int>(path.size()), upper.data(), static_cast<int>(upper.size()),
                      nullptr, nullptr, 0) == static_cast<int>(path.size())) {
      path = upper;
    }
  }
  uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (const wchar_t c : path)
    hash = (hash ^ static_cast<uint16_t>(c == L'/' ? L'\\' : c)) * 1099511628211ull;
  wchar_t name[64];
  swprintf(name, 64, L"settings-folder-%016llx", static_cast<unsigned long long>(hash));
  return name;
}

// Global: other sessions write the same folders too. Where the session may
// not reach the global names, its own.
HANDLE FolderMutex(const fs::path& dir) {
  const std::wstring name = FolderMutexName(dir);
  HANDLE mutex = CreateMutexW(nullptr, FALSE, (L"Global\\" + name).c_str());
  if (mutex == nullptr) mutex = CreateMutexW(nullptr, FALSE, (L"Local\\" + name).c_str());
  return mutex;
}

}  // namespace

ReadResult ReadFile(const fs::path& path, std::string& bytes, FileInfo& kept) {
  Handle file(CreateFileW(path.c_str(), GENERIC_READ,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::kMissing
                                                                          : ReadResult::kFailed;
  }
  BY_HANDLE_FILE_INFORMATION info;
  // A pipe or a device under the settings name must not hang the program.
  if (GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileInformationByHandle(file.get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return ReadResult::kFailed;
  }
  kept = {.mode = info.dwFileAttributes};
  bytes.clear();
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return ReadResult::kFailed;
    if (got == 0) return ReadResult::kRead;
    bytes.append(buffer, got);
  }
}

bool MayWriteFile(const fs::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool ReplaceFile(const fs::path& target, std::string_view bytes, const FileInfo* old) {
  const fs::path dir = target.parent_path().empty() ? fs::path(L".") : target.parent_path();
  fs::path temp;
  Handle file = MakeTemporary(dir, temp);
  if (!file.valid()) {
    return GetLastError() == ERROR_ACCESS_DENIED && old != nullptr && RewriteInPlace(target, bytes);
  }
  bool ok = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
  // Closed before the move, which needs the file to itself; the cleaners
  // leave it alone while this process lives.
  ok = CloseHandle(file.Release()) && ok;
  // The new file takes the old one's attributes (hidden, archive, ...), and
  // the name moves over the old file in one step: a reader opens the old
  // file or the new one, never none.
  if (ok && old != nullptr) {
    ok = SetFileAttributesW(temp.c_str(), old->mode & kKeptAttributes) != 0;
  }
  ok = ok && MoveOver(temp, target);
  if (!ok) DeleteFileW(temp.c_str());
  return ok;
}

void RemoveAbandonedTemporaries(const fs::path& dir) {
  std::error_code ec;
  fs::directory_iterator it(dir.empty() ? fs::path(L".") : dir, ec);
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    const std::u8string name = it->path().filename().u8string();
    const std::optional<uint32_t> writer =
        TemporaryWriter(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
    if (!writer || !ProcessHasEnded(*writer)) continue;
    // Opened shared with nobody: a writer that still has the file open (a
    // process ID names another process once its own has ended) keeps it.
    Handle file(CreateFileW(it->path().c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                            FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  }
}

FolderWriteLock::FolderWriteLock(const fs::path& dir)
    : handle_(reinterpret_cast<intptr_t>(FolderMutex(dir))) {
  // WAIT_ABANDONED: the last holder died holding it; it is ours all the same.
  // Without a mutex only the writers of this process wait for each other.
  if (handle_ != 0) WaitForSingleObject(reinterpret_cast<HANDLE>(handle_), INFINITE);
}

FolderWriteLock::~FolderWriteLock() {
  if (handle_ == 0) return;
  ReleaseMutex(reinterpret_cast<HANDLE>(handle_));
  CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

}  // namespace frame
