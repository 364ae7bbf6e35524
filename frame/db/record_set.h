// RecordSet: a read cursor over the whole result of a query, a component of
// the window. It reads every row when it opens, so moving and reading never
// touch the connection.
//
// Each thread has a cursor of its own (its connection, source, rows and
// position): a worker's read loop and a UI-thread read of the same record set
// never move each other's rows. A thread attaches before it opens; a worker's
// cursor goes when the worker ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <thread>

#include "frame/db/db_connection.h"
#include "frame/db/sql_backend.h"
#include "frame/runtime/runtime.h"
#include "frame/services/text_services.h"

namespace frame {

class RecordSet final : public WindowComponent {
 public:
  enum OpenType { kStatementText = 1, kTableName = 2 };

  RecordSet();

  // Queries run on `connection` from now on; it must outlive the record set
  // (both belong to the window).
  void Attach(DBConnection* connection);

  // Open type 1 runs `text` as a statement, 2 reads the table it names. An
  // empty text reopens the previous source. A cursor location other than 1
  // to 3, or an unknown open type, fails without touching anything; a failed
  // open leaves the record set closed.
  bool Open(TextArg text, int open_type = kStatementText,
            std::optional<int> cursor_location = std::nullopt);
  // False when not open or there is no row.
  bool MoveFirst();
  // Moving from the last row onto the end succeeds; from the end it fails.
  bool MoveNext();
  // Past the last row, no rows, or not open.
  bool AtEnd() const;
  // The current row's value by column name (ASCII case ignored) or 0-based
  // index. `out` always receives a text: empty when the read failed.
  bool ReadField(TextArg name, Text& out) const;
  bool ReadField(int index, Text& out) const;
  void Close();

  // Property 13 answers AtEnd.
  PropertyValue GetProperty(Property property) const override;
  void ForgetThisThread() override;

  // Threads that have a cursor now.
  size_t cursor_count() const;

 private:
  struct Cursor {
    DBConnection* connection = nullptr;
    Text source;
    std::optional<ResultRows> rows;  // present while open
    size_t position = 0;             // the current row; the row count is the end
  };

  // Each thread remembers the cursor it used last, so that a read loop
  // finds its own without taking the lock.
  struct LastCursor {
    uint64_t serial = 0;
    Cursor* cursor = nullptr;
  };

  // The calling thread's cursor, made on first use. Only that thread ever
  // touches it.
  Cursor& ThisThreadsCursor() const;
  bool ReadCell(const Cursor& cursor, std::optional<size_t> column, Text& out) const;

  static thread_local LastCursor last_cursor_;
  // Tells this record set from one that lived at the same address before.
  const uint64_t serial_;
  // Guards the map, not the cursors in it; never held while a query runs.
  mutable std::mutex mutex_;
  mutable std::map<std::thread::id, Cursor> cursors_;
};

}  // namespace frame
