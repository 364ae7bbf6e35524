// 分组框5 ready for the operator, as connecting leaves it: the account and
// game connections open and the panel enabled.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "frame/db/db_services.h"
#include "frame/services/services.h"
#include "gmdesk/main_window.h"

namespace gmdesk_testing {

struct PanelConnections {
  std::string server = "127.0.0.1,1433";
  bool member_opens = true;
};

inline void OpenPlayerPanel(const PanelConnections& connections = {}) {
  using namespace gmdesk;
  if (connections.member_opens) {
    ASSERT_TRUE(frame::ConnectSqlServer(kMainWindow, kMemberConnection, connections.server,
                                        "KV7_Member", "sa", "pw"));
  }
  ASSERT_TRUE(frame::ConnectSqlServer(kMainWindow, kGameConnection, connections.server, "KV7_User",
                                      "sa", "pw"));
  frame::SetControlProperty(kMainWindow, kPlayerPanel, frame::Property::kDisabled, false);
}

// Puts a text into a box as a handler would (read-only and numeric boxes too).
inline void Show(gmdesk::ControlId box, const std::string& utf8) {
  frame::SetControlProperty(gmdesk::kMainWindow, box, frame::Property::kText, frame::Gbk(utf8));
}

}  // namespace gmdesk_testing
