// Leaving through the menu.
#pragma once

namespace gmdesk {

void ConfirmExit();  // menu item "退出工具"

}  // namespace gmdesk
