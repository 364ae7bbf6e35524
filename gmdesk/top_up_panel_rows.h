// The rows of 分组框4: the currency top-up.
#pragma once

#include <array>
#include <string_view>

#include "frame/window/control_rows.h"
#include "gmdesk/currency_top_up.h"
#include "gmdesk/main_window.h"

namespace gmdesk::top_up_panel_rows {

using namespace frame::rows;
using frame::BindEvent0;

inline constexpr ControlId kAccountLabel = ControlNumber(0x1574);       // 标签1
inline constexpr ControlId kAmountLabel = ControlNumber(0x1573);        // 标签2
inline constexpr ControlId kCurrencyKindLabel = ControlNumber(0x156e);  // 标签3

inline constexpr std::string_view kCurrencyKinds[] = {"龙币(酷币)", "积分(红利)"};

inline constexpr frame::ParentRef kTopUp = frame::InGroup(kTopUpPanel);

inline constexpr auto kRows = std::to_array<frame::ControlDefinition>({
    Label(kAccountLabel, "标签1", kTopUp, {8, 8, 80, 20}, "游戏帐号："),
    Edit(kTopUpAccountBox, "编辑框1", kTopUp, {72, 8, 128, 20}),
    Label(kAmountLabel, "标签2", kTopUp, {8, 32, 80, 20}, "货币数量："),
    Edit(kTopUpAmountBox, "编辑框2", kTopUp, {72, 32, 128, 20}),
    Label(kCurrencyKindLabel, "标签3", kTopUp, {8, 56, 64, 20}, "货币类型："),
    List(kCurrencyKindList, "组合框1", kTopUp, {72, 56, 128, 20},
         BindEvent0<&OnCurrencyKindSelected>, kCurrencyKinds, true),
    Button(kTopUpButton, "按钮1", kTopUp, {8, 80, 192, 24}, "未连接",
           BindEvent0<&AddAccountCurrency>, true),
});

}  // namespace gmdesk::top_up_panel_rows
