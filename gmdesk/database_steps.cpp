#include "gmdesk/database_steps.h"

#include "frame/db/db_services.h"
#include "frame/services/services.h"
#include "gmdesk/main_window.h"

namespace gmdesk {
namespace {

frame::Text LookUpStatement(const TargetRow& target) {
  const RowKey& key = target.key;
  return frame::ConcatTexts("SELECT ", key.column, " FROM ", key.table, " Where ", key.column,
                            " ='", target.quoted_value, "'");
}

}  // namespace

StatementOutcome RunStatement(frame::ControlId connection, const frame::Text& statement,
                              const std::optional<TargetRow>& target,
                              std::optional<int> timeout_seconds) {
  if (!frame::ExecuteSql(kMainWindow, connection, statement, timeout_seconds)) {
    return StatementOutcome::kFailed;
  }
  if (!target || frame::LastChangedRowCount(kMainWindow, connection) != 0) {
    return StatementOutcome::kRan;
  }
  std::optional<bool> found =
      frame::QueryFindsRow(kMainWindow, connection, LookUpStatement(*target));
  return found == false ? StatementOutcome::kNoSuchRow : StatementOutcome::kRan;
}

std::optional<frame::Text> TryReadOneField(frame::ControlId records, frame::ControlId connection,
                                           const frame::Text& statement, std::string_view field) {
  frame::AttachRecordSet(kMainWindow, records, connection);
  bool opened = frame::OpenRecordSet(kMainWindow, records, statement, 1);
  frame::Text value;
  frame::ReadFieldText(kMainWindow, records, field, value);
  frame::CloseRecordSet(kMainWindow, records);
  if (!opened) return std::nullopt;
  return value;
}

frame::Text ReadOneField(frame::ControlId records, frame::ControlId connection,
                         const frame::Text& statement, std::string_view field) {
  return TryReadOneField(records, connection, statement, field).value_or(frame::Text());
}

}  // namespace gmdesk
