#include "acctdesk/run_and_report.h"

#include <array>
#include <vector>

#include "acctdesk/main_window.h"
#include "acctdesk/message_area.h"
#include "frame/services/services.h"

namespace acctdesk {
namespace {

// Only the UI thread runs acctdesk's handlers.
std::array<frame::Text, static_cast<size_t>(LastStatement::kCount)> last_statements;

}  // namespace

void StoreLastStatement(LastStatement slot, frame::Text statement) {
  last_statements[static_cast<size_t>(slot)] = std::move(statement);
}

void ReleaseLastStatements() {
  for (frame::Text& statement : last_statements)
    frame::Text().swap(statement);
}

BuiltStatement BuildStatement(std::span<const StatementPart> parts) {
  BuiltStatement built;
  for (const StatementPart& part : parts) {
    if (part.box != frame::ControlId{}) {
      built.typed.push_back(
          {part.box, frame::QuotedControlText(kMainWindow, part.box, part.property)});
    }
  }
  size_t next = 0;
  for (const StatementPart& part : parts) {
    built.text +=
        part.box != frame::ControlId{} ? built.typed[next++].text : frame::Gbk(part.literal);
  }
  return built;
}

void ReportNoSuchAccount() {
  frame::ShowMessageBox(frame::Gbk("该帐号不存在"));
}

namespace {

// The named account as the statement quotes it.
std::optional<TargetRow> TargetOf(const Operation& operation, const BuiltStatement& built) {
  if (!operation.account_box) return std::nullopt;
  for (const BuiltStatement::Typed& typed : built.typed) {
    if (typed.box == *operation.account_box) return TargetRow{kAccountById, typed.text};
  }
  return std::nullopt;
}

}  // namespace

StatementOutcome RunAndReport(const Operation& operation) {
  BuiltStatement statement = BuildStatement(operation.parts);
  StoreLastStatement(operation.slot, statement.text);
  StatementOutcome outcome = RunMemberStatement(statement.text, TargetOf(operation, statement));
  switch (outcome) {
    case StatementOutcome::kFailed:
      frame::ShowMessageBox(frame::Gbk(operation.failure_text));
      break;
    case StatementOutcome::kNoSuchRow:
      ReportNoSuchAccount();
      break;
    case StatementOutcome::kRan:
      AppendMessageLine(frame::Gbk(operation.success_line));
      break;
  }
  return outcome;
}

}  // namespace acctdesk
