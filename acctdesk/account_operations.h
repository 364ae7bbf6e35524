// Account operations: register, change password, ban and unban one or all
// accounts, open GM accounts. Handlers of the buttons named beside them.
#pragma once

namespace acctdesk {

void RegisterAccount();        // 按钮3 "注册帐号"
void ChangeAccountPassword();  // 按钮4 "修改密码"
void BanAccount();             // 按钮9 "停封"
void UnbanAccount();           // 按钮10 "解封"
void BanAllAccounts();         // 按钮11 "停封所有帐号"
void UnbanAllAccounts();       // 按钮12 "解封所有帐号"
void OpenTestGmAccount();      // 按钮8 "开启", group 单机测试GM帐号开启
void OpenGmAccount();          // 按钮13 "开启", group GM帐号开启

}  // namespace acctdesk
