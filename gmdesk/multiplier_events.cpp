#include "gmdesk/multiplier_events.h"

#include <cstddef>
#include <iterator>
#include <string_view>

#include "frame/db/db_services.h"
#include "frame/services/services.h"
#include "gmdesk/box_text.h"
#include "gmdesk/database_steps.h"
#include "gmdesk/indexed_threads.h"
#include "gmdesk/main_window.h"
#include "gmdesk/multiplier_pages.h"

namespace gmdesk {
namespace {

using frame::Property;

// The picked event number, as the combo shows it now.
frame::Text QuotedEventNumber(const MultiplierPage& page) {
  return QuotedText(page.event_list.id, Property::kContentText);
}

// A single-row read of one column of the picked event.
frame::Text ReadEventField(const MultiplierPage& page, std::string_view column) {
  frame::Text statement = frame::ConcatTexts("SELECT ", column, "  FROM TB_Event Where EventNo ='",
                                             QuotedEventNumber(page), "'");
  return ReadOneField(kRecordSet3, kGameConnection, statement, column);
}

// intData01 holds the multiplier times 100.
frame::Text ShownMultiplier(const frame::Text& stored) {
  return frame::ToText(frame::Value(frame::ToInteger(frame::Value(stored)) / 100.0));
}

frame::Text StoredMultiplier(const frame::Text& typed) {
  return frame::ToText(frame::Value(frame::ToInteger(frame::Value(typed)) * 100.0));
}

// Dates and multiplier of the picked event. The multiplier takes one write
// of the whole text: a pick that overlaps a reload then shows one value or
// the other, never the two run together.
void ShowPicked(const MultiplierPage& page) {
  frame::Text start = ReadEventField(page, "StartDate");
  frame::SetControlProperty(kMainWindow, page.start_box.id, Property::kText,
                            frame::LeftText(start, 10));
  frame::Text end = ReadEventField(page, "EndDate");
  frame::SetControlProperty(kMainWindow, page.end_box.id, Property::kText,
                            frame::LeftText(end, 10));
  frame::Text multiplier = ReadEventField(page, "intData01");
  frame::SetControlProperty(kMainWindow, page.current_box.id, Property::kText,
                            ShownMultiplier(multiplier));
}

void SetLoadButtonDisabled(const MultiplierPage& page, bool disabled) {
  frame::SetControlProperty(kMainWindow, page.load_button.id, Property::kDisabled, disabled);
}

// Worker thread: lists the page's events after what the combo holds, then
// shows the first. A list that could not be read leaves the load button
// usable, so that the operator can load again.
void LoadEvents(const MultiplierPage& page) {
  bool listed = AppendColumnToLists(
      kRecordSet3, kGameConnection,
      frame::ConcatTexts("SELECT EventNo  FROM TB_Event Where EventType ='", page.event_type, "'"),
      "EventNo", {page.event_list.id});
  frame::SetControlProperty(kMainWindow, page.event_list.id, Property::kSelectedIndex, 0);
  frame::SetControlProperty(kMainWindow, page.submit_button.id, Property::kDisabled, false);
  ShowPicked(page);
  if (!listed) SetLoadButtonDisabled(page, false);
}

void LoadEventsAt(size_t index) {
  LoadEvents(kMultiplierPages[index]);
}
constexpr auto& kLoaders = kIndexedThreads<&LoadEventsAt, std::size(kMultiplierPages)>;

}  // namespace

// The load button stays disabled while a load runs and after one that listed
// the events; only the submit reloads then.
void StartEventLoad(MultiplierPageIndex index) {
  const MultiplierPage& page = kMultiplierPages[index];
  SetLoadButtonDisabled(page, true);
  if (!frame::StartThread(kLoaders[index])) SetLoadButtonDisabled(page, false);
}

void SubmitEvent(MultiplierPageIndex index) {
  const MultiplierPage& page = kMultiplierPages[index];
  frame::Text multiplier = StoredMultiplier(BoxText(page.new_box.id));
  frame::Text start = QuotedText(page.start_box.id);
  frame::Text end = QuotedText(page.end_box.id);
  frame::Text event_number = QuotedEventNumber(page);
  frame::Text statement =
      frame::ConcatTexts("update TB_Event set StartDate='", start, "',EndDate='", end,
                         "',intData01='", multiplier, "' where EventNo ='", event_number, "'");
  // An UPDATE whose event is not there changed nothing.
  if (RunStatement(kGameConnection, statement, TargetRow{kEventByNumber, event_number}) !=
      StatementOutcome::kRan) {
    frame::ShowMessageBox(frame::Gbk("提交数据失败"));
    return;
  }
  frame::ClearComboItems(kMainWindow, page.event_list.id);
  frame::SetControlProperty(kMainWindow, page.current_box.id, Property::kText, "");
  StartEventLoad(index);
  frame::ShowMessageBox(frame::Gbk("数据提交成功,本操作无须重启服务器,等待5-10分钟即可生效"));
}

void ShowPickedEvent(MultiplierPageIndex index) {
  ShowPicked(kMultiplierPages[index]);
}

}  // namespace gmdesk
