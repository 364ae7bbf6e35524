// acctdesk's one window: its controls by role. The design name of each
// control stands beside it in the definition table (main_window.cpp).
#pragma once

#include "frame/runtime/runtime.h"
#include "frame/window/window_model.h"

namespace acctdesk {

using frame::ControlId;
using frame::ControlNumber;

inline constexpr frame::WindowId kMainWindow = frame::kMainWindowId;

// Registration and password change.
inline constexpr ControlId kRegisterAccountBox = ControlNumber(0x000d);    // 编辑框3
inline constexpr ControlId kRegisterPasswordBox = ControlNumber(0x000f);   // 编辑框4
inline constexpr ControlId kRegisterButton = ControlNumber(0x0011);        // 按钮3
inline constexpr ControlId kPasswordAccountBox = ControlNumber(0x0015);    // 编辑框6
inline constexpr ControlId kNewPasswordBox = ControlNumber(0x0013);        // 编辑框5
inline constexpr ControlId kChangePasswordButton = ControlNumber(0x0012);  // 按钮4

// Top-up.
inline constexpr ControlId kTopUpAccountBox = ControlNumber(0x0003);  // 编辑框1
inline constexpr ControlId kAmountList = ControlNumber(0x0007);       // 组合框1
inline constexpr ControlId kTopUpCashRadio = ControlNumber(0x0005);   // 单选框1
inline constexpr ControlId kTopUpBonusRadio = ControlNumber(0x0006);  // 单选框2
inline constexpr ControlId kTopUpButton = ControlNumber(0x0004);      // 按钮1
inline constexpr ControlId kAmountBox = ControlNumber(0x0009);        // 龙币框1, hidden

// Connection and messages.
inline constexpr ControlId kConnectButton = ControlNumber(0x000a);     // 按钮2
inline constexpr ControlId kMessageArea = ControlNumber(0x0098);       // 超级编辑框1
inline constexpr ControlId kClearButton = ControlNumber(0x00b7);       // 按钮7
inline constexpr ControlId kMemberConnection = ControlNumber(0x0017);  // 数据库连接1
inline constexpr ControlId kUnusedRecordSet = ControlNumber(0x004b);   // 记录集1

// Setting currency.
inline constexpr ControlId kSetCurrencyPanel = ControlNumber(0x00a5);    // 分组框1
inline constexpr ControlId kSetCashAccountBox = ControlNumber(0x00a8);   // 编辑框7
inline constexpr ControlId kSetCashValueBox = ControlNumber(0x00a6);     // 编辑框2
inline constexpr ControlId kSetCashButton = ControlNumber(0x00aa);       // 按钮5
inline constexpr ControlId kSetBonusAccountBox = ControlNumber(0x00ac);  // 编辑框8, on the window
inline constexpr ControlId kSetBonusValueBox = ControlNumber(0x00af);    // 编辑框9
inline constexpr ControlId kSetBonusButton = ControlNumber(0x00b0);      // 按钮6

// Banning.
inline constexpr ControlId kBanPanel = ControlNumber(0x00c1);         // 分组框2
inline constexpr ControlId kBanAccountBox = ControlNumber(0x00c3);    // 编辑框10
inline constexpr ControlId kBanButton = ControlNumber(0x00c4);        // 按钮9, on the window
inline constexpr ControlId kUnbanAccountBox = ControlNumber(0x00c6);  // 编辑框11
inline constexpr ControlId kUnbanButton = ControlNumber(0x00c7);      // 按钮10
inline constexpr ControlId kBanAllButton = ControlNumber(0x00c8);     // 按钮11
inline constexpr ControlId kUnbanAllButton = ControlNumber(0x00c9);   // 按钮12

// Opening GM accounts.
inline constexpr ControlId kGmPanel = ControlNumber(0x00e2);           // 分组框3
inline constexpr ControlId kTestGmPanel = ControlNumber(0x00e6);       // 分组框4
inline constexpr ControlId kTestGmAccountBox = ControlNumber(0x00e8);  // 编辑框12
inline constexpr ControlId kTestGmAddressBox = ControlNumber(0x00ea);  // IP编辑框1
inline constexpr ControlId kTestGmButton = ControlNumber(0x00eb);      // 按钮8
inline constexpr ControlId kGmAccountPanel = ControlNumber(0x00ec);    // 分组框5
inline constexpr ControlId kGmAccountBox = ControlNumber(0x00f0);      // 编辑框13
inline constexpr ControlId kGmAddressBox = ControlNumber(0x00ee);      // IP编辑框2
inline constexpr ControlId kGmButton = ControlNumber(0x00ed);          // 按钮13

extern const frame::WindowDefinition kMainWindowDefinition;

// The program as the frame runs it: the window and the exit routine.
extern const frame::Program kProgram;

}  // namespace acctdesk
