#include "frame/file_replace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace frame {
namespace {

namespace fs = std::filesystem;

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
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

void SyncDirectory(const fs::path& dir) {
  Fd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // Best effort: the new content is in place already, and some file systems
  // refuse fsync on directories.
  if (fd.get() >= 0) ::fsync(fd.get());
}

}  // namespace

ReadResult ReadFile(const fs::path& path, std::string& bytes, struct stat& info) {
  // O_NONBLOCK: a FIFO under the settings name must not hang the program.
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return errno == ENOENT ? ReadResult::kMissing : ReadResult::kFailed;
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return ReadResult::kFailed;
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

fs::path FollowLinks(fs::path path) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(path, ec))) return path;
    fs::path target = fs::read_symlink(path, ec);
    if (ec) return path;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path;
}

bool ReplaceFile(const fs::path& target, std::string_view bytes, const struct stat* old) {
  const fs::path dir = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  std::string temp = (dir / ".ini-XXXXXX").native();
  Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (fd.get() < 0) return false;
  // The file holds a password: a file made here is for its owner only.
  const mode_t mode = old ? old->st_mode & 07777 : 0600;
  bool ok = WriteAll(fd.get(), bytes) && ::fchmod(fd.get(), mode) == 0;
  // Only a privileged process can give the file back to its owner (EPERM
  // otherwise); the content matters more than the owner.
  if (ok && old && (old->st_uid != ::geteuid() || old->st_gid != ::getegid())) {
    ok = ::fchown(fd.get(), old->st_uid, old->st_gid) == 0 || errno == EPERM;
  }
  ok = ok && ::fsync(fd.get()) == 0;
  ok = ::close(fd.Release()) == 0 && ok;
  ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncDirectory(dir);
  return true;
}

}  // namespace frame
