#include "gmdesk/main_window.h"

#include <string_view>

#include "frame/window/control_rows.h"

#include "gmdesk/account_query.h"
#include "gmdesk/channel_notices.h"
#include "gmdesk/confirm_exit.h"
#include "gmdesk/currency_top_up.h"
#include "gmdesk/multiplier_events.h"
#include "gmdesk/player_submits.h"
#include "gmdesk/server_settings.h"
#include "gmdesk/timed_notices.h"

namespace gmdesk {
namespace {

using frame::BindEvent0;
using namespace frame::rows;
using frame::Color;
using frame::ControlDefinition;
using frame::ControlKind;
using frame::InGroup;
using frame::InputMode;
using frame::OnPage;
using frame::ParentRef;
using frame::Rect;

constexpr ParentRef kWindow = frame::InWindow();

// The log boxes of the notice pages: read-only, green on black, scrolling.
constexpr ControlDefinition LogBox(ControlId id, std::string_view name, ParentRef parent,
                                   Rect rect) {
  return {.id = id,
          .kind = ControlKind::kEditBox,
          .name = name,
          .parent = parent,
          .rect = rect,
          .tab_stop = true,
          .input_mode = InputMode::kReadOnly,
          .multi_line = true,
          .vertical_scroll = true,
          .text_color = frame::kGreen,
          .background_color = frame::kBlack};
}

constexpr std::string_view kCurrencyKinds[] = {"龙币(酷币)", "积分(红利)"};
constexpr std::string_view kNoticePages[] = {"修改线路公告", "修改定时公告", "添加定时公告",
                                             "删除定时公告"};
constexpr std::string_view kMultiplierPages[] = {"金币倍数设置", "经验倍数设置", "掉落倍数设置"};

constexpr frame::FontSpec kBannerFont{.family = "微软雅黑", .height_pixels = 16, .bold = true};

constexpr ParentRef kServer = InGroup(kServerPanel);
constexpr ParentRef kTopUp = InGroup(kTopUpPanel);
constexpr ParentRef kNotices = InGroup(kNoticePanel);
constexpr ParentRef kChannelPage = OnPage(kNoticeTabs, 0);
constexpr ParentRef kEditNoticePage = OnPage(kNoticeTabs, 1);
constexpr ParentRef kAddNoticePage = OnPage(kNoticeTabs, 2);
constexpr ParentRef kDeleteNoticePage = OnPage(kNoticeTabs, 3);
constexpr ParentRef kSettings = InGroup(kSettingsPanel);
constexpr ParentRef kGoldPage = OnPage(kMultiplierTabs, 0);
constexpr ParentRef kExpPage = OnPage(kMultiplierTabs, 1);
constexpr ParentRef kDropPage = OnPage(kMultiplierTabs, 2);
constexpr ParentRef kPlayer = InGroup(kPlayerPanel);
constexpr ParentRef kQuery = InGroup(kQueryPanel);
constexpr ParentRef kSubmits = InGroup(kSubmitPanel);

constexpr ControlDefinition kControls[] = {
    // On the window.
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
    ColoredLabel(ControlNumber(0x17a6), "标签68", kWindow, {0, 552, 1032, 24},
                 "数值请勿过高以防溢出错误，已知金币：999999999999999999丨荣誉点：999999999丨"
                 "技能点：9999丨额外总点数(力智体敏同)：30000丨"
                 "小学生非主流喜欢带特殊符号的名字会读取失败",
                 frame::kYellow),

    // 分组框1: server settings.
    Label(ControlNumber(0x000f), "标签7", kServer, {8, 16, 72, 20}, "服务器源："),
    Edit(kServerBox, "编辑框3", kServer, {80, 16, 184, 20}, "127.0.0.1,1433"),
    Label(ControlNumber(0x000d), "标签5", kServer, {8, 40, 72, 20}, "服务器帐号："),
    Edit(kUserBox, "编辑框4", kServer, {80, 40, 184, 20}, "sa"),
    Label(ControlNumber(0x000e), "标签6", kServer, {8, 64, 72, 20}, "服务器密码："),
    Edit(kPasswordBox, "编辑框5", kServer, {80, 64, 184, 20}, "582069", InputMode::kPassword),
    Label(ControlNumber(0x000c), "标签4", kServer, {8, 88, 72, 20}, "数据库文件："),
    Edit(kMemberDatabaseBox, "编辑框6", kServer, {80, 88, 184, 20}, "KV7_Member"),
    Label(ControlNumber(0x149f), "标签8", kServer, {8, 112, 72, 20}, "数据库文件："),
    Edit(kNoticeDatabaseBox, "编辑框7", kServer, {80, 112, 184, 20}, "KV7_SiteConfig"),
    Label(ControlNumber(0x14aa), "标签9", kServer, {8, 136, 72, 20}, "数据库文件："),
    Edit(kGameDatabaseBox, "编辑框8", kServer, {80, 136, 184, 20}, "KV7_User"),

    // 分组框4: currency top-up.
    Label(ControlNumber(0x1574), "标签1", kTopUp, {8, 8, 80, 20}, "游戏帐号："),
    Edit(kTopUpAccountBox, "编辑框1", kTopUp, {72, 8, 128, 20}),
    Label(ControlNumber(0x1573), "标签2", kTopUp, {8, 32, 80, 20}, "货币数量："),
    Edit(kTopUpAmountBox, "编辑框2", kTopUp, {72, 32, 128, 20}),
    Label(ControlNumber(0x156e), "标签3", kTopUp, {8, 56, 64, 20}, "货币类型："),
    List(kCurrencyKindList, "组合框1", kTopUp, {72, 56, 128, 20},
         BindEvent0<&OnCurrencyKindSelected>, kCurrencyKinds, true),
    Button(kTopUpButton, "按钮1", kTopUp, {8, 80, 192, 24}, "未连接",
           BindEvent0<&AddAccountCurrency>, true),

    // 分组框2: notices.
    Tab(kNoticeTabs, "选择夹1", kNotices, {8, 16, 464, 176}, kNoticePages),
    {.id = kNoticeHint,
     .kind = ControlKind::kLabel,
     .name = "标签10",
     .parent = kNotices,
     .rect = {8, 192, 456, 24},
     .text = "-----------------------------Tips：公告内容请勿回车换行"
             "-----------------------------",
     .disabled = true,
     .text_color = frame::kYellow,
     .background_color = frame::kBlack},

    // 选择夹1 page 0: channel notices.
    RichEdit(kChannelNoticeText, "超级编辑框1", kChannelPage, {8, 24, 296, 104},
             "当前线路公告读取中..."),
    LogBox(kChannelLog, "编辑框9", kChannelPage, {312, 24, 144, 96}),
    Label(ControlNumber(0x16a5), "标签40", kChannelPage, {8, 128, 136, 20},
          "当前游戏公告线路编号："),
    List(kChannelList, "组合框7", kChannelPage, {144, 128, 160, 20},
         BindEvent0<&OnChannelSelected>),
    Button(kChannelUpdateButton, "按钮4", kChannelPage, {312, 128, 144, 40}, "执行修改命令",
           BindEvent0<&UpdateChannelNotice>),
    Label(ControlNumber(0x16a7), "标签41", kChannelPage, {8, 152, 104, 20}, "线路底部显示内容："),
    Edit(kChannelListNoticeBox, "编辑框32", kChannelPage, {112, 152, 192, 20}, "NULL"),

    // 选择夹1 page 1: edit a timed announcement.
    RichEdit(kEditNoticeText, "超级编辑框2", kEditNoticePage, {8, 24, 296, 96},
             "当前游戏公告读取中...默认读取第一项定时公告"),
    LogBox(kEditNoticeLog, "编辑框10", kEditNoticePage, {312, 24, 144, 96}),
    Label(ControlNumber(0x15c1), "标签27", kEditNoticePage, {8, 120, 56, 20}, "开始时间："),
    Numeric(kEditNoticeStartBox, "编辑框22", kEditNoticePage, {64, 120, 96, 20}, "2015-01-01"),
    Label(ControlNumber(0x15c3), "标签28", kEditNoticePage, {160, 120, 56, 20}, "结束时间："),
    Numeric(kEditNoticeEndBox, "编辑框23", kEditNoticePage, {216, 120, 88, 20}, "2016-01-01"),
    Button(kEditNoticeButton, "按钮5", kEditNoticePage, {312, 128, 144, 40}, "执行修改命令",
           BindEvent0<&UpdateTimedNotice>),
    Label(ControlNumber(0x14ea), "标签11", kEditNoticePage, {8, 144, 80, 20}, "公告编号："),
    List(kEditNoticeList, "组合框2", kEditNoticePage, {88, 144, 56, 20},
         BindEvent0<&OnEditNoticeSelected>),
    Label(ControlNumber(0x150b), "标签12", kEditNoticePage, {144, 144, 80, 20}, "公告循环周期："),
    Numeric(kEditNoticePeriodBox, "编辑框11", kEditNoticePage, {224, 144, 64, 20}),
    Label(ControlNumber(0x1517), "标签13", kEditNoticePage, {288, 144, 16, 20}, "秒"),

    // 选择夹1 page 2: add a timed announcement.
    RichEdit(kAddNoticeText, "超级编辑框3", kAddNoticePage, {8, 24, 288, 88},
             "请输入公告内容...Event编号勿重复,建议输入20以上的数值"),
    LogBox(kAddNoticeLog, "编辑框12", kAddNoticePage, {312, 24, 144, 96}),
    Label(ControlNumber(0x1528), "标签17", kAddNoticePage, {8, 120, 56, 20}, "开始时间："),
    Numeric(kAddNoticeStartBox, "编辑框15", kAddNoticePage, {64, 120, 96, 20}, "2015-01-01"),
    Label(ControlNumber(0x152a), "标签18", kAddNoticePage, {160, 120, 56, 20}, "结束时间："),
    Numeric(kAddNoticeEndBox, "编辑框16", kAddNoticePage, {216, 120, 88, 20}, "2016-01-01"),
    Button(kAddNoticeButton, "按钮6", kAddNoticePage, {312, 128, 144, 40}, "执行添加命令",
           BindEvent0<&InsertTimedNotice>),
    Label(ControlNumber(0x151e), "标签14", kAddNoticePage, {8, 144, 80, 20}, "Event编号："),
    Numeric(kAddNoticeNumberBox, "编辑框13", kAddNoticePage, {88, 144, 56, 20}),
    Label(ControlNumber(0x1520), "标签15", kAddNoticePage, {144, 144, 80, 20}, "公告循环周期："),
    Numeric(kAddNoticePeriodBox, "编辑框14", kAddNoticePage, {224, 144, 64, 20}, "100"),
    Label(ControlNumber(0x1522), "标签16", kAddNoticePage, {288, 144, 16, 20}, "秒"),

    // 选择夹1 page 3: delete timed announcements.
    Label(ControlNumber(0x1531), "标签19", kDeleteNoticePage, {0, 24, 128, 20},
          "选择要删除的公告编号："),
    List(kDeleteNoticeList, "组合框3", kDeleteNoticePage, {136, 24, 72, 20},
         BindEvent0<&OnDeleteNoticeSelected>),
    Label(ControlNumber(0x153d), "标签20", kDeleteNoticePage, {208, 24, 96, 20}, "当前公告内容↓"),
    LogBox(kDeleteNoticeLog, "编辑框17", kDeleteNoticePage, {312, 24, 144, 88}),
    RichEdit(kDeleteNoticeText, "超级编辑框4", kDeleteNoticePage, {8, 48, 296, 120},
             "当前游戏公告读取中...默认读取第一项定时公告"),
    Button(kDeleteNoticeButton, "按钮8", kDeleteNoticePage, {312, 120, 144, 24}, "执行单个删除命令",
           BindEvent0<&DeleteTimedNotice>),
    Button(kDeleteAllNoticesButton, "按钮7", kDeleteNoticePage, {312, 144, 144, 24},
           "执行全部删除命令", BindEvent0<&DeleteAllTimedNotices>),

    // 分组框3: multiplier events.
    Tab(kMultiplierTabs, "选择夹2", kSettings, {8, 16, 464, 112}, kMultiplierPages),

    // 选择夹2 page 0: gold.
    Label(ControlNumber(0x1597), "标签22", kGoldPage, {8, 24, 56, 20}, "当前倍数："),
    ReadOnly(kGoldCurrentBox, "编辑框18", kGoldPage, {64, 24, 136, 20}),
    Label(ControlNumber(0x159d), "标签24", kGoldPage, {200, 24, 88, 20}, "金币Event编号："),
    List(kGoldEventList, "组合框4", kGoldPage, {288, 24, 168, 20},
         BindEvent0<&OnGoldEventSelected>),
    Label(ControlNumber(0x1599), "标签23", kGoldPage, {8, 48, 56, 20}, "修改倍数："),
    Numeric(kGoldNewBox, "编辑框19", kGoldPage, {64, 48, 136, 20}, "100"),
    Label(ControlNumber(0x15ad), "标签25", kGoldPage, {200, 48, 88, 20}, "Event开始时间："),
    Numeric(kGoldStartBox, "编辑框20", kGoldPage, {288, 48, 168, 20}),
    Button(kGoldSubmitButton, "按钮9", kGoldPage, {8, 72, 96, 24}, "提交数据",
           BindEvent0<&SubmitGoldEvent>, true),
    Button(kGoldLoadButton, "按钮10", kGoldPage, {104, 72, 96, 24}, "读取数据",
           BindEvent0<&OnGoldLoadClick>),
    Label(ControlNumber(0x15af), "标签26", kGoldPage, {200, 72, 88, 20}, "Event结束时间："),
    Numeric(kGoldEndBox, "编辑框21", kGoldPage, {288, 72, 168, 20}),

    // 选择夹2 page 1: experience.
    Label(ControlNumber(0x1614), "标签29", kExpPage, {8, 24, 56, 20}, "当前倍数："),
    ReadOnly(kExpCurrentBox, "编辑框24", kExpPage, {64, 24, 136, 20}),
    Label(ControlNumber(0x1618), "标签31", kExpPage, {200, 24, 88, 20}, "经验Event编号："),
    List(kExpEventList, "组合框5", kExpPage, {288, 24, 168, 20}, BindEvent0<&OnExpEventSelected>),
    Label(ControlNumber(0x1615), "标签30", kExpPage, {8, 48, 56, 20}, "修改倍数："),
    Numeric(kExpNewBox, "编辑框25", kExpPage, {64, 48, 136, 20}, "100"),
    Label(ControlNumber(0x1619), "标签32", kExpPage, {200, 48, 88, 20}, "Event开始时间："),
    Numeric(kExpStartBox, "编辑框26", kExpPage, {288, 48, 168, 20}),
    Button(kExpSubmitButton, "按钮11", kExpPage, {8, 72, 96, 24}, "提交数据",
           BindEvent0<&SubmitExpEvent>, true),
    Button(kExpLoadButton, "按钮12", kExpPage, {104, 72, 96, 24}, "读取数据",
           BindEvent0<&OnExpLoadClick>),
    Label(ControlNumber(0x161a), "标签33", kExpPage, {200, 72, 88, 20}, "Event结束时间："),
    Numeric(kExpEndBox, "编辑框27", kExpPage, {288, 72, 168, 20}),

    // 选择夹2 page 2: drop.
    Label(ControlNumber(0x1620), "标签34", kDropPage, {8, 24, 56, 20}, "当前倍数："),
    ReadOnly(kDropCurrentBox, "编辑框28", kDropPage, {64, 24, 136, 20}),
    Label(ControlNumber(0x1624), "标签36", kDropPage, {200, 24, 88, 20}, "掉宝Event编号："),
    List(kDropEventList, "组合框6", kDropPage, {288, 24, 168, 20},
         BindEvent0<&OnDropEventSelected>),
    Label(ControlNumber(0x1621), "标签35", kDropPage, {8, 48, 56, 20}, "修改倍数："),
    Numeric(kDropNewBox, "编辑框29", kDropPage, {64, 48, 136, 20}, "100"),
    Label(ControlNumber(0x1625), "标签37", kDropPage, {200, 48, 88, 20}, "Event开始时间："),
    Numeric(kDropStartBox, "编辑框30", kDropPage, {288, 48, 168, 20}),
    Button(kDropSubmitButton, "按钮13", kDropPage, {8, 72, 96, 24}, "提交数据",
           BindEvent0<&SubmitDropEvent>, true),
    Button(kDropLoadButton, "按钮14", kDropPage, {104, 72, 96, 24}, "读取数据",
           BindEvent0<&OnDropLoadClick>),
    Label(ControlNumber(0x1626), "标签38", kDropPage, {200, 72, 88, 20}, "Event结束时间："),
    Numeric(kDropEndBox, "编辑框31", kDropPage, {288, 72, 168, 20}),

    // 分组框5: the account query row in 分组框6.
    Group(kQueryPanel, "分组框6", kPlayer, {8, 13, 536, 28}, ""),
    Edit(kQueryAccountBox, "编辑框33", kQuery, {62, 6, 90, 20}),
    Label(ControlNumber(0x16f8), "标签42", kQuery, {2, 7, 64, 18}, "游戏帐号："),
    Button(kQueryButton, "按钮2", kQuery, {155, 7, 96, 20}, "查询该帐号数据",
           BindEvent0<&QueryAccount>),
    Label(ControlNumber(0x1712), "标签39", kQuery, {254, 7, 56, 18}, "帐号Key："),

    // 分组框5, row by row: yellow marks the account, magenta the character's
    // appearance, cyan its statistics.
    ReadOnly(kAccountKeyBox, "编辑框34", kPlayer, {312, 19, 230, 20}),
    ColoredLabel(ControlNumber(0x1758), "标签48", kPlayer, {8, 48, 96, 20}, "帐号龙币(酷币)：",
                 frame::kYellow),
    Numeric(kAccountCashBox, "编辑框39", kPlayer, {104, 48, 80, 20}),
    ColoredLabel(ControlNumber(0x175a), "标签49", kPlayer, {184, 48, 96, 20}, "帐号积分(红利)：",
                 frame::kYellow),
    Numeric(kAccountBonusCashBox, "编辑框40", kPlayer, {280, 48, 80, 20}),
    ColoredLabel(ControlNumber(0x175c), "标签50", kPlayer, {360, 48, 144, 20},
                 "性别1=男，2=女(没卵用)：", frame::kYellow),
    Numeric(kAccountGenderBox, "编辑框41", kPlayer, {504, 48, 40, 20}, "", 1),
    ColoredLabel(ControlNumber(0x173d), "标签43", kPlayer, {8, 72, 56, 20}, "帐号角色：",
                 frame::kMagenta),
    List(kCharacterList, "组合框8", kPlayer, {64, 72, 128, 20}, BindEvent0<&OnCharacterSelected>),
    ColoredLabel(ControlNumber(0x1740), "标签44", kPlayer, {192, 72, 56, 20}, "角色ID码：",
                 frame::kMagenta),
    ReadOnly(kCharacterIdBox, "编辑框35", kPlayer, {248, 72, 296, 20}),
    ColoredLabel(ControlNumber(0x1752), "标签45", kPlayer, {8, 96, 128, 20},
                 "角色状态(0=显，1=隐)：", frame::kMagenta),
    Numeric(kCharacterStateBox, "编辑框36", kPlayer, {136, 96, 56, 20}, "", 1),
    ColoredLabel(ControlNumber(0x1754), "标签46", kPlayer, {192, 96, 56, 20}, "角色名字：",
                 frame::kMagenta),
    Edit(kCharacterNameBox, "编辑框37", kPlayer, {248, 96, 120, 20}),
    ColoredLabel(ControlNumber(0x1756), "标签47", kPlayer, {368, 96, 128, 20},
                 "角色性别(1=男，2=女)：", frame::kMagenta),
    Numeric(kCharacterGenderBox, "编辑框38", kPlayer, {496, 96, 48, 20}, "", 1),
    ColoredLabel(ControlNumber(0x1780), "标签51", kPlayer, {8, 120, 40, 20}, "发型：",
                 frame::kMagenta),
    Numeric(kHairBox, "编辑框42", kPlayer, {48, 120, 80, 20}),
    ColoredLabel(ControlNumber(0x1782), "标签52", kPlayer, {128, 120, 40, 20}, "发色：",
                 frame::kMagenta),
    Numeric(kHairColorBox, "编辑框43", kPlayer, {168, 120, 80, 20}),
    ColoredLabel(ControlNumber(0x1784), "标签53", kPlayer, {248, 120, 40, 20}, "脸型：",
                 frame::kMagenta),
    Numeric(kFaceBox, "编辑框44", kPlayer, {288, 120, 80, 20}),
    ColoredLabel(ControlNumber(0x1786), "标签54", kPlayer, {368, 120, 40, 20}, "衣服：",
                 frame::kMagenta),
    Numeric(kClothesBox, "编辑框45", kPlayer, {408, 120, 136, 20}),
    ColoredLabel(ControlNumber(0x1788), "标签55", kPlayer, {8, 144, 40, 20}, "鞋子：",
                 frame::kMagenta),
    Numeric(kShoesBox, "编辑框46", kPlayer, {48, 144, 80, 20}),
    ColoredLabel(ControlNumber(0x178a), "标签56", kPlayer, {128, 144, 40, 20}, "裤子：",
                 frame::kMagenta),
    Numeric(kTrousersBox, "编辑框47", kPlayer, {168, 144, 80, 20}),
    ColoredLabel(ControlNumber(0x178c), "标签57", kPlayer, {248, 144, 40, 20}, "手套：",
                 frame::kMagenta),
    Numeric(kGlovesBox, "编辑框48", kPlayer, {288, 144, 80, 20}),
    ColoredLabel(ControlNumber(0x178e), "标签58", kPlayer, {368, 144, 40, 20}, "职业：",
                 frame::kCyan),
    Numeric(kClassBox, "编辑框49", kPlayer, {408, 144, 48, 20}),
    ColoredLabel(ControlNumber(0x1790), "标签59", kPlayer, {456, 144, 40, 20}, "等级：",
                 frame::kCyan),
    Numeric(kLevelBox, "编辑框50", kPlayer, {496, 144, 48, 20}),
    ColoredLabel(ControlNumber(0x1794), "标签60", kPlayer, {8, 168, 40, 20}, "EXP值：",
                 frame::kCyan),
    Numeric(kExpBox, "编辑框51", kPlayer, {48, 168, 80, 20}),
    ColoredLabel(ControlNumber(0x1796), "标签61", kPlayer, {128, 168, 40, 20}, "金钱：",
                 frame::kCyan),
    Numeric(kMoneyBox, "编辑框52", kPlayer, {168, 168, 80, 20}),
    ColoredLabel(ControlNumber(0x1798), "标签62", kPlayer, {248, 168, 40, 20}, "HP值：",
                 frame::kCyan),
    Numeric(kHpBox, "编辑框53", kPlayer, {288, 168, 80, 20}),
    ColoredLabel(ControlNumber(0x179a), "标签63", kPlayer, {368, 168, 40, 20}, "MP值：",
                 frame::kCyan),
    Numeric(kMpBox, "编辑框54", kPlayer, {408, 168, 136, 20}),
    ColoredLabel(ControlNumber(0x179e), "标签64", kPlayer, {8, 192, 48, 20}, "荣誉点：",
                 frame::kCyan),
    Numeric(kHonorBox, "编辑框55", kPlayer, {56, 192, 80, 20}),
    ColoredLabel(ControlNumber(0x17a0), "标签65", kPlayer, {128, 192, 48, 20}, "技能点：",
                 frame::kCyan),
    Numeric(kSkillPointBox, "编辑框56", kPlayer, {176, 192, 72, 20}),
    ColoredLabel(ControlNumber(0x17a2), "标签66", kPlayer, {248, 192, 40, 20}, "地图：",
                 frame::kCyan),
    Numeric(kMapBox, "编辑框57", kPlayer, {288, 192, 80, 20}),
    ColoredLabel(ControlNumber(0x17a4), "标签67", kPlayer, {368, 192, 72, 20}, "额外总点数：",
                 frame::kCyan),
    Numeric(kBonusPointBox, "编辑框58", kPlayer, {440, 192, 104, 20}, "", 5),
    ColoredLabel(ControlNumber(0x17a9), "标签69", kPlayer, {8, 216, 64, 20}, "额外力点：",
                 frame::kCyan),
    Numeric(kStrengthBox, "编辑框59", kPlayer, {72, 216, 64, 20}, "", 5),
    ColoredLabel(ControlNumber(0x17ab), "标签70", kPlayer, {136, 216, 64, 20}, "额外智点：",
                 frame::kCyan),
    Numeric(kIntellectBox, "编辑框60", kPlayer, {200, 216, 72, 20}, "", 5),
    ColoredLabel(ControlNumber(0x17ad), "标签71", kPlayer, {272, 216, 64, 20}, "额外敏点：",
                 frame::kCyan),
    Numeric(kAgilityBox, "编辑框61", kPlayer, {336, 216, 72, 20}, "", 5),
    ColoredLabel(ControlNumber(0x17af), "标签72", kPlayer, {408, 216, 64, 20}, "额外体点：",
                 frame::kCyan),
    Numeric(kVitalityBox, "编辑框62", kPlayer, {472, 216, 72, 20}, "", 5),
    Group(kSubmitPanel, "分组框7", kPlayer, {8, 240, 536, 32}, ""),

    // 分组框7: the four submits.
    Button(kSubmitYellowButton, "按钮3", kSubmits, {8, 8, 120, 20}, "提交黄色区域数据",
           BindEvent0<&OnSubmitYellowClick>),
    Button(kSubmitPurpleButton, "按钮15", kSubmits, {136, 8, 120, 20}, "提交紫色区域数据",
           BindEvent0<&OnSubmitPurpleClick>),
    Button(kSubmitCyanButton, "按钮16", kSubmits, {264, 8, 120, 20}, "提交青色区域数据",
           BindEvent0<&OnSubmitCyanClick>),
    Button(kSubmitAllButton, "按钮17", kSubmits, {392, 8, 136, 20}, "提交所有区域数据",
           BindEvent0<&OnSubmitAllClick>),
};

constexpr frame::MenuItemDefinition kMenu[] = {
    {.id = kProgramMenu, .level = 0, .caption = "程序"},
    {.id = kConnectItem, .level = 1, .caption = "工具连接MSSQL", .handler = &OnConnectMenu},
    {.id = kExitItem, .level = 1, .caption = "退出工具", .handler = &ConfirmExit},
    {.id = kAboutMenu, .level = 0, .caption = "关于"},
    {.id = kAboutItem, .level = 1, .caption = "供服务器管理员使用的 GM 管理工具"},
};

// gmdesk has a start routine and an on-exit routine; neither has work to do.
void StartRoutine() {}
void ExitRoutine() {}

constexpr const frame::WindowDefinition* kWindows[] = {&kMainWindowDefinition};

}  // namespace

const frame::WindowDefinition kMainWindowDefinition{
    .id = kMainWindow,
    .title = "霜月奇谭工具v4.0【1510011924A版】",
    .rect = {50, 50, 1039, 631},
    .events = BindEvent0<&LoadServerConfig>,
    .controls = kControls,
    .menu = kMenu,
};

const frame::Program kProgram{
    .windows = kWindows,
    .start_routine = &StartRoutine,
    .exit_routine = &ExitRoutine,
};

}  // namespace gmdesk
