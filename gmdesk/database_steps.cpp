#include "gmdesk/database_steps.h"

#include "frame/db/db_services.h"
#include "frame/db/record_set.h"
#include "frame/services/services.h"
#include "gmdesk/main_window.h"

namespace gmdesk {

StatementOutcome RunStatement(frame::ControlId connection, const frame::Text& statement,
                              const std::optional<TargetRow>& target,
                              std::optional<int> timeout_seconds) {
  return frame::RunStatement(kMainWindow, connection, statement, target, timeout_seconds);
}

std::optional<frame::Text> TryReadOneField(frame::ControlId records, frame::ControlId connection,
                                           const frame::Text& statement, std::string_view field) {
  frame::AttachRecordSet(kMainWindow, records, connection);
  bool opened =
      frame::OpenRecordSet(kMainWindow, records, statement, frame::RecordSet::kStatementText);
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

bool AppendColumnToLists(frame::ControlId records, frame::ControlId connection,
                         const frame::Text& query, std::string_view column,
                         std::initializer_list<frame::ControlId> lists) {
  frame::AttachRecordSet(kMainWindow, records, connection);
  bool opened = frame::OpenRecordSet(kMainWindow, records, query, frame::RecordSet::kStatementText);
  frame::MoveFirstRecord(kMainWindow, records);
  while (!frame::AtEndOfRecords(kMainWindow, records)) {
    frame::Text value;
    frame::ReadFieldText(kMainWindow, records, column, value);
    for (frame::ControlId list : lists)
      frame::AddComboItem(kMainWindow, list, value);
    frame::MoveNextRecord(kMainWindow, records);
  }
  frame::CloseRecordSet(kMainWindow, records);
  return opened;
}

}  // namespace gmdesk
