#include "frame/settings/ini_document.h"

#include <vector>

namespace frame {
namespace {

std::size_t FindChar(std::string_view s, char c) {
  for (std::size_t i = 0; i < s.size(); i += GbkCharacterSize(s, i)) {
    if (s[i] == c) return i;
  }
  return std::string_view::npos;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

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
    if (lines[i].kind != LineKind::kHeader || !EqualGbkIgnoringAsciiCase(lines[i].name, name))
      continue;
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
    if (lines[i].kind == LineKind::kKey && EqualGbkIgnoringAsciiCase(lines[i].name, key)) return i;
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

}  // namespace

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front()))
    s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back()))
    s.remove_suffix(1);
  return s;
}

std::string_view CutAtNul(std::string_view s) {
  return s.substr(0, s.find('\0'));
}

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

}  // namespace frame
