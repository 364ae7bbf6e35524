// The currency top-up of 分组框4.
#pragma once

namespace gmdesk {

void OnCurrencyKindSelected();  // 组合框1
void AddAccountCurrency();      // 按钮1

}  // namespace gmdesk
