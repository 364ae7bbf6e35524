#include "gmdesk/database_steps.h"

#include "frame/db/db_services.h"
#include "frame/services.h"
#include "gmdesk/main_window.h"

namespace gmdesk {

StatementOutcome RunStatement(frame::ControlId connection, const frame::Text& statement,
                              std::optional<int> timeout_seconds) {
  if (!frame::ExecuteSql(kMainWindow, connection, statement, timeout_seconds)) {
    return StatementOutcome::kFailed;
  }
  return frame::LastChangedRowCount(kMainWindow, connection) == 0 ? StatementOutcome::kNoRowChanged
                                                                  : StatementOutcome::kRan;
}

frame::Text ReadOneField(frame::ControlId records, frame::ControlId connection,
                         const frame::Text& statement, std::string_view field) {
  frame::AttachRecordSet(kMainWindow, records, connection);
  frame::OpenRecordSet(kMainWindow, records, statement, 1);
  frame::Text value;
  frame::ReadFieldText(kMainWindow, records, field, value);
  frame::CloseRecordSet(kMainWindow, records);
  return value;
}

}  // namespace gmdesk
