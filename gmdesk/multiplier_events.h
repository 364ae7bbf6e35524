// The gold, experience and drop multiplier pages of 选择夹2.
#pragma once

namespace gmdesk {

void OnGoldLoadClick();      // 按钮10
void OnGoldEventSelected();  // 组合框4
void SubmitGoldEvent();      // 按钮9
void OnExpLoadClick();       // 按钮12
void OnExpEventSelected();   // 组合框5
void SubmitExpEvent();       // 按钮11
void OnDropLoadClick();      // 按钮14
void OnDropEventSelected();  // 组合框6
void SubmitDropEvent();      // 按钮13

}  // namespace gmdesk
