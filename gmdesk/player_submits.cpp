#include "gmdesk/player_submits.h"

#include <array>
#include <string_view>
#include <vector>

#include "frame/services.h"
#include "gmdesk/box_text.h"
#include "gmdesk/database_steps.h"
#include "gmdesk/main_window.h"
#include "gmdesk/player_areas.h"

namespace gmdesk {
namespace {

using frame::Property;

constexpr std::string_view kSubmitted = "提交数据命令执行成功";
constexpr std::string_view kNotSubmitted = "提交数据命令执行失败";

void SetDisabled(ControlId button, bool disabled) {
  frame::SetControlProperty(kMainWindow, button, Property::kDisabled, disabled);
}

// Reads the area's boxes in order, then its key box, and joins the update.
frame::Text UpdateStatementOf(const PlayerArea& area) {
  std::vector<frame::Text> values;
  for (const AreaField& field : area.fields)
    values.push_back(frame::DoubleQuotes(BoxText(field.box)));
  frame::Text key = frame::DoubleQuotes(BoxText(area.key_box));

  frame::Text statement;
  for (size_t i = 0; i < area.fields.size(); ++i)
    statement += frame::ConcatTexts(area.fields[i].update_piece, values[i]);
  return frame::ConcatTexts(statement, area.key_piece, key, "'");
}

// An update that changed no row wrote nothing: its key matches no row.
bool Written(const PlayerArea& area, const frame::Text& statement) {
  return RunStatement(area.connection, statement) == StatementOutcome::kRan;
}

// The button stays disabled while the result box is open.
void SubmitArea(const PlayerArea& area) {
  frame::Text statement = UpdateStatementOf(area);
  SetDisabled(area.submit_button, true);
  frame::ShowMessageBox(frame::Gbk(Written(area, statement) ? kSubmitted : kNotSubmitted));
  SetDisabled(area.submit_button, false);
}

template <AreaIndex kArea>
void SubmitAreaThread() {
  SubmitArea(kPlayerAreas[kArea]);
}

// Every statement is built before the first is sent, and the first failure
// ends the run: what ran before it stays written.
void SubmitAllAreasThread() {
  SetDisabled(kSubmitAllButton, true);
  std::array<frame::Text, kPlayerAreas.size()> statements;
  for (size_t i = 0; i < kPlayerAreas.size(); ++i)
    statements[i] = UpdateStatementOf(kPlayerAreas[i]);

  frame::Text outcome = frame::Gbk(kSubmitted);
  for (size_t i = 0; i < kPlayerAreas.size(); ++i) {
    if (!Written(kPlayerAreas[i], statements[i])) {
      outcome = frame::Gbk(frame::ConcatTexts(kNotSubmitted, kPlayerAreas[i].failed_step));
      break;
    }
  }
  frame::ShowMessageBox(outcome);
  SetDisabled(kSubmitAllButton, false);
}

}  // namespace

void OnSubmitYellowClick() {
  frame::StartThread(&SubmitAreaThread<kYellowArea>);
}
void OnSubmitPurpleClick() {
  frame::StartThread(&SubmitAreaThread<kPurpleArea>);
}
void OnSubmitCyanClick() {
  frame::StartThread(&SubmitAreaThread<kCyanArea>);
}
void OnSubmitAllClick() {
  frame::StartThread(&SubmitAllAreasThread);
}

}  // namespace gmdesk
