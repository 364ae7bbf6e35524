// Steps that gmdesk's handlers share: running a statement and the
// one-field read.
#pragma once

#include <optional>
#include <string_view>

#include "frame/gbk.h"
#include "frame/window_model.h"

namespace gmdesk {

enum class StatementOutcome {
  kFailed,        // the statement did not run
  kNoRowChanged,  // it ran and reported that it changed no row
  kRan,           // it ran (and changed rows, or reported no count)
};

// ExecuteSql on the connection, with the row count it reported.
StatementOutcome RunStatement(frame::ControlId connection, const frame::Text& statement,
                              std::optional<int> timeout_seconds = std::nullopt);

// Attaches the record set to the connection, opens the statement, reads the
// field of the row the open leaves current, and closes it: "" when anything
// failed.
frame::Text ReadOneField(frame::ControlId records, frame::ControlId connection,
                         const frame::Text& statement, std::string_view field);

}  // namespace gmdesk
