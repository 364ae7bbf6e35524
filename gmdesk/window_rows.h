// The rows of gmdesk's window that stand on the window itself: the panels,
// the database components, the banner and the warning line.
#pragma once

#include <array>

#include "frame/window/control_rows.h"
#include "gmdesk/main_window.h"

namespace gmdesk::window_rows {

using namespace frame::rows;
using frame::ControlKind;

inline constexpr frame::ParentRef kWindow = frame::InWindow();

inline constexpr frame::FontSpec kBannerFont{
    .family = "微软雅黑", .height_pixels = 16, .bold = true};

inline constexpr auto kRows = std::to_array<frame::ControlDefinition>({
    Group(kServerPanel, "分组框1", kWindow, {0, 0, 272, 168}, "服务器配置"),
    Component(kMemberConnection, ControlKind::kDBConnection, "数据库连接1", {264, 0, 26, 26}),
    Group(kTopUpPanel, "分组框4", kWindow, {272, 0, 208, 112}, ""),
    Component(kNoticeConnection, ControlKind::kDBConnection, "数据库连接2", {288, 0, 26, 26}),
    Component(kGameConnection, ControlKind::kDBConnection, "数据库连接3", {312, 0, 26, 26}),
    Component(kRecordSet2, ControlKind::kRecordSet, "记录集2", {336, 0, 26, 26}),
    Component(kRecordSet3, ControlKind::kRecordSet, "记录集3", {360, 0, 26, 26}),
    Component(kRecordSet4, ControlKind::kRecordSet, "记录集4", {384, 0, 26, 26}),
    Component(kRecordSet1, ControlKind::kRecordSet, "记录集1", {408, 0, 26, 26}),
    Component(kRecordSet5, ControlKind::kRecordSet, "记录集5", {432, 0, 26, 26}),
    Group(kPlayerPanel, "分组框5", kWindow, {480, 0, 552, 552}, "玩家管理", true),
    {.id = kBanner,
     .kind = ControlKind::kLabel,
     .name = "标签21",
     .rect = {272, 112, 208, 64},
     .text = "GM 管理工具\r\n修改直接写入数据库\r\n动手前请先备份",
     .text_color = frame::kRed,
     .background_color = frame::kBlack,
     .font = kBannerFont},
    Group(kNoticePanel, "分组框2", kWindow, {0, 184, 480, 224}, "修改游戏公告", true),
    Group(kSettingsPanel, "分组框3", kWindow, {0, 416, 480, 136}, "游戏基本设置", true),
    ColoredLabel(kWarningLine, "标签68", kWindow, {0, 552, 1032, 24},
                 "数值请勿过高以防溢出错误，已知金币：999999999999999999丨荣誉点：999999999丨"
                 "技能点：9999丨额外总点数(力智体敏同)：30000丨"
                 "小学生非主流喜欢带特殊符号的名字会读取失败",
                 frame::kYellow),
});

}  // namespace gmdesk::window_rows
