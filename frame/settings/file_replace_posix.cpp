#include "frame/settings/file_replace.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>
#include <utility>

#include "frame/settings/temporary_names.h"

namespace frame {
namespace {

namespace fs = std::filesystem;

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(Fd&& other) noexcept : fd_(other.Release()) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

// EPERM: the process lives but belongs to another user.
bool ProcessHasEnded(pid_t pid) {
  return ::kill(pid, 0) != 0 && errno == ESRCH;
}

// A new temporary file in `dir`, locked for as long as it is open; `path`
// receives its name. On failure errno tells why. A cleaner may take the file
// in the moment before the lock, so a file that has lost its name is given
// up for a new one.
Fd MakeTemporary(const fs::path& dir, std::string& path) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    // mkostemp's six letters or digits are the random part.
    path = (dir / TemporaryNameStart(static_cast<uint32_t>(::getpid()))).native() +
           std::string(kTemporaryRandomLength, 'X');
    Fd fd(::mkostemp(path.data(), O_CLOEXEC));
    if (fd.get() < 0) return fd;
    struct stat info {};
    const bool locked = ::flock(fd.get(), LOCK_EX) == 0;
    if (locked && ::fstat(fd.get(), &info) == 0 && info.st_nlink > 0) return fd;
    if (!locked) ::unlink(path.c_str());
  }
  errno = EAGAIN;
  return Fd(-1);
}

bool PWriteAll(int fd, std::string_view bytes, off_t offset) {
  while (!bytes.empty()) {
    const ssize_t put = ::pwrite(fd, bytes.data(), bytes.size(), offset);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(put));
    offset += put;
  }
  return true;
}

// Without a temporary file a crash can leave a part of the new content; the
// home platform takes that risk too. A full disk must not: the new content's
// own tail claims the room it needs, and is synced so that file systems that
// report a full disk late report it here, before the first old byte is
// overwritten. Where the room cannot be had, the file is cut back to the old
// content.
bool RewriteInPlace(const fs::path& target, std::string_view bytes) {
  Fd fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
  if (fd.get() < 0) return false;
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  const std::size_t old_size = static_cast<std::size_t>(info.st_size);
  if (bytes.size() > old_size &&
      (!PWriteAll(fd.get(), bytes.substr(old_size), info.st_size) || ::fdatasync(fd.get()) != 0)) {
    // Only what the tail added goes, which needs no room.
    [[maybe_unused]] const int cut = ::ftruncate(fd.get(), info.st_size);
    return false;
  }
  bool ok = PWriteAll(fd.get(), bytes.substr(0, old_size), 0) &&
            ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd.get()) == 0;
  return ::close(fd.Release()) == 0 && ok;
}

void SyncDirectory(const fs::path& dir) {
  Fd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // Best effort: the new content is in place already, and some file systems
  // refuse fsync on directories.
  if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace

ReadResult ReadFile(const fs::path& path, std::string& bytes, FileInfo& kept) {
  // O_NONBLOCK: a FIFO under the settings name must not hang the program.
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return errno == ENOENT ? ReadResult::kMissing : ReadResult::kFailed;
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return ReadResult::kFailed;
  kept = {.mode = info.st_mode & 07777, .owner = info.st_uid, .group = info.st_gid};
  bytes.clear();
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return ReadResult::kFailed;
    if (got == 0) return ReadResult::kRead;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
}

bool MayWriteFile(const fs::path& path) {
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool ReplaceFile(const fs::path& target, std::string_view bytes, const FileInfo* old) {
  const fs::path dir = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  std::string temp;
  Fd fd = MakeTemporary(dir, temp);
  if (fd.get() < 0) {
    const bool directory_refused = errno == EACCES || errno == EPERM;
    return directory_refused && old != nullptr && RewriteInPlace(target, bytes);
  }
  // The file holds a password: a file made here is for its owner only.
  const mode_t mode = old ? old->mode : 0600;
  bool ok = WriteAll(fd.get(), bytes) && ::fchmod(fd.get(), mode) == 0;
  // Only a privileged process can give the file back to its owner (EPERM
  // otherwise); the content matters more than the owner.
  if (ok && old && (old->owner != ::geteuid() || old->group != ::getegid())) {
    ok = ::fchown(fd.get(), old->owner, old->group) == 0 || errno == EPERM;
  }
  ok = ok && ::fsync(fd.get()) == 0;
  ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  // Closed only now: the lock shows until here that the file is in use.
  ok = ::close(fd.Release()) == 0 && ok;
  if (ok) SyncDirectory(dir);
  return ok;
}

void RemoveAbandonedTemporaries(const fs::path& dir) {
  std::error_code ec;
  fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec);
  for (const fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    const std::optional<uint32_t> writer = TemporaryWriter(it->path().filename().native());
    if (!writer || !ProcessHasEnded(static_cast<pid_t>(*writer))) continue;
    Fd fd(::open(it->path().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    struct stat info {};
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    // A writer holds its lock until its temporary file is renamed or gone; a
    // process ID can name another process in another PID namespace.
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;
    struct stat named {};
    if (::lstat(it->path().c_str(), &named) == 0 && named.st_dev == info.st_dev &&
        named.st_ino == info.st_ino) {
      ::unlink(it->path().c_str());
    }
  }
}

FolderWriteLock::FolderWriteLock(const fs::path& dir)
    : handle_(::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
  // Without a lock (a file system that has none, a folder we may not list)
  // only the writers of this process wait for each other.
  const int fd = static_cast<int>(handle_);
  while (fd >= 0 && ::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
  }
}

FolderWriteLock::~FolderWriteLock() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

}  // namespace frame
