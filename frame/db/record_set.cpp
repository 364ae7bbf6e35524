#include "frame/db/record_set.h"

#include <atomic>
#include <string_view>
#include <utility>

#include "frame/text/gbk.h"

namespace frame {
namespace {

std::atomic<uint64_t> next_serial{1};

}  // namespace

thread_local RecordSet::LastCursor RecordSet::last_cursor_;

RecordSet::RecordSet() : serial_(next_serial++) {}

RecordSet::Cursor& RecordSet::ThisThreadsCursor() const {
  if (last_cursor_.serial == serial_) return *last_cursor_.cursor;
  std::lock_guard lock(mutex_);
  // A map's elements stay where they are while others come and go.
  Cursor& cursor = cursors_[std::this_thread::get_id()];
  last_cursor_ = {serial_, &cursor};
  return cursor;
}

void RecordSet::Attach(DBConnection* connection) {
  ThisThreadsCursor().connection = connection;
}

bool RecordSet::Open(TextArg text, int open_type, std::optional<int> cursor_location) {
  if (cursor_location && (*cursor_location < 1 || *cursor_location > 3)) return false;
  if (open_type != kStatementText && open_type != kTableName) return false;

  Cursor& cursor = ThisThreadsCursor();
  if (!text.view().empty()) cursor.source = Text(text.view());
  if (cursor.connection == nullptr || cursor.source.empty()) return false;
  cursor.rows.reset();
  cursor.position = 0;
  DbResult<ResultRows> result = cursor.connection->Query(
      open_type == kTableName ? "SELECT * FROM " + cursor.source : cursor.source);
  if (!result) return false;
  cursor.rows = std::move(result).value();
  return true;
}

bool RecordSet::MoveFirst() {
  Cursor& cursor = ThisThreadsCursor();
  if (!cursor.rows || cursor.rows->row_count() == 0) return false;
  cursor.position = 0;
  return true;
}

bool RecordSet::MoveNext() {
  Cursor& cursor = ThisThreadsCursor();
  if (!cursor.rows || cursor.position >= cursor.rows->row_count()) return false;
  ++cursor.position;
  return true;
}

bool RecordSet::AtEnd() const {
  const Cursor& cursor = ThisThreadsCursor();
  return !cursor.rows || cursor.position >= cursor.rows->row_count();
}

bool RecordSet::ReadField(TextArg name, Text& out) const {
  const Cursor& cursor = ThisThreadsCursor();
  std::optional<size_t> column;
  if (cursor.rows) {
    for (size_t i = 0; i < cursor.rows->column_count() && !column; ++i) {
      if (EqualGbkIgnoringAsciiCase(cursor.rows->column_name(i), name.view())) column = i;
    }
  }
  return ReadCell(cursor, column, out);
}

bool RecordSet::ReadField(int index, Text& out) const {
  std::optional<size_t> column;
  if (index >= 0) column = static_cast<size_t>(index);
  return ReadCell(ThisThreadsCursor(), column, out);
}

bool RecordSet::ReadCell(const Cursor& cursor, std::optional<size_t> column, Text& out) const {
  out.clear();
  if (!cursor.rows || !column || *column >= cursor.rows->column_count() ||
      cursor.position >= cursor.rows->row_count()) {
    return false;
  }
  cursor.rows->ReadText(cursor.position, *column, out);
  return true;
}

void RecordSet::Close() {
  Cursor& cursor = ThisThreadsCursor();
  cursor.rows.reset();
  cursor.position = 0;
}

void RecordSet::ForgetThisThread() {
  std::lock_guard lock(mutex_);
  cursors_.erase(std::this_thread::get_id());
  if (last_cursor_.serial == serial_) last_cursor_ = {};
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
