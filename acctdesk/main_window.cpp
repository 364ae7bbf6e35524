#include "acctdesk/main_window.h"

#include <string_view>

#include "frame/window/control_rows.h"

#include "acctdesk/account_operations.h"
#include "acctdesk/currency_operations.h"
#include "acctdesk/message_area.h"
#include "acctdesk/server_connection.h"

namespace acctdesk {
namespace {

using frame::BindEvent0;
using namespace frame::rows;
using frame::ControlDefinition;
using frame::ControlKind;
using frame::InGroup;
using frame::InputMode;

constexpr ControlId kLabelAccountRegister = ControlNumber(0x000e);   // 标签3
constexpr ControlId kLabelPasswordRegister = ControlNumber(0x0010);  // 标签4
constexpr ControlId kLabelAccountChange = ControlNumber(0x0016);     // 标签6
constexpr ControlId kLabelPasswordChange = ControlNumber(0x0014);    // 标签5
constexpr ControlId kLabelTopUpAccount = ControlNumber(0x0002);      // 标签1
constexpr ControlId kLabelAmount = ControlNumber(0x0008);            // 标签2
constexpr ControlId kBanner = ControlNumber(0x00fb);                 // 标签18
constexpr ControlId kLabelSetCashAccount = ControlNumber(0x00a9);    // 标签8
constexpr ControlId kLabelSetCashValue = ControlNumber(0x00a7);      // 标签7
constexpr ControlId kLabelSetBonusAccount = ControlNumber(0x00ab);   // 标签9
constexpr ControlId kLabelSetBonusValue = ControlNumber(0x00ae);     // 标签10
constexpr ControlId kLabelBanAccount = ControlNumber(0x00c2);        // 标签11
constexpr ControlId kLabelUnbanAccount = ControlNumber(0x00c5);      // 标签12
constexpr ControlId kGmNote = ControlNumber(0x00fa);                 // 标签17
constexpr ControlId kLabelTestGmAccount = ControlNumber(0x00e7);     // 标签13
constexpr ControlId kLabelTestGmAddress = ControlNumber(0x00e9);     // 标签14
constexpr ControlId kLabelGmAccount = ControlNumber(0x00f1);         // 标签16
constexpr ControlId kLabelGmAddress = ControlNumber(0x00ef);         // 标签15

constexpr std::string_view kAmountItems[] = {
    "10(活动无送)",       "30(活动送10)",
    "50(活动送30)",       "100(活动送50)",
    "300(活动送100)",     "500(活动送300)",
    "10(无活动)",         "30(无活动)",
    "50(无活动)",         "100(无活动)",
    "300(无活动)",        "500(无活动)",
    "充值1000请联系客服", "",
};

constexpr frame::FontSpec kBannerFont{.family = "微软雅黑", .height_pixels = 16};
constexpr frame::FontSpec kMessageFont{.family = "宋体", .point_size = 9};

// Every action button but connect and clear waits for the connection.
constexpr bool kWaitsForConnection = true;

constexpr frame::ParentRef kWindow = frame::InWindow();

constexpr ControlDefinition kControls[] = {
    // Top half: registration, password change, top-up, connect, messages.
    Label(kLabelAccountRegister, "标签3", kWindow, {8, 8, 56, 20}, "游戏帐号："),
    Edit(kRegisterAccountBox, "编辑框3", kWindow, {64, 8, 112, 20}),
    Label(kLabelPasswordRegister, "标签4", kWindow, {8, 32, 56, 20}, "游戏密码："),
    Edit(kRegisterPasswordBox, "编辑框4", kWindow, {64, 32, 112, 20}),
    Button(kRegisterButton, "按钮3", kWindow, {8, 64, 160, 24}, "注册帐号",
           BindEvent0<&RegisterAccount>, kWaitsForConnection),
    Label(kLabelAccountChange, "标签6", kWindow, {8, 96, 56, 20}, "游戏帐号："),
    Edit(kPasswordAccountBox, "编辑框6", kWindow, {64, 96, 112, 20}),
    Label(kLabelPasswordChange, "标签5", kWindow, {8, 120, 56, 20}, "游戏密码："),
    Edit(kNewPasswordBox, "编辑框5", kWindow, {64, 120, 112, 20}),
    Button(kChangePasswordButton, "按钮4", kWindow, {8, 152, 160, 24}, "修改密码",
           BindEvent0<&ChangeAccountPassword>, kWaitsForConnection),
    Label(kLabelTopUpAccount, "标签1", kWindow, {192, 8, 56, 20}, "游戏帐号："),
    Edit(kTopUpAccountBox, "编辑框1", kWindow, {248, 8, 112, 20}, "", InputMode::kNormal, 0,
         kWaitsForConnection),
    Label(kLabelAmount, "标签2", kWindow, {192, 32, 56, 20}, "货币数额："),
    {.id = kAmountList,
     .kind = ControlKind::kComboBox,
     .name = "组合框1",
     .rect = {248, 32, 112, 20},
     .disabled = true,
     .tab_stop = true,
     .items = kAmountItems,
     .combo_style = frame::ComboStyle::kDropDown,
     .events = BindEvent0<&ChooseTopUpAmount>},
    RadioBox(kTopUpCashRadio, "单选框1", kWindow, {192, 72, 80, 24}, "充值龙币",
             kWaitsForConnection),
    RadioBox(kTopUpBonusRadio, "单选框2", kWindow, {192, 96, 80, 24}, "充值积分",
             kWaitsForConnection),
    Button(kTopUpButton, "按钮1", kWindow, {280, 72, 80, 48}, "充值",
           BindEvent0<&AddAccountCurrency>, kWaitsForConnection),
    {.id = kAmountBox,
     .kind = ControlKind::kEditBox,
     .name = "龙币框1",
     .rect = {200, 120, 80, 20},
     .visible = false,
     .tab_stop = true},
    Button(kConnectButton, "按钮2", kWindow, {192, 144, 168, 32}, "连接服务器",
           BindEvent0<&ConnectServer>),
    {.id = kMessageArea,
     .kind = ControlKind::kRichEdit,
     .name = "超级编辑框1",
     .rect = {368, 8, 192, 176},
     .text = "--------单机霜月奇谭--------",
     .tab_stop = true,
     .multi_line = true,
     .vertical_scroll = true,
     .font = kMessageFont},
    Button(kClearButton, "按钮7", kWindow, {384, 200, 176, 40}, "清空消息",
           BindEvent0<&ClearMessages>),
    Component(kMemberConnection, ControlKind::kDBConnection, "数据库连接1", {160, 144, 26, 26}),
    Component(kUnusedRecordSet, ControlKind::kRecordSet, "记录集1", {168, 160, 26, 26}),

    // Bottom half. 编辑框8 and 按钮9 belong to the window and lie over the panels.
    Group(kSetCurrencyPanel, "分组框1", kWindow, {0, 192, 376, 120}, "直接修改货币数量"),
    Edit(kSetBonusAccountBox, "编辑框8", kWindow, {248, 216, 112, 20}),
    Group(kBanPanel, "分组框2", kWindow, {0, 320, 376, 136}, "帐号停封"),
    Button(kBanButton, "按钮9", kWindow, {32, 368, 128, 32}, "停封", BindEvent0<&BanAccount>,
           kWaitsForConnection),
    Group(kGmPanel, "分组框3", kWindow, {384, 248, 176, 248}, "开启GM帐号"),
    {.id = kBanner,
     .kind = ControlKind::kLabel,
     .name = "标签18",
     .rect = {0, 464, 376, 32},
     .text = "霜月奇谭爱好研究者注册器v1.0",
     .text_color = frame::kRed,
     .font = kBannerFont},

    // 分组框1: 龙币 on the left, 积分 on the right.
    Label(kLabelSetCashAccount, "标签8", InGroup(kSetCurrencyPanel), {8, 24, 56, 20}, "游戏帐号："),
    Edit(kSetCashAccountBox, "编辑框7", InGroup(kSetCurrencyPanel), {64, 24, 112, 20}),
    Label(kLabelSetCashValue, "标签7", InGroup(kSetCurrencyPanel), {8, 48, 56, 20}, "龙币数量："),
    Numeric(kSetCashValueBox, "编辑框2", InGroup(kSetCurrencyPanel), {64, 48, 112, 20}),
    Button(kSetCashButton, "按钮5", InGroup(kSetCurrencyPanel), {56, 80, 80, 32}, "修改",
           BindEvent0<&SetCash>, kWaitsForConnection),
    Label(kLabelSetBonusAccount, "标签9", InGroup(kSetCurrencyPanel), {192, 24, 56, 20},
          "游戏帐号："),
    Label(kLabelSetBonusValue, "标签10", InGroup(kSetCurrencyPanel), {192, 48, 56, 20},
          "积分数量："),
    Numeric(kSetBonusValueBox, "编辑框9", InGroup(kSetCurrencyPanel), {248, 48, 112, 20}),
    Button(kSetBonusButton, "按钮6", InGroup(kSetCurrencyPanel), {232, 80, 80, 32}, "修改",
           BindEvent0<&SetBonusCash>, kWaitsForConnection),

    // 分组框2: banning.
    Label(kLabelBanAccount, "标签11", InGroup(kBanPanel), {8, 16, 56, 20}, "游戏帐号："),
    Edit(kBanAccountBox, "编辑框10", InGroup(kBanPanel), {64, 16, 112, 20}),
    Label(kLabelUnbanAccount, "标签12", InGroup(kBanPanel), {192, 16, 56, 20}, "游戏帐号："),
    Edit(kUnbanAccountBox, "编辑框11", InGroup(kBanPanel), {248, 16, 112, 20}),
    Button(kUnbanButton, "按钮10", InGroup(kBanPanel), {208, 48, 128, 32}, "解封",
           BindEvent0<&UnbanAccount>, kWaitsForConnection),
    Button(kBanAllButton, "按钮11", InGroup(kBanPanel), {32, 88, 128, 32}, "停封所有帐号",
           BindEvent0<&BanAllAccounts>, kWaitsForConnection),
    Button(kUnbanAllButton, "按钮12", InGroup(kBanPanel), {208, 88, 128, 32}, "解封所有帐号",
           BindEvent0<&UnbanAllAccounts>, kWaitsForConnection),

    // 分组框3: the two GM groups and a note.
    Group(kTestGmPanel, "分组框4", InGroup(kGmPanel), {8, 16, 160, 96}, "单机测试GM帐号开启"),
    Group(kGmAccountPanel, "分组框5", InGroup(kGmPanel), {8, 112, 160, 96}, "GM帐号开启"),
    Label(kGmNote, "标签17", InGroup(kGmPanel), {8, 216, 160, 20}, "注:如果已开启,不能重复开启"),

    Label(kLabelTestGmAccount, "标签13", InGroup(kTestGmPanel), {8, 16, 32, 20}, "帐号："),
    Edit(kTestGmAccountBox, "编辑框12", InGroup(kTestGmPanel), {40, 16, 112, 20}),
    Label(kLabelTestGmAddress, "标签14", InGroup(kTestGmPanel), {8, 40, 32, 20}, "GMIP："),
    IpAddressBox(kTestGmAddressBox, "IP编辑框1", InGroup(kTestGmPanel), {40, 40, 112, 20},
                 "127.0.0.1"),
    Button(kTestGmButton, "按钮8", InGroup(kTestGmPanel), {40, 64, 80, 20}, "开启",
           BindEvent0<&OpenTestGmAccount>, kWaitsForConnection),

    Label(kLabelGmAccount, "标签16", InGroup(kGmAccountPanel), {8, 16, 32, 20}, "帐号："),
    Edit(kGmAccountBox, "编辑框13", InGroup(kGmAccountPanel), {40, 16, 112, 20}),
    Label(kLabelGmAddress, "标签15", InGroup(kGmAccountPanel), {8, 40, 32, 20}, "GMIP："),
    IpAddressBox(kGmAddressBox, "IP编辑框2", InGroup(kGmAccountPanel), {40, 40, 112, 20},
                 "0.0.0.0"),
    Button(kGmButton, "按钮13", InGroup(kGmAccountPanel), {40, 64, 80, 20}, "开启",
           BindEvent0<&OpenGmAccount>, kWaitsForConnection),
};

constexpr const frame::WindowDefinition* kWindows[] = {&kMainWindowDefinition};

}  // namespace

const frame::WindowDefinition kMainWindowDefinition{
    .id = kMainWindow,
    .title = "霜月奇谭爱好研究者注册器1.0",
    .rect = {50, 50, 574, 533},
    .events = BindEvent0<&LoadServerConfig>,
    .controls = kControls,
};

const frame::Program kProgram{
    .windows = kWindows,
    .exit_routine = &ReleaseGlobals,
};

}  // namespace acctdesk
