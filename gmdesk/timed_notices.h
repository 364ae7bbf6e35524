// The three timed-announcement pages of 选择夹1.
#pragma once

namespace gmdesk {

// Started when the game database opens.
void LoadTimedNoticesThread();

void OnEditNoticeSelected();    // 组合框2
void UpdateTimedNotice();       // 按钮5
void InsertTimedNotice();       // 按钮6
void OnDeleteNoticeSelected();  // 组合框3
void DeleteTimedNotice();       // 按钮8
void DeleteAllTimedNotices();   // 按钮7

}  // namespace gmdesk
