#include "frame/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <mutex>
#include <utility>
#include <vector>

#include "frame/file_paths.h"

namespace frame {
namespace {

namespace fs = std::filesystem;

// ---- Texts -----------------------------------------------------------------

unsigned char Byte(std::string_view s, std::size_t i) {
  return static_cast<unsigned char>(s[i]);
}

// Bytes of the character at `i`: two for a GBK pair, four for a GB18030
// four-byte sequence, else one. A lead byte without a valid trail counts
// alone, so it cannot hide a following '=' or ']'.
std::size_t CharSize(std::string_view s, std::size_t i) {
  if (!IsGbkLeadByte(Byte(s, i)) || i + 1 >= s.size()) return 1;
  const unsigned char second = Byte(s, i + 1);
  if (second >= 0x40 && second <= 0xFE && second != 0x7F) return 2;
  if (second >= '0' && second <= '9' && i + 3 < s.size() && IsGbkLeadByte(Byte(s, i + 2)) &&
      Byte(s, i + 3) >= '0' && Byte(s, i + 3) <= '9') {
    return 4;
  }
  return 1;
}

std::size_t FindChar(std::string_view s, char c) {
  for (std::size_t i = 0; i < s.size(); i += CharSize(s, i)) {
    if (s[i] == c) return i;
  }
  return std::string_view::npos;
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Trail bytes of Chinese characters can be ASCII letters; they never fold.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    const std::size_t size = CharSize(a, i);
    if (size > 1) {
      if (a.substr(i, size) != b.substr(i, size)) return false;
    } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
      return false;
    }
    i += size;
  }
  return true;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back()))
    s.remove_suffix(1);
  return s;
}

// Texts end at their first zero byte.
std::string_view CutAtNul(std::string_view s) {
  return s.substr(0, s.find('\0'));
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
  while (end < s.size() && end + CharSize(s, end) <= kIniValueLimit)
    end += CharSize(s, end);
  return Text(s.substr(0, end));
}

// ---- Lines -----------------------------------------------------------------

enum class LineKind { kBlank, kOther, kHeader, kKey };

struct Line {
  std::size_t begin = 0;  // first byte
  std::size_t end = 0;    // end of the content, where the line end starts
  std::size_t next = 0;   // first byte of the next line
  LineKind kind = LineKind::kOther;
  std::string_view name;   // section or key name, without blanks
  std::string_view value;  // key value, without blanks
};

void Classify(std::string_view content, Line& line) {
  const std::string_view text = TrimBlanks(content);
  if (text.empty()) {
    line.kind = LineKind::kBlank;
    return;
  }
  if (text.front() == ';') return;
  if (text.front() == '[') {
    const std::string_view inner = text.substr(1);
    const std::size_t close = FindChar(inner, ']');
    if (close != std::string_view::npos) {
      line.kind = LineKind::kHeader;
      line.name = TrimBlanks(inner.substr(0, close));
      return;
    }
  }
  const std::size_t equals = FindChar(text, '=');
  if (equals == std::string_view::npos) return;
  line.kind = LineKind::kKey;
  line.name = TrimBlanks(text.substr(0, equals));
  line.value = TrimBlanks(text.substr(equals + 1));
}

std::vector<Line> SplitLines(std::string_view bytes) {
  std::vector<Line> lines;
  // Editors on the programs' home platform may save a UTF-8 byte order mark.
  std::size_t pos = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (pos < bytes.size()) {
    Line line;
    line.begin = pos;
    line.end = bytes.find_first_of("\r\n", pos);
    if (line.end == std::string_view::npos) {
      line.end = line.next = bytes.size();
    } else if (bytes[line.end] == '\r' && line.end + 1 < bytes.size() &&
               bytes[line.end + 1] == '\n') {
      line.next = line.end + 2;
    } else {
      line.next = line.end + 1;
    }
    Classify(bytes.substr(line.begin, line.end - line.begin), line);
    lines.push_back(line);
    pos = line.next;
  }
  return lines;
}

// The file's own line end, the first one found in it.
std::string_view LineEnd(std::string_view bytes) {
  const std::size_t pos = bytes.find_first_of("\r\n");
  if (pos == std::string_view::npos) return "\r\n";
  if (bytes[pos] == '\n') return "\n";
  return pos + 1 < bytes.size() && bytes[pos + 1] == '\n' ? "\r\n" : "\r";
}

struct Section {
  std::size_t header;  // index of the header line
  std::size_t end;     // index of the next header line, or the line count
};

