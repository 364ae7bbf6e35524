// The channel-notice page of 选择夹1.
#pragma once

namespace gmdesk {

// Started when the site-configuration database opens.
void LoadChannelNoticesThread();

void OnChannelSelected();    // 组合框7
void UpdateChannelNotice();  // 按钮4

}  // namespace gmdesk
