#include "gmdesk/notice_pages.h"

#include "frame/services/services.h"
#include "gmdesk/database_steps.h"
#include "gmdesk/log_box.h"
#include "gmdesk/main_window.h"

namespace gmdesk {

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

}  // namespace gmdesk
