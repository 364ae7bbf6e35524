#include "tests/qt/gmdesk_window_outline.h"

#include <string_view>

namespace gmdesk_window_outline {
namespace {

using frame::Color;
using frame::ComboStyle;
using frame::ControlDefinition;
using frame::ControlKind;
using frame::FontSpec;
using frame::InGroup;
using frame::InputMode;
using frame::InWindow;
using frame::OnPage;
using frame::ParentRef;
using frame::Rect;

constexpr ControlDefinition Unit(ControlKind kind, uint16_t id, ParentRef parent, Rect rect,
                                 std::string_view text = {}) {
  return {.id = ControlNumber(id), .kind = kind, .parent = parent, .rect = rect, .text = text};
}
constexpr ControlDefinition Label(uint16_t id, ParentRef parent, Rect rect, std::string_view text) {
  return Unit(ControlKind::kLabel, id, parent, rect, text);
}
constexpr ControlDefinition Edit(uint16_t id, ParentRef parent, Rect rect,
                                 std::string_view text = {}, InputMode mode = InputMode::kNormal,
                                 int32_t max_length = 0) {
  ControlDefinition edit = Unit(ControlKind::kEditBox, id, parent, rect, text);
  edit.input_mode = mode;
  edit.max_length = max_length;
  edit.tab_stop = true;
  return edit;
}
constexpr ControlDefinition Numeric(uint16_t id, ParentRef parent, Rect rect,
                                    std::string_view text = {}, int32_t max_length = 0) {
  return Edit(id, parent, rect, text, InputMode::kNumeric, max_length);
}
// A page's log: read-only, multi-line, green on black.
constexpr ControlDefinition LogBox(uint16_t id, ParentRef parent, Rect rect) {
  ControlDefinition log = Edit(id, parent, rect, {}, InputMode::kReadOnly);
  log.multi_line = true;
  log.vertical_scroll = true;
  log.text_color = frame::kGreen;
  log.background_color = frame::kBlack;
  return log;
}
constexpr ControlDefinition Button(uint16_t id, ParentRef parent, Rect rect, std::string_view text,
                                   bool disabled = false) {
  ControlDefinition button = Unit(ControlKind::kButton, id, parent, rect, text);
  button.disabled = disabled;
  button.tab_stop = true;
  return button;
}
constexpr ControlDefinition Group(uint16_t id, ParentRef parent, Rect rect, std::string_view text,
                                  bool disabled = false) {
  ControlDefinition group = Unit(ControlKind::kGroupBox, id, parent, rect, text);
  group.disabled = disabled;
  return group;
}
constexpr ControlDefinition Combo(uint16_t id, ParentRef parent, Rect rect,
                                  std::span<const std::string_view> items = {},
                                  ComboStyle style = ComboStyle::kDropDownList,
                                  bool disabled = false) {
  ControlDefinition combo = Unit(ControlKind::kComboBox, id, parent, rect);
  combo.items = items;
  combo.combo_style = style;
  combo.disabled = disabled;
  combo.tab_stop = true;
  return combo;
}
constexpr ControlDefinition Tab(uint16_t id, ParentRef parent, Rect rect,
                                std::span<const std::string_view> pages) {
  ControlDefinition tab = Unit(ControlKind::kTab, id, parent, rect);
  tab.items = pages;
  return tab;
}
constexpr ControlDefinition Colored(ControlDefinition control, Color text,
                                    std::optional<Color> background = frame::kBlack) {
  control.text_color = text;
  control.background_color = background;
  return control;
}

// gmdesk

constexpr auto kGmServer = InGroup(ControlNumber(0x0008));
constexpr auto kGmTopUp = InGroup(ControlNumber(0x156c));
constexpr auto kGmNotices = InGroup(ControlNumber(0x149e));
constexpr auto kGmNoticePage = OnPage(ControlNumber(0x14c8), 0);
constexpr auto kGmSettings = InGroup(ControlNumber(0x1568));
constexpr auto kGmGoldPage = OnPage(ControlNumber(0x1569), 0);
constexpr auto kGmPlayers = InGroup(ControlNumber(0x162c));
constexpr auto kGmQueryRow = InGroup(ControlNumber(0x16f7));
constexpr auto kGmSubmitRow = InGroup(ControlNumber(0x17b1));

constexpr std::string_view kCurrencyKinds[] = {"龙币(酷币)", "积分(红利)"};
constexpr std::string_view kNoticePages[] = {"修改线路公告", "修改定时公告", "添加定时公告",
                                             "删除定时公告"};
constexpr std::string_view kMultiplierPages[] = {"金币倍数设置", "经验倍数设置", "掉落倍数设置"};

constexpr ControlDefinition Banner() {
  ControlDefinition banner = Colored(
      Label(0x157d, InWindow(), {272, 112, 208, 64}, "霜月奇谭工具\r\n游戏管理控制台\r\n请勿外传"),
      frame::kRed);
  banner.font = FontSpec{.family = "微软雅黑", .height_pixels = 16, .bold = true};
  return banner;
}

constexpr ControlDefinition kGmControls[] = {
    Group(0x0008, InWindow(), {0, 0, 272, 168}, "服务器配置"),
    Unit(ControlKind::kDBConnection, 0x15ab, InWindow(), {264, 0, 26, 26}),
    Group(0x156c, InWindow(), {272, 0, 208, 112}, ""),
    Unit(ControlKind::kRecordSet, 0x15a5, InWindow(), {336, 0, 26, 26}),
    Group(0x162c, InWindow(), {480, 0, 552, 552}, "玩家管理", true),
    Banner(),
    Group(0x149e, InWindow(), {0, 184, 480, 224}, "修改游戏公告", true),
    Group(0x1568, InWindow(), {0, 416, 480, 136}, "游戏基本设置", true),
    Colored(Label(0x17a6, InWindow(), {0, 552, 1032, 24},
                  "数值请勿过高以防溢出错误，已知金币：999999999999999999丨荣誉点：999999999丨"
                  "技能点：9999丨额外总点数(力智体敏同)：30000丨"
                  "小学生非主流喜欢带特殊符号的名字会读取失败"),
            frame::kYellow),
    // 服务器配置
    Label(0x000f, kGmServer, {8, 16, 72, 20}, "服务器源："),
    Edit(0x0010, kGmServer, {80, 16, 184, 20}, "127.0.0.1,1433"),
    Label(0x000d, kGmServer, {8, 40, 72, 20}, "服务器帐号："),
    Edit(0x0011, kGmServer, {80, 40, 184, 20}, "sa"),
    Label(0x000e, kGmServer, {8, 64, 72, 20}, "服务器密码："),
    Edit(0x0013, kGmServer, {80, 64, 184, 20}, "582069", InputMode::kPassword),
    Label(0x000c, kGmServer, {8, 88, 72, 20}, "数据库文件："),
    Edit(0x0014, kGmServer, {80, 88, 184, 20}, "KV7_Member"),
    Label(0x149f, kGmServer, {8, 112, 72, 20}, "数据库文件："),
    Edit(0x14a0, kGmServer, {80, 112, 184, 20}, "KV7_SiteConfig"),
    Label(0x14aa, kGmServer, {8, 136, 72, 20}, "数据库文件："),
    Edit(0x14ab, kGmServer, {80, 136, 184, 20}, "KV7_User"),
    // The top-up panel
    Label(0x1574, kGmTopUp, {8, 8, 80, 20}, "游戏帐号："),
    Edit(0x1572, kGmTopUp, {72, 8, 128, 20}),
    Label(0x1573, kGmTopUp, {8, 32, 80, 20}, "货币数量："),
    Edit(0x1571, kGmTopUp, {72, 32, 128, 20}),
    Label(0x156e, kGmTopUp, {8, 56, 64, 20}, "货币类型："),
    Combo(0x156d, kGmTopUp, {72, 56, 128, 20}, kCurrencyKinds, ComboStyle::kDropDownList, true),
    Button(0x1570, kGmTopUp, {8, 80, 192, 24}, "未连接", true),
    // 修改游戏公告, page 0
    Tab(0x14c8, kGmNotices, {8, 16, 464, 176}, kNoticePages),
    Colored(Label(0x14ca, kGmNotices, {8, 192, 456, 24},
                  "-----------------------------Tips：公告内容请勿回车换行"
                  "-----------------------------"),
            frame::kYellow),
    Unit(ControlKind::kRichEdit, 0x14c9, kGmNoticePage, {8, 24, 296, 104}, "当前线路公告读取中..."),
    LogBox(0x1560, kGmNoticePage, {312, 24, 144, 96}),
    Label(0x16a5, kGmNoticePage, {8, 128, 136, 20}, "当前游戏公告线路编号："),
    Combo(0x16a6, kGmNoticePage, {144, 128, 160, 20}),
    Button(0x14cd, kGmNoticePage, {312, 128, 144, 40}, "执行修改命令"),
    Label(0x16a7, kGmNoticePage, {8, 152, 104, 20}, "线路底部显示内容："),
    Edit(0x16a4, kGmNoticePage, {112, 152, 192, 20}, "NULL"),
    // 游戏基本设置, page 0
    Tab(0x1569, kGmSettings, {8, 16, 464, 112}, kMultiplierPages),
    Label(0x1597, kGmGoldPage, {8, 24, 56, 20}, "当前倍数："),
    Edit(0x1598, kGmGoldPage, {64, 24, 136, 20}, {}, InputMode::kReadOnly),
    Label(0x159d, kGmGoldPage, {200, 24, 88, 20}, "金币Event编号："),
    Combo(0x159c, kGmGoldPage, {288, 24, 168, 20}),
    Label(0x1599, kGmGoldPage, {8, 48, 56, 20}, "修改倍数："),
    Numeric(0x159a, kGmGoldPage, {64, 48, 136, 20}, "100"),
    Label(0x15ad, kGmGoldPage, {200, 48, 88, 20}, "Event开始时间："),
    Numeric(0x15ae, kGmGoldPage, {288, 48, 168, 20}),
    Button(0x159b, kGmGoldPage, {8, 72, 96, 24}, "提交数据", true),
    Button(0x15b1, kGmGoldPage, {104, 72, 96, 24}, "读取数据"),
    Label(0x15af, kGmGoldPage, {200, 72, 88, 20}, "Event结束时间："),
    Numeric(0x15b0, kGmGoldPage, {288, 72, 168, 20}),
    // 玩家管理: the query row, the first rows, the last row and the submit row
    Edit(0x16fb, kGmQueryRow, {62, 6, 90, 20}),
    Label(0x16f8, kGmQueryRow, {2, 7, 64, 18}, "游戏帐号："),
    Button(0x16fc, kGmQueryRow, {155, 7, 96, 20}, "查询该帐号数据"),
    Label(0x1712, kGmQueryRow, {254, 7, 56, 18}, "帐号Key："),
    Group(0x16f7, kGmPlayers, {8, 13, 536, 28}, ""),
    Edit(0x1704, kGmPlayers, {312, 19, 230, 20}, {}, InputMode::kReadOnly),
    Colored(Label(0x1758, kGmPlayers, {8, 48, 96, 20}, "帐号龙币(酷币)："), frame::kYellow),
    Numeric(0x1759, kGmPlayers, {104, 48, 80, 20}),
    Colored(Label(0x175a, kGmPlayers, {184, 48, 96, 20}, "帐号积分(红利)："), frame::kYellow),
    Numeric(0x175b, kGmPlayers, {280, 48, 80, 20}),
    Colored(Label(0x175c, kGmPlayers, {360, 48, 144, 20}, "性别1=男，2=女(没卵用)："),
            frame::kYellow),
    Numeric(0x175d, kGmPlayers, {504, 48, 40, 20}, {}, 1),
    Colored(Label(0x173d, kGmPlayers, {8, 72, 56, 20}, "帐号角色："), frame::kMagenta),
    Combo(0x173e, kGmPlayers, {64, 72, 128, 20}),
    Colored(Label(0x1740, kGmPlayers, {192, 72, 56, 20}, "角色ID码："), frame::kMagenta),
    Edit(0x1741, kGmPlayers, {248, 72, 296, 20}, {}, InputMode::kReadOnly),
    Colored(Label(0x1794, kGmPlayers, {8, 168, 40, 20}, "EXP值："), frame::kCyan),
    Numeric(0x1795, kGmPlayers, {48, 168, 80, 20}),
    Colored(Label(0x179a, kGmPlayers, {368, 168, 40, 20}, "MP值："), frame::kCyan),
    Numeric(0x179b, kGmPlayers, {408, 168, 136, 20}),
    Colored(Label(0x17a9, kGmPlayers, {8, 216, 64, 20}, "额外力点："), frame::kCyan),
    Numeric(0x17aa, kGmPlayers, {72, 216, 64, 20}, {}, 5),
    Colored(Label(0x17af, kGmPlayers, {408, 216, 64, 20}, "额外体点："), frame::kCyan),
    Numeric(0x17b0, kGmPlayers, {472, 216, 72, 20}, {}, 5),
    Group(0x17b1, kGmPlayers, {8, 240, 536, 32}, ""),
    Button(0x186f, kGmSubmitRow, {8, 8, 120, 20}, "提交黄色区域数据"),
    Button(0x1872, kGmSubmitRow, {136, 8, 120, 20}, "提交紫色区域数据"),
    Button(0x1873, kGmSubmitRow, {264, 8, 120, 20}, "提交青色区域数据"),
    Button(0x1874, kGmSubmitRow, {392, 8, 136, 20}, "提交所有区域数据"),
};

constexpr frame::MenuItemDefinition kGmMenu[] = {
    {.id = frame::MenuItemNumber(0x1697), .level = 0, .caption = "程序"},
    {.id = frame::MenuItemNumber(0x1698), .level = 1, .caption = "工具连接MSSQL"},
    {.id = frame::MenuItemNumber(0x16e3), .level = 1, .caption = "退出工具"},
    {.id = frame::MenuItemNumber(0x16e5), .level = 0, .caption = "关于"},
    {.id = frame::MenuItemNumber(0x16e6), .level = 1, .caption = "作者联系方式"},
};

constexpr const frame::WindowDefinition* kWindows[] = {&kWindow};

}  // namespace

const frame::WindowDefinition kWindow{
    .title = "霜月奇谭工具v4.0【1510011924A版】",
    .rect = {50, 50, 1039, 631},
    .controls = kGmControls,
    .menu = kGmMenu,
};

const frame::Program kProgram{.windows = kWindows};

}  // namespace gmdesk_window_outline
