// The rows of 分组框5: the account query, the label-and-box pairs of
// player_panel_pairs.h in the colour of their area, and the four submits.
#pragma once

#include <array>

#include "frame/window/control_rows.h"
#include "gmdesk/account_query.h"
#include "gmdesk/definition_rows.h"
#include "gmdesk/main_window.h"
#include "gmdesk/player_panel_pairs.h"
#include "gmdesk/player_submits.h"

namespace gmdesk::player_panel_rows {

using namespace frame::rows;
using frame::BindEvent0;
using frame::ParentRef;

inline constexpr ControlId kQueryAccountLabel = ControlNumber(0x16f8);  // 标签42
inline constexpr ControlId kAccountKeyLabel = ControlNumber(0x1712);    // 标签39

inline constexpr ParentRef kPlayer = frame::InGroup(kPlayerPanel);
inline constexpr ParentRef kQuery = frame::InGroup(kQueryPanel);
inline constexpr ParentRef kSubmits = frame::InGroup(kSubmitPanel);

inline constexpr auto kRows =
    JoinRows(std::to_array<frame::ControlDefinition>({
                 // The account query row in 分组框6.
                 Group(kQueryPanel, "分组框6", kPlayer, {8, 13, 536, 28}, ""),
                 Edit(kQueryAccountBox, "编辑框33", kQuery, {62, 6, 90, 20}),
                 Label(kQueryAccountLabel, "标签42", kQuery, {2, 7, 64, 18}, "游戏帐号："),
                 Button(kQueryButton, "按钮2", kQuery, {155, 7, 96, 20}, "查询该帐号数据",
                        BindEvent0<&QueryAccount>),
                 Label(kAccountKeyLabel, "标签39", kQuery, {254, 7, 56, 18}, "帐号Key："),
                 ReadOnly(kAccountKeyBox, "编辑框34", kPlayer, {312, 19, 230, 20}),
             }),
             // Row by row: yellow marks the account, magenta the character's
             // appearance, cyan its statistics.
             PairRows(kAccountPairs, frame::kYellow, kPlayer),
             PairRows(kCharacterPairs, frame::kMagenta, kPlayer),
             PairRows(kAppearancePairs, frame::kMagenta, kPlayer),
             PairRows(kStatisticsPairs, frame::kCyan, kPlayer),
             std::to_array<frame::ControlDefinition>({
                 Group(kSubmitPanel, "分组框7", kPlayer, {8, 240, 536, 32}, ""),
                 // 分组框7: the four submits.
                 Button(kSubmitYellowButton, "按钮3", kSubmits, {8, 8, 120, 20}, "提交黄色区域数据",
                        BindEvent0<&OnSubmitAreaClick<kYellowArea>>),
                 Button(kSubmitPurpleButton, "按钮15", kSubmits, {136, 8, 120, 20},
                        "提交紫色区域数据", BindEvent0<&OnSubmitAreaClick<kPurpleArea>>),
                 Button(kSubmitCyanButton, "按钮16", kSubmits, {264, 8, 120, 20},
                        "提交青色区域数据", BindEvent0<&OnSubmitAreaClick<kCyanArea>>),
                 Button(kSubmitAllButton, "按钮17", kSubmits, {392, 8, 136, 20}, "提交所有区域数据",
                        BindEvent0<&OnSubmitAllClick>),
             }));

}  // namespace gmdesk::player_panel_rows
