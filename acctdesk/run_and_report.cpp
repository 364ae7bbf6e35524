#include "acctdesk/run_and_report.h"

#include <array>
#include <vector>

#include "acctdesk/main_window.h"
#include "acctdesk/message_area.h"
#include "frame/services.h"

namespace acctdesk {
namespace {

// Only the UI thread runs acctdesk's handlers.
std::array<frame::Text, static_cast<size_t>(LastStatement::kCount)> last_statements;

}  // namespace

frame::Text ReadTypedText(frame::ControlId box, frame::Property property) {
  frame::Text typed = frame::GetControlProperty(kMainWindow, box, property).AsText();
  return frame::DoubleQuotes(typed);
}

void StoreLastStatement(LastStatement slot, frame::Text statement) {
  last_statements[static_cast<size_t>(slot)] = std::move(statement);
}

void ReleaseLastStatements() {
  for (frame::Text& statement : last_statements)
    frame::Text().swap(statement);
}

frame::Text BuildStatement(std::span<const StatementPart> parts) {
  std::vector<frame::Text> typed;
  for (const StatementPart& part : parts) {
    if (part.box != frame::ControlId{}) {
      typed.push_back(ReadTypedText(part.box, part.property));
    }
  }
  frame::Text statement;
  size_t next = 0;
  for (const StatementPart& part : parts) {
    statement += part.box != frame::ControlId{} ? typed[next++] : frame::Gbk(part.literal);
  }
  return statement;
}

void ReportNoSuchAccount() {
  frame::ShowMessageBox(frame::Gbk("该帐号不存在"));
}

StatementOutcome RunAndReport(const Operation& operation) {
  frame::Text statement = BuildStatement(operation.parts);
  StoreLastStatement(operation.slot, statement);
  StatementOutcome outcome = RunMemberStatement(statement);
  if (outcome == StatementOutcome::kFailed) {
    frame::ShowMessageBox(frame::Gbk(operation.failure_text));
  } else if (outcome == StatementOutcome::kNoRowChanged && operation.names_one_account) {
    ReportNoSuchAccount();
  } else {
    AppendMessageLine(frame::Gbk(operation.success_line));
  }
  return outcome;
}

}  // namespace acctdesk
