// Server settings in Config.ini and connecting to the three databases.
#pragma once

namespace gmdesk {

void LoadServerConfig();  // the window's created event
void OnConnectMenu();     // menu item "工具连接MSSQL"

}  // namespace gmdesk
