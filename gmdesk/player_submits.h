// The four submits of 分组框5: yellow, purple, cyan and all areas.
#pragma once

namespace gmdesk {

void OnSubmitYellowClick();  // 按钮3
void OnSubmitPurpleClick();  // 按钮15
void OnSubmitCyanClick();    // 按钮16
void OnSubmitAllClick();     // 按钮17

}  // namespace gmdesk
