#include "tests/support/test_window.h"

#include <string_view>

#include "frame/services/control_services.h"

namespace test_window {
namespace {

using frame::BindEvent0;
using frame::ControlDefinition;
using frame::ControlKind;
using frame::InGroup;
using frame::InputMode;
using frame::OnPage;

std::mutex log_mutex;
std::vector<std::string> log_entries;
Hooks the_hooks;

void Run(const std::function<void()>& hook) {
  if (hook) hook();
}

void OnStart() {
  Note("start");
}
void OnExitRoutine() {
  Note("exit routine");
  Run(the_hooks.exit_routine);
}
void OnCreated() {
  Note("created");
  Run(the_hooks.created);
}
void OnButton() {
  Note("button");
  Run(the_hooks.button);
}
void OnInnerButton() {
  Note("inner button");
}
void OnPageButton() {
  Note("page button");
}
void OnLabel() {
  Note("label");
}
void OnCombo() {
  Note("combo");
  Run(the_hooks.combo);
}
void OnMenu() {
  Note("menu");
  Run(the_hooks.menu);
}

constexpr std::string_view kPages[] = {"一", "二"};
constexpr std::string_view kComboItems[] = {"甲", "乙", "丙"};
constexpr std::string_view kAmounts[] = {"10", "20"};

constexpr ControlDefinition kControls[] = {
    {.id = kPanel,
     .kind = ControlKind::kGroupBox,
     .name = "分组框1",
     .rect = {0, 0, 200, 200},
     .text = "面板"},
    {.id = kInnerPanel,
     .kind = ControlKind::kGroupBox,
     .name = "分组框2",
     .parent = InGroup(kPanel),
     .rect = {8, 16, 180, 60}},
    {.id = kInnerButton,
     .kind = ControlKind::kButton,
     .name = "按钮2",
     .parent = InGroup(kInnerPanel),
     .rect = {8, 16, 80, 24},
     .text = "里面",
     .events = BindEvent0<&OnInnerButton>},
    {.id = kTabs,
     .kind = ControlKind::kTab,
     .name = "选择夹1",
     .parent = InGroup(kPanel),
     .rect = {8, 80, 180, 100},
     .items = kPages},
    {.id = kPageButton,
     .kind = ControlKind::kButton,
     .name = "按钮3",
     .parent = OnPage(kTabs, 1),
     .rect = {8, 24, 80, 24},
     .text = "第二页",
     .events = BindEvent0<&OnPageButton>},
    {.id = kButton,
     .kind = ControlKind::kButton,
     .name = "按钮1",
     .rect = {210, 0, 80, 24},
     .text = "确定",
     .events = BindEvent0<&OnButton>},
    {.id = kDisabledButton,
     .kind = ControlKind::kButton,
     .name = "按钮4",
     .rect = {210, 30, 80, 24},
     .text = "不可用",
     .disabled = true,
     .events = BindEvent0<&OnButton>},
    {.id = kCombo,
     .kind = ControlKind::kComboBox,
     .name = "组合框1",
     .rect = {210, 60, 80, 20},
     .items = kComboItems,
     .events = BindEvent0<&OnCombo>},
    {.id = kEmptyCombo,
     .kind = ControlKind::kComboBox,
     .name = "组合框2",
     .rect = {210, 90, 80, 20},
     .events = BindEvent0<&OnCombo>},
    {.id = kEditableCombo,
     .kind = ControlKind::kComboBox,
     .name = "组合框3",
     .rect = {210, 120, 80, 20},
     .items = kAmounts,
     .combo_style = frame::ComboStyle::kDropDown,
     .events = BindEvent0<&OnCombo>},
    {.id = kEdit,
     .kind = ControlKind::kEditBox,
     .name = "编辑框1",
     .rect = {300, 0, 80, 20},
     .text = "初始"},
    {.id = kNumeric,
     .kind = ControlKind::kEditBox,
     .name = "编辑框2",
     .rect = {300, 30, 80, 20},
     .input_mode = InputMode::kNumeric,
     .max_length = 5},
    {.id = kPassword,
     .kind = ControlKind::kEditBox,
     .name = "编辑框3",
     .rect = {300, 60, 80, 20},
     .input_mode = InputMode::kPassword},
    {.id = kReadOnly,
     .kind = ControlKind::kEditBox,
     .name = "编辑框4",
     .rect = {300, 90, 80, 20},
     .text = "只读",
     .input_mode = InputMode::kReadOnly},
    {.id = kMultiLine,
     .kind = ControlKind::kEditBox,
     .name = "编辑框5",
     .rect = {300, 120, 80, 60},
     .input_mode = InputMode::kReadOnly,
     .multi_line = true,
     .vertical_scroll = true},
    {.id = kHidden,
     .kind = ControlKind::kEditBox,
     .name = "龙币框1",
     .rect = {300, 190, 80, 20},
     .visible = false},
    {.id = kLabel,
     .kind = ControlKind::kLabel,
     .name = "标签1",
     .rect = {390, 0, 80, 20},
     .text = "标签",
     .events = BindEvent0<&OnLabel>},
    {.id = kRadioA,
     .kind = ControlKind::kRadioBox,
     .name = "单选框1",
     .rect = {390, 30, 80, 20},
     .text = "甲"},
    {.id = kRadioB,
     .kind = ControlKind::kRadioBox,
     .name = "单选框2",
     .rect = {390, 60, 80, 20},
     .text = "乙"},
    {.id = kRich,
     .kind = ControlKind::kRichEdit,
     .name = "超级编辑框1",
     .rect = {390, 90, 80, 60},
     .text = "富文本",
     .tab_stop = true},
    {.id = kIp,
     .kind = ControlKind::kIPEditBox,
     .name = "IP编辑框1",
     .rect = {390, 160, 80, 20},
     .text = "127.0.0.1",
     .tab_stop = true},
    {.id = kBlankIp,
     .kind = ControlKind::kIPEditBox,
     .name = "IP编辑框2",
     .rect = {390, 190, 80, 20},
     .tab_stop = true},
    {.id = kConnection,
     .kind = ControlKind::kDBConnection,
     .name = "数据库连接1",
     .rect = {0, 0, 26, 26}},
    {.id = kRecords, .kind = ControlKind::kRecordSet, .name = "记录集1", .rect = {30, 0, 26, 26}},
};

constexpr frame::MenuItemDefinition kMenu[] = {
    {.id = kProgramMenu, .level = 0, .caption = "程序"},
    {.id = kConnectItem, .level = 1, .caption = "连接", .handler = &OnMenu},
    {.id = kExitItem, .level = 1, .caption = "退出", .handler = &OnMenu},
    {.id = kGreyItem, .level = 1, .caption = "灰色", .handler = &OnMenu, .disabled = true},
};

constexpr const frame::WindowDefinition* kWindows[] = {&kWindow};

}  // namespace

const frame::WindowDefinition kWindow{
    .id = frame::kMainWindowId,
    .title = "测试窗口",
    .rect = {50, 50, 500, 300},
    .events = BindEvent0<&OnCreated>,
    .controls = kControls,
    .menu = kMenu,
};

const frame::Program kProgram{
    .windows = kWindows,
    .start_routine = &OnStart,
    .exit_routine = &OnExitRoutine,
};

std::vector<std::string> Log() {
  std::lock_guard lock(log_mutex);
  return log_entries;
}

void Note(const std::string& entry) {
  std::lock_guard lock(log_mutex);
  log_entries.push_back(entry);
}

Hooks& hooks() {
  return the_hooks;
}

void Reset() {
  std::lock_guard lock(log_mutex);
  log_entries.clear();
  the_hooks = Hooks{};
}

}  // namespace test_window
