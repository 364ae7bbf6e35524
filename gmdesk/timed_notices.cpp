#include "gmdesk/timed_notices.h"

// Not built yet.

namespace gmdesk {

void LoadTimedNoticesThread() {}
void OnEditNoticeSelected() {}
void UpdateTimedNotice() {}
void InsertTimedNotice() {}
void OnDeleteNoticeSelected() {}
void DeleteTimedNotice() {}
void DeleteAllTimedNotices() {}

}  // namespace gmdesk
