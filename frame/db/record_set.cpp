#include "frame/db/record_set.h"

#include <string_view>
#include <utility>

namespace frame {
namespace {

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Column names compare with ASCII case ignored. Two-byte GBK characters
// compare whole: their second byte may look like an ASCII letter.
bool SameColumnName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (IsGbkLeadByte(static_cast<unsigned char>(a[i]))) {
      if (a.substr(i, 2) != b.substr(i, 2)) return false;
      ++i;
    } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace

RecordSet::Cursor& RecordSet::ThisThreadsCursor() const {
  return cursors_[std::this_thread::get_id()];
}

void RecordSet::Attach(DBConnection* connection) {
  std::lock_guard lock(mutex_);
  ThisThreadsCursor().connection = connection;
}

bool RecordSet::Open(TextArg text, int open_type, std::optional<int> cursor_location) {
  if (cursor_location && (*cursor_location < 1 || *cursor_location > 3)) return false;
  if (open_type != kStatementText && open_type != kTableName) return false;

  DBConnection* connection = nullptr;
  Text statement;
  {
    std::lock_guard lock(mutex_);
    Cursor& cursor = ThisThreadsCursor();
    if (!text.view().empty()) cursor.source = Text(text.view());
    if (cursor.connection == nullptr || cursor.source.empty()) return false;
    cursor.table.reset();
    cursor.position = 0;
    connection = cursor.connection;
    statement = open_type == kTableName ? "SELECT * FROM " + cursor.source : cursor.source;
  }

  std::optional<ResultTable> table = connection->Query(statement);
  bool opened = table.has_value();
  std::lock_guard lock(mutex_);
  Cursor& cursor = ThisThreadsCursor();
  cursor.table = std::move(table);
  cursor.position = 0;
  return opened;
}

bool RecordSet::MoveFirst() {
  std::lock_guard lock(mutex_);
  Cursor& cursor = ThisThreadsCursor();
  if (!cursor.table || cursor.table->rows.empty()) return false;
  cursor.position = 0;
  return true;
}

bool RecordSet::MoveNext() {
  std::lock_guard lock(mutex_);
  Cursor& cursor = ThisThreadsCursor();
  if (!cursor.table || cursor.position >= cursor.table->rows.size()) return false;
  ++cursor.position;
  return true;
}

bool RecordSet::AtEnd() const {
  std::lock_guard lock(mutex_);
  const Cursor& cursor = ThisThreadsCursor();
  return !cursor.table || cursor.position >= cursor.table->rows.size();
}

bool RecordSet::ReadField(TextArg name, Text& out) const {
  std::lock_guard lock(mutex_);
  const Cursor& cursor = ThisThreadsCursor();
  std::optional<size_t> column;
  if (cursor.table) {
    for (size_t i = 0; i < cursor.table->columns.size() && !column; ++i) {
      if (SameColumnName(cursor.table->columns[i], name.view())) column = i;
    }
  }
  return ReadCell(cursor, column, out);
}

bool RecordSet::ReadField(int index, Text& out) const {
  std::lock_guard lock(mutex_);
  std::optional<size_t> column;
  if (index >= 0) column = static_cast<size_t>(index);
  return ReadCell(ThisThreadsCursor(), column, out);
}

bool RecordSet::ReadCell(const Cursor& cursor, std::optional<size_t> column, Text& out) const {
  out.clear();
  if (!cursor.table || !column || *column >= cursor.table->columns.size() ||
      cursor.position >= cursor.table->rows.size()) {
    return false;
  }
  const std::vector<FieldValue>& row = cursor.table->rows[cursor.position];
  if (*column >= row.size()) return false;
  out = FieldText(row[*column]);
  return true;
}

void RecordSet::Close() {
  std::lock_guard lock(mutex_);
  Cursor& cursor = ThisThreadsCursor();
  cursor.table.reset();
  cursor.position = 0;
}

void RecordSet::ForgetThisThread() {
  std::lock_guard lock(mutex_);
  cursors_.erase(std::this_thread::get_id());
}

size_t RecordSet::cursor_count() const {
  std::lock_guard lock(mutex_);
  return cursors_.size();
}

PropertyValue RecordSet::GetProperty(Property property) const {
  if (property == Property::kAtEnd) return AtEnd();
  return {};
}

}  // namespace frame
