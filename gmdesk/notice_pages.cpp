#include "gmdesk/notice_pages.h"

#include "frame/db/db_services.h"
#include "frame/services/services.h"
#include "gmdesk/database_steps.h"
#include "gmdesk/log_box.h"
#include "gmdesk/main_window.h"

namespace gmdesk {

frame::Text QuotedTextOf(frame::ControlId control, frame::Property property) {
  return frame::DoubleQuotes(frame::GetControlProperty(kMainWindow, control, property).AsText());
}

bool RunPageStatement(const PageStatement& page, const frame::Text& statement,
                      const std::optional<TargetRow>& target) {
  using frame::Property;
  if (page.disables_button) {
    frame::SetControlProperty(kMainWindow, page.button, Property::kDisabled, true);
  }
  bool succeeded = RunStatement(page.connection, statement, target) == StatementOutcome::kRan;
  if (succeeded) {
    AppendSuccessLine(page.log_box, page.success_text);
  } else {
    AppendFailureLine(page.log_box);
  }
  frame::SetControlProperty(kMainWindow, page.button, Property::kDisabled, false);
  return succeeded;
}

void AppendColumnToLists(frame::ControlId records, frame::ControlId connection,
                         const frame::Text& query, std::string_view column,
                         std::initializer_list<frame::ControlId> lists) {
  frame::AttachRecordSet(kMainWindow, records, connection);
  frame::OpenRecordSet(kMainWindow, records, query, 1);
  frame::MoveFirstRecord(kMainWindow, records);
  while (!frame::AtEndOfRecords(kMainWindow, records)) {
    frame::Text value;
    frame::ReadFieldText(kMainWindow, records, column, value);
    for (frame::ControlId list : lists)
      frame::AddComboItem(kMainWindow, list, value);
    frame::MoveNextRecord(kMainWindow, records);
  }
  frame::CloseRecordSet(kMainWindow, records);
}

}  // namespace gmdesk
