// A result set's tokens: COLMETADATA with each column's type info, and
// each row with every value after the length form its type uses (one byte,
// two bytes, PLP chunks or a text pointer).
#pragma once

#include <optional>
#include <span>

#include "tests/servers/tds/tds_bytes.h"
#include "tests/servers/tds/tds_values.h"

namespace db_test::tds {

void WriteColumnMetadata(ByteWriter& out, std::span<const TdsColumn> columns);
// NBCROW when a value is NULL (none), ROW otherwise.
void WriteRow(ByteWriter& out, std::span<const TdsColumn> columns,
              std::span<const std::optional<Bytes>> values);

}  // namespace db_test::tds
