// Currency operations: set 龙币 (Cash) or 积分 (BonusCash) to a value, and top
// either up by an amount picked from the list.
#pragma once

namespace acctdesk {

void ChooseTopUpAmount();   // 组合框1, an amount picked
void SetCash();             // 按钮5 "修改", 龙币 column
void SetBonusCash();        // 按钮6 "修改", 积分 column
void AddAccountCurrency();  // 按钮1 "充值"

}  // namespace acctdesk
