// The account query and the character view of 分组框5.
#pragma once

namespace gmdesk {

void QueryAccount();         // 按钮2
void OnCharacterSelected();  // 组合框8

}  // namespace gmdesk
