#include "acctdesk/server_connection.h"

#include "acctdesk/main_window.h"
#include "acctdesk/member_database.h"
#include "acctdesk/message_area.h"
#include "acctdesk/run_and_report.h"
#include "frame/services/services.h"

namespace acctdesk {
namespace {

struct ServerConfig {
  frame::Text address;   // SQLIP: host, optionally ",port"
  frame::Text user;      // SQLID
  frame::Text password;  // SQLPW
};

// Set when the window has been created; nothing changes it afterwards.
ServerConfig server_config;

// Enabled, in this order, once the connection is open.
constexpr ControlId kEnabledOnConnect[] = {
    kTopUpButton, kRegisterButton,  kChangePasswordButton, kSetCashButton, kSetBonusButton,
    kUnbanButton, kBanAllButton,    kUnbanAllButton,       kBanButton,     kTestGmButton,
    kGmButton,    kTopUpAccountBox, kAmountList,
};

frame::Text ReadSetting(const char* key) {
  frame::Text path = frame::ConcatTexts(frame::GetProgramDirectory(), "\\Server.ini");
  return frame::ReadIniValue(path, "Config", key);
}

}  // namespace

void LoadServerConfig() {
  server_config.address = ReadSetting("SQLIP");
  server_config.user = ReadSetting("SQLID");
  server_config.password = ReadSetting("SQLPW");
}

void ConnectServer() {
  if (!ConnectMemberDatabase(server_config.address, server_config.user, server_config.password)) {
    frame::ShowMessageBox(frame::Gbk("服务器连接失败"));
    return;
  }
  for (ControlId control : kEnabledOnConnect) {
    frame::SetControlProperty(kMainWindow, control, frame::Property::kDisabled, false);
  }
  frame::SetControlProperty(kMainWindow, kConnectButton, frame::Property::kDisabled, true);
  AppendMessageLine(frame::Gbk("\r\n>北辰霜谭服务器连接成功<"));
}

void ReleaseGlobals() {
  server_config = ServerConfig{};
  ReleaseLastStatements();
}

}  // namespace acctdesk
