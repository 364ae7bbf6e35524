// acctdesk's server settings, read once from Server.ini, and the connect button.
#pragma once

namespace acctdesk {

// The window's created event: reads "SQLIP", "SQLID" and "SQLPW" of section
// "Config" in Server.ini beside the program.
void LoadServerConfig();

// Handler of 按钮2 "连接服务器".
void ConnectServer();

// The on-exit routine: lets go of the settings and the last statements.
void ReleaseGlobals();

}  // namespace acctdesk