std::optional<Section> FindSection(const std::vector<Line>& lines, std::string_view name) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].kind != LineKind::kHeader || !SameName(lines[i].name, name)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && lines[end].kind != LineKind::kHeader)
      ++end;
    return Section{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> FindKey(const std::vector<Line>& lines, Section section,
                                   std::string_view key) {
  for (std::size_t i = section.header + 1; i < section.end; ++i) {
    if (lines[i].kind == LineKind::kKey && SameName(lines[i].name, key)) return i;
  }
  return std::nullopt;
}

std::string_view Unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// ---- Files -----------------------------------------------------------------

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

enum class ReadResult { kRead, kMissing, kFailed };

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

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

// Writing goes to the file a symbolic link points to, so the link survives.
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

void SyncDirectory(const fs::path& dir) {
  Fd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  // Best effort: the new content is in place already, and some file systems
  // refuse fsync on directories.
  if (fd.get() >= 0) ::fsync(fd.get());
}

// Replaces `target` by `bytes` so that a crash leaves either the old or the
// new file, never a part of one.
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

std::mutex& WriteMutex() {
  static std::mutex mutex;
  return mutex;
}

}  // namespace

std::optional<Text> IniDocument::Find(std::string_view section, std::string_view key) const {
  const std::vector<Line> lines = SplitLines(bytes_);
  const std::optional<Section> found = FindSection(lines, TrimBlanks(section));
  if (!found) return std::nullopt;
  const std::optional<std::size_t> line = FindKey(lines, *found, TrimBlanks(key));
  if (!line) return std::nullopt;
  return Text(CutAtNul(Unquoted(lines[*line].value)));
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  const std::string eol(LineEnd(bytes_));
  const std::string entry = std::string(key) + "=" + std::string(value);
  const std::vector<Line> lines = SplitLines(bytes_);
  const std::optional<Section> found = FindSection(lines, section);
  if (!found) {
    if (!lines.empty() && lines.back().next == lines.back().end) bytes_ += eol;
    bytes_ += "[" + std::string(section) + "]" + eol + entry + eol;
    return;
  }
  if (const std::optional<std::size_t> line = FindKey(lines, *found, key)) {
    bytes_.replace(lines[*line].begin, lines[*line].end - lines[*line].begin, entry);
    return;
  }
  // After the last non-blank line: blank lines keep separating the sections.
  std::size_t last = found->header;
  for (std::size_t i = found->header + 1; i < found->end; ++i) {
    if (lines[i].kind != LineKind::kBlank) last = i;
  }
  if (lines[last].next > lines[last].end) {
    bytes_.insert(lines[last].next, entry + eol);
  } else {
    bytes_.insert(lines[last].end, eol + entry + eol);
  }
}

void IniDocument::RemoveKey(std::string_view section, std::string_view key) {
  const std::vector<Line> lines = SplitLines(bytes_);
  const std::optional<Section> found = FindSection(lines, TrimBlanks(section));
  if (!found) return;
  if (const std::optional<std::size_t> line = FindKey(lines, *found, TrimBlanks(key))) {
    bytes_.erase(lines[*line].begin, lines[*line].next - lines[*line].begin);
  }
}

void IniDocument::RemoveSection(std::string_view section) {
  const std::vector<Line> lines = SplitLines(bytes_);
  const std::optional<Section> found = FindSection(lines, TrimBlanks(section));
  if (!found) return;
  const std::size_t begin = lines[found->header].begin;
  const std::size_t end = found->end < lines.size() ? lines[found->end].begin : bytes_.size();
  bytes_.erase(begin, end - begin);
}

Text ReadIniValue(std::string_view path, std::string_view section, std::string_view key,
                  std::string_view default_text) {
  path = Argument(path);
  section = Argument(section);
  key = Argument(key);
  if (path.empty() || section.empty() || key.empty()) return Text();
  std::string bytes;
  struct stat info {};
  if (ReadFile(ResolveFileName(FileSystemPath(path)), bytes, info) != ReadResult::kRead) {
    return CutToLimit(CutAtNul(default_text));
  }
  const std::optional<Text> value = IniDocument(std::move(bytes)).Find(section, key);
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
  const fs::path target = FollowLinks(ResolveFileName(FileSystemPath(path)));
  std::string old_bytes;
  struct stat info {};
  const ReadResult read = ReadFile(target, old_bytes, info);
  if (read == ReadResult::kFailed) return false;
  const bool exists = read == ReadResult::kRead;

  IniDocument document(old_bytes);
  if (!key) {
    document.RemoveSection(section);
  } else if (!value) {
    document.RemoveKey(section, *key);
  } else {
    document.Set(section, *key, *value);
  }
  if (document.bytes() == old_bytes) return true;
  // A file its owner made read-only stays unchanged, as on the home platform.
  if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;
  return ReplaceFile(target, document.bytes(), exists ? &info : nullptr);
}

}  // namespace frame
