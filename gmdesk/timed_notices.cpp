#include "gmdesk/timed_notices.h"

#include "frame/services/services.h"
#include "gmdesk/box_text.h"
#include "gmdesk/database_steps.h"
#include "gmdesk/log_box.h"
#include "gmdesk/main_window.h"
#include "gmdesk/notice_pages.h"

namespace gmdesk {
namespace {

using frame::Property;

// A column of the announcement whose number a list shows, and the box of the
// edit page that shows it.
struct NoticeColumn {
  std::string_view query_start;  // followed by the number and "'"
  std::string_view name;
  ControlId records;
  int shown_length;  // 0: the whole text
  ControlId edit_page_box;
  Property box_property;
};

constexpr NoticeColumn kNoticeText{"SELECT stringData01  FROM TB_Event Where EventNo ='",
                                   "stringData01",
                                   kRecordSet3,
                                   0,
                                   kEditNoticeText,
                                   Property::kContentText};
constexpr NoticeColumn kStartDate{"SELECT StartDate FROM TB_Event Where EventNo ='",
                                  "StartDate",
                                  kRecordSet3,
                                  10,
                                  kEditNoticeStartBox,
                                  Property::kText};
constexpr NoticeColumn kEndDate{"SELECT EndDate FROM TB_Event Where EventNo ='",
                                "EndDate",
                                kRecordSet3,
                                10,
                                kEditNoticeEndBox,
                                Property::kText};
constexpr NoticeColumn kPeriod{"SELECT Period FROM TB_Event Where EventNo ='",
                               "Period",
                               kRecordSet4,
                               0,
                               kEditNoticePeriodBox,
                               Property::kText};

// Every statement of these pages runs on the game database and takes effect at once.
constexpr PageStatement TimedNoticeStatement(ControlId button, bool disables_button,
                                             ControlId log_box) {
  return {.connection = kGameConnection,
          .button = button,
          .disables_button = disables_button,
          .log_box = log_box,
          .success_text = kSavedAtOnce};
}

constexpr PageStatement kUpdate = TimedNoticeStatement(kEditNoticeButton, true, kEditNoticeLog);
constexpr PageStatement kInsert = TimedNoticeStatement(kAddNoticeButton, true, kAddNoticeLog);
constexpr PageStatement kDeleteOne =
    TimedNoticeStatement(kDeleteNoticeButton, false, kDeleteNoticeLog);
constexpr PageStatement kDeleteAll =
    TimedNoticeStatement(kDeleteAllNoticesButton, false, kDeleteNoticeLog);

frame::Text ChosenNumber(ControlId number_list) {
  return QuotedText(number_list, Property::kContentText);
}

frame::Text ReadOfChosenNotice(const NoticeColumn& column, ControlId number_list) {
  frame::Text value = ReadOneField(
      column.records, kGameConnection,
      frame::ConcatTexts(column.query_start, ChosenNumber(number_list), "'"), column.name);
  return column.shown_length > 0 ? frame::LeftText(value, column.shown_length) : value;
}

void ShowOnEditPage(const NoticeColumn& column, const frame::Text& value) {
  frame::SetControlProperty(kMainWindow, column.edit_page_box, column.box_property, value);
}

void ShowOnDeletePage(const frame::Text& notice_text) {
  frame::SetControlProperty(kMainWindow, kDeleteNoticeText, Property::kContentText, notice_text);
}

void LoadTimedNotices() {
  AppendColumnToLists(kRecordSet3, kGameConnection,
                      "SELECT EventNo  FROM TB_Event Where EventType ='100'", "EventNo",
                      {kEditNoticeList, kDeleteNoticeList});
  frame::SetControlProperty(kMainWindow, kEditNoticeList, Property::kSelectedIndex, 0);
  frame::SetControlProperty(kMainWindow, kDeleteNoticeList, Property::kSelectedIndex, 0);

  frame::Text notice_text = ReadOfChosenNotice(kNoticeText, kEditNoticeList);
  ShowOnEditPage(kNoticeText, notice_text);
  ShowOnDeletePage(notice_text);
  for (const NoticeColumn* column : {&kStartDate, &kEndDate, &kPeriod}) {
    ShowOnEditPage(*column, ReadOfChosenNotice(*column, kEditNoticeList));
  }
}

// Until a reload fills them again, the lists stay empty.
void ClearNumberLists() {
  frame::ClearComboItems(kMainWindow, kEditNoticeList);
  frame::ClearComboItems(kMainWindow, kDeleteNoticeList);
}

}  // namespace

void LoadTimedNoticesThread() {
  LoadTimedNotices();
}

void OnEditNoticeSelected() {
  for (const NoticeColumn* column : {&kNoticeText, &kPeriod, &kStartDate, &kEndDate}) {
    ShowOnEditPage(*column, ReadOfChosenNotice(*column, kEditNoticeList));
  }
}

void OnDeleteNoticeSelected() {
  ShowOnDeletePage(ReadOfChosenNotice(kNoticeText, kDeleteNoticeList));
}

void UpdateTimedNotice() {
  frame::Text text = QuotedText(kEditNoticeText, Property::kContentText);
  frame::Text period = QuotedText(kEditNoticePeriodBox);
  frame::Text number = ChosenNumber(kEditNoticeList);
  // The text is stored as it stands in the box: no blank is added after it.
  RunPageStatement(kUpdate,
                   frame::ConcatTexts("update  TB_Event set stringData01 =N'", text, "' ,Period ='",
                                      period, "' Where EventNo ='", number, "'"),
                   TargetRow{kEventByNumber, number});
}

void InsertTimedNotice() {
  frame::Text number = QuotedText(kAddNoticeNumberBox);
  frame::Text start_date = QuotedText(kAddNoticeStartBox);
  frame::Text end_date = QuotedText(kAddNoticeEndBox);
  frame::Text period = QuotedText(kAddNoticePeriodBox);
  frame::Text text = QuotedText(kAddNoticeText, Property::kContentText);
  frame::Text statement = frame::ConcatTexts(
      "insert into TB_Event (EventNo,EventType,Memo,StartDate,EndDate,Period,stringData01)"
      "values('",
      number, "','100',N'", frame::Gbk("定时公告"), number, "','", start_date, "','", end_date,
      "','", period, "',N'", text, "')");
  if (!RunPageStatement(kInsert, statement)) return;
  ClearNumberLists();
  frame::StartThread(&LoadTimedNoticesThread);
}

// No row with the number afterwards is what the operator asked for, whether
// this statement removed it or it was gone already; the reload shows the
// list as it stands.
void DeleteTimedNotice() {
  frame::Text statement = frame::ConcatTexts("delete from TB_Event where EventNo='",
                                             ChosenNumber(kDeleteNoticeList), "'");
  if (!RunPageStatement(kDeleteOne, statement)) return;
  ClearNumberLists();
  frame::StartThread(&LoadTimedNoticesThread);
}

void DeleteAllTimedNotices() {
  int32_t answer =
      frame::ShowMessageBox(frame::Gbk("本次操作将不可逆，是否继续进行？"),
                            frame::kMessageBoxYesNoQuestion, frame::Gbk("是否继续操作"));
  if (answer != frame::kAnsweredYes) return;
  if (!RunPageStatement(kDeleteAll, "delete from TB_Event where EventType='100'")) return;
  ClearNumberLists();
}

}  // namespace gmdesk
