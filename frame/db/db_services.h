// Database services for handlers: the window's DBConnection and RecordSet
// components, named by window and control. Every failure is a false result
// (and an empty text for reads), never an exception or a message. Any thread
// may call them; statements on one connection take turns.
#pragma once

#include <cstdint>
#include <optional>

#include "frame/services/text_services.h"
#include "frame/text/gbk.h"
#include "frame/window/window_model.h"

namespace frame {

// Opens "DRIVER=SQL Server;SERVER=<server>;UID=<user>;PWD=<password>;
// DATABASE=<database>;", closing an open connection first.
bool ConnectSqlServer(WindowId window, ControlId connection, TextArg server, TextArg database,
                      TextArg user, TextArg password);

// True when the statement ran without error; touching no row is success. A
// time-out of 0 or more seconds applies to this statement only (0: no limit).
bool ExecuteSql(WindowId window, ControlId connection, TextArg statement,
                std::optional<int> timeout_seconds = std::nullopt);

// The rows changed by this thread's last ExecuteSql on the connection (the
// last count of its batch); none when it failed, reported no count, or there
// was none.
std::optional<int64_t> LastChangedRowCount(WindowId window, ControlId connection);

// Whether the query returns a row; none when it failed.
std::optional<bool> QueryFindsRow(WindowId window, ControlId connection, TextArg query);

// True when both components exist; the record set queries that connection
// from now on.
bool AttachRecordSet(WindowId window, ControlId records, ControlId connection);

// Open type 1: a statement text; 2: a table name. Cursor location 1 to 3.
bool OpenRecordSet(WindowId window, ControlId records, TextArg text, int open_type = 1,
                   std::optional<int> cursor_location = std::nullopt);
bool MoveFirstRecord(WindowId window, ControlId records);
bool MoveNextRecord(WindowId window, ControlId records);
// Also property 13 of the record set through GetControlProperty.
bool AtEndOfRecords(WindowId window, ControlId records);

// A field of the current row by column name or 0-based index; `out` always
// receives a text, the empty text when the read failed.
bool ReadFieldText(WindowId window, ControlId records, TextArg field_name, Text& out);
bool ReadFieldText(WindowId window, ControlId records, int field_index, Text& out);

void CloseRecordSet(WindowId window, ControlId records);

}  // namespace frame
