#include "frame/db/statement_outcome.h"

#include "frame/db/db_services.h"

namespace frame {
namespace {

Text LookUpStatement(const TargetRow& target) {
  const RowKey& key = target.key;
  return ConcatTexts("SELECT ", key.column, " FROM ", key.table, " Where ", key.column, " ='",
                     target.quoted_value, "'");
}

}  // namespace

StatementOutcome RunStatement(WindowId window, ControlId connection, TextArg statement,
                              const std::optional<TargetRow>& target,
                              std::optional<int> timeout_seconds) {
  if (!ExecuteSql(window, connection, statement, timeout_seconds)) {
    return StatementOutcome::kFailed;
  }
  if (!target || LastChangedRowCount(window, connection) != 0) return StatementOutcome::kRan;
  std::optional<bool> found = QueryFindsRow(window, connection, LookUpStatement(*target));
  return found == false ? StatementOutcome::kNoSuchRow : StatementOutcome::kRan;
}

}  // namespace frame
