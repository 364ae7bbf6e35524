#include "gmdesk/main_window.h"

#include "gmdesk/confirm_exit.h"
#include "gmdesk/definition_rows.h"
#include "gmdesk/notice_panel_rows.h"
#include "gmdesk/player_panel_rows.h"
#include "gmdesk/server_panel_rows.h"
#include "gmdesk/server_settings.h"
#include "gmdesk/settings_panel_rows.h"
#include "gmdesk/top_up_panel_rows.h"
#include "gmdesk/window_rows.h"

namespace gmdesk {
namespace {

// Parents stand before the controls they hold.
constexpr auto kControls =
    JoinRows(window_rows::kRows, server_panel_rows::kRows, top_up_panel_rows::kRows,
             notice_panel_rows::kRows, settings_panel_rows::kRows, player_panel_rows::kRows);

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
    .events = frame::BindEvent0<&LoadServerConfig>,
    .controls = kControls,
    .menu = kMenu,
};

const frame::Program kProgram{
    .windows = kWindows,
    .start_routine = &StartRoutine,
    .exit_routine = &ExitRoutine,
};

}  // namespace gmdesk
