#include "gmdesk/player_submits.h"

#include <cstddef>
#include <string_view>
#include <tuple>
#include <vector>

#include "frame/services/services.h"
#include "gmdesk/box_text.h"
#include "gmdesk/database_steps.h"
#include "gmdesk/indexed_threads.h"
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

// An area's update and the row it writes.
struct AreaUpdate {
  frame::Text statement;
  TargetRow target;
};

// Reads the area's boxes in order, then its key box, and joins the update.
AreaUpdate UpdateOf(const PlayerArea& area) {
  std::vector<frame::Text> values;
  for (const PanelPair& field : area.fields)
    values.push_back(QuotedText(field.box.id));
  frame::Text key = QuotedText(area.key_box);

  frame::Text statement;
  for (size_t i = 0; i < area.fields.size(); ++i)
    statement += frame::ConcatTexts(area.fields[i].column.update_piece, values[i]);
  statement = frame::ConcatTexts(statement, area.key_piece, key, "'");
  return {std::move(statement), TargetRow{area.row_key, std::move(key)}};
}

// An update whose key names no row wrote nothing.
bool Written(const PlayerArea& area, const AreaUpdate& update) {
  return RunStatement(area.connection, update.statement, update.target) == StatementOutcome::kRan;
}

// The button stays disabled while the result box is open.
void SubmitArea(const PlayerArea& area) {
  AreaUpdate update = UpdateOf(area);
  SetDisabled(area.submit_button, true);
  frame::ShowMessageBox(frame::Gbk(Written(area, update) ? kSubmitted : kNotSubmitted));
  SetDisabled(area.submit_button, false);
}

void SubmitAreaAt(size_t index) {
  SubmitArea(kPlayerAreas[index]);
}
constexpr auto& kAreaSubmitThreads =
    kIndexedThreads<&SubmitAreaAt, std::tuple_size_v<decltype(kPlayerAreas)>>;

// Every statement is built before the first is sent, and the first failure
// ends the run: what ran before it stays written.
void SubmitAllAreasThread() {
  SetDisabled(kSubmitAllButton, true);
  std::vector<AreaUpdate> updates;
  for (const PlayerArea& area : kPlayerAreas)
    updates.push_back(UpdateOf(area));

  frame::Text outcome = frame::Gbk(kSubmitted);
  for (size_t i = 0; i < kPlayerAreas.size(); ++i) {
    if (!Written(kPlayerAreas[i], updates[i])) {
      outcome = frame::Gbk(frame::ConcatTexts(kNotSubmitted, kPlayerAreas[i].failed_step));
      break;
    }
  }
  frame::ShowMessageBox(outcome);
  SetDisabled(kSubmitAllButton, false);
}

// A submit that cannot start its worker sent nothing.
void StartSubmit(frame::Subroutine submit) {
  if (!frame::StartThread(submit)) frame::ShowMessageBox(frame::Gbk(kNotSubmitted));
}

}  // namespace

void StartAreaSubmit(AreaIndex area) {
  StartSubmit(kAreaSubmitThreads[area]);
}
void OnSubmitAllClick() {
  StartSubmit(&SubmitAllAreasThread);
}

}  // namespace gmdesk
