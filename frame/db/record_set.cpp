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

void RecordSet::Attach(DBConnection* connection) {
  std::lock_guard lock(mutex_);
  connection_ = connection;
}

bool RecordSet::Open(TextArg text, int open_type, std::optional<int> cursor_location) {
  if (cursor_location && (*cursor_location < 1 || *cursor_location > 3)) return false;
  if (open_type != kStatementText && open_type != kTableName) return false;

  DBConnection* connection = nullptr;
  Text statement;
  {
    std::lock_guard lock(mutex_);
    if (!text.view().empty()) source_ = Text(text.view());
    if (connection_ == nullptr || source_.empty()) return false;
    table_.reset();
    position_ = 0;
    connection = connection_;
    statement = open_type == kTableName ? "SELECT * FROM " + source_ : source_;
  }

  std::optional<ResultTable> table = connection->Query(statement);
  bool opened = table.has_value();
  std::lock_guard lock(mutex_);
  table_ = std::move(table);
  position_ = 0;
  return opened;
}

bool RecordSet::MoveFirst() {
  std::lock_guard lock(mutex_);
  if (!table_ || table_->rows.empty()) return false;
  position_ = 0;
  return true;
}

bool RecordSet::MoveNext() {
  std::lock_guard lock(mutex_);
  if (!table_ || position_ >= table_->rows.size()) return false;
  ++position_;
  return true;
}

bool RecordSet::AtEnd() const {
  std::lock_guard lock(mutex_);
  return !table_ || position_ >= table_->rows.size();
}

bool RecordSet::ReadField(TextArg name, Text& out) const {
  std::lock_guard lock(mutex_);
  std::optional<size_t> column;
  if (table_) {
    for (size_t i = 0; i < table_->columns.size() && !column; ++i) {
      if (SameColumnName(table_->columns[i], name.view())) column = i;
    }
  }
  return ReadCell(column, out);
}

bool RecordSet::ReadField(int index, Text& out) const {
  std::lock_guard lock(mutex_);
  std::optional<size_t> column;
  if (index >= 0) column = static_cast<size_t>(index);
  return ReadCell(column, out);
}

bool RecordSet::ReadCell(std::optional<size_t> column, Text& out) const {
  out.clear();
  if (!table_ || !column || *column >= table_->columns.size() || position_ >= table_->rows.size()) {
    return false;
  }
  const std::vector<FieldValue>& row = table_->rows[position_];
  if (*column >= row.size()) return false;
  out = FieldText(row[*column]);
  return true;
}

void RecordSet::Close() {
  std::lock_guard lock(mutex_);
  table_.reset();
  position_ = 0;
}

PropertyValue RecordSet::GetProperty(Property property) const {
  if (property == Property::kAtEnd) return AtEnd();
  return {};
}

}  // namespace frame
