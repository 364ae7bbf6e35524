// Reading a whole ODBC result set into ResultRows.
#pragma once

#include <string_view>

#include "frame/db/field_value.h"
#include "frame/db/odbc/odbc_api.h"
#include "frame/db/sql_backend.h"
#include "frame/db/watched_call.h"

namespace frame {

// The kind a column of this ODBC type reads as. SQL Server's money and
// smallmoney arrive as decimals; their type name tells them apart. Only an
// 8-byte integer reads differently when the driver calls it unsigned.
FieldKind OdbcFieldKind(SQLSMALLINT sql_type, std::string_view type_name, bool is_unsigned = false);

// Describes the `columns` columns of the current result and fetches all of
// its rows, stepping `progress` at each whole row. Fails when a call fails or
// the caller abandoned the rows.
DbResult<ResultRows> ReadResultRows(SQLHSTMT statement, SQLSMALLINT columns,
                                    CallProgress* progress = nullptr);

}  // namespace frame
