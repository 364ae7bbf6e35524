#include "gmdesk/channel_notices.h"

// Not built yet.

namespace gmdesk {

void LoadChannelNoticesThread() {}
void OnChannelSelected() {}
void UpdateChannelNotice() {}

}  // namespace gmdesk
