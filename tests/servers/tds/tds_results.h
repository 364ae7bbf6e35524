// One statement's PostgreSQL result as the tokens SQL Server answers with:
// a result set's COLMETADATA and rows, the DONE that ends a statement, or
// the ERROR of a failed one.
#pragma once

#include <libpq-fe.h>

#include "tests/servers/tds/postgres_column_types.h"
#include "tests/servers/tds/tds_bytes.h"
#include "tests/servers/tds/tds_tokens.h"

namespace db_test::tds {

// Writes the columns and rows of a result that has columns. False, with
// nothing written and `error` set, when a value has no form in its column's
// SQL Server type (SQL Server could not have held it).
bool WriteResultSet(ByteWriter& out, const PGresult* result, PostgresColumnTypes& types,
                    ServerMessage& error);

// The DONE of a statement that ran, with its row count when it has one;
// status bits other than the count are the caller's.
Done DoneOf(PGresult* result);

// A failed statement's message, numbered as SQL Server numbers the same
// fault where there is a counterpart.
ServerMessage ErrorOf(const PGresult* result);

}  // namespace db_test::tds
