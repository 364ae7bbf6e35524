// Running a statement that is meant to change one row, and telling whether
// it ran, found no such row, or failed.
#pragma once

#include <optional>
#include <string_view>

#include "frame/services/text_services.h"
#include "frame/text/gbk.h"
#include "frame/window/window_model.h"

namespace frame {

// How a statement aimed at one row names it: the table and its key column.
struct RowKey {
  std::string_view table;
  std::string_view column;
};

// The one row a statement changes: its key, quoted as the statement has it.
struct TargetRow {
  RowKey key;
  Text quoted_value;
};

enum class StatementOutcome {
  kFailed,     // the statement did not run
  kNoSuchRow,  // it ran, changed no row, and its target row is not there
  kRan,
};

// ExecuteSql on the connection. The driver may report a trigger's count in
// place of the statement's own, so a count of 0 alone proves nothing: the
// target row is then looked up on the same connection, and only a row that is
// not there makes it kNoSuchRow. A look-up that fails proves nothing either:
// the statement ran.
StatementOutcome RunStatement(WindowId window, ControlId connection, TextArg statement,
                              const std::optional<TargetRow>& target = std::nullopt,
                              std::optional<int> timeout_seconds = std::nullopt);

}  // namespace frame
