// The rows of 分组框1: the server settings.
#pragma once

#include <array>

#include "frame/window/control_rows.h"
#include "gmdesk/main_window.h"

namespace gmdesk::server_panel_rows {

using namespace frame::rows;
using frame::InputMode;

inline constexpr ControlId kServerLabel = ControlNumber(0x000f);          // 标签7
inline constexpr ControlId kUserLabel = ControlNumber(0x000d);            // 标签5
inline constexpr ControlId kPasswordLabel = ControlNumber(0x000e);        // 标签6
inline constexpr ControlId kMemberDatabaseLabel = ControlNumber(0x000c);  // 标签4
inline constexpr ControlId kNoticeDatabaseLabel = ControlNumber(0x149f);  // 标签8
inline constexpr ControlId kGameDatabaseLabel = ControlNumber(0x14aa);    // 标签9

inline constexpr frame::ParentRef kServer = frame::InGroup(kServerPanel);

inline constexpr auto kRows = std::to_array<frame::ControlDefinition>({
    Label(kServerLabel, "标签7", kServer, {8, 16, 72, 20}, "服务器源："),
    Edit(kServerBox, "编辑框3", kServer, {80, 16, 184, 20}, "127.0.0.1,1433"),
    Label(kUserLabel, "标签5", kServer, {8, 40, 72, 20}, "服务器帐号："),
    Edit(kUserBox, "编辑框4", kServer, {80, 40, 184, 20}, "sa"),
    Label(kPasswordLabel, "标签6", kServer, {8, 64, 72, 20}, "服务器密码："),
    Edit(kPasswordBox, "编辑框5", kServer, {80, 64, 184, 20}, "582069", InputMode::kPassword),
    Label(kMemberDatabaseLabel, "标签4", kServer, {8, 88, 72, 20}, "数据库文件："),
    Edit(kMemberDatabaseBox, "编辑框6", kServer, {80, 88, 184, 20}, "KV7_Member"),
    Label(kNoticeDatabaseLabel, "标签8", kServer, {8, 112, 72, 20}, "数据库文件："),
    Edit(kNoticeDatabaseBox, "编辑框7", kServer, {80, 112, 184, 20}, "KV7_SiteConfig"),
    Label(kGameDatabaseLabel, "标签9", kServer, {8, 136, 72, 20}, "数据库文件："),
    Edit(kGameDatabaseBox, "编辑框8", kServer, {80, 136, 184, 20}, "KV7_User"),
});

}  // namespace gmdesk::server_panel_rows
