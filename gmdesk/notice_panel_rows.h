// The rows of 分组框2: the notices, one page of 选择夹1 each.
#pragma once

#include <array>
#include <string_view>

#include "frame/window/control_rows.h"
#include "gmdesk/channel_notices.h"
#include "gmdesk/main_window.h"
#include "gmdesk/timed_notices.h"

namespace gmdesk::notice_panel_rows {

using namespace frame::rows;
using frame::BindEvent0;
using frame::ControlKind;
using frame::InputMode;
using frame::OnPage;
using frame::ParentRef;

inline constexpr ControlId kChannelListLabel = ControlNumber(0x16a5);        // 标签40
inline constexpr ControlId kChannelListNoticeLabel = ControlNumber(0x16a7);  // 标签41
inline constexpr ControlId kEditNoticeStartLabel = ControlNumber(0x15c1);    // 标签27
inline constexpr ControlId kEditNoticeEndLabel = ControlNumber(0x15c3);      // 标签28
inline constexpr ControlId kEditNoticeListLabel = ControlNumber(0x14ea);     // 标签11
inline constexpr ControlId kEditNoticePeriodLabel = ControlNumber(0x150b);   // 标签12
inline constexpr ControlId kEditNoticeSecondsLabel = ControlNumber(0x1517);  // 标签13
inline constexpr ControlId kAddNoticeStartLabel = ControlNumber(0x1528);     // 标签17
inline constexpr ControlId kAddNoticeEndLabel = ControlNumber(0x152a);       // 标签18
inline constexpr ControlId kAddNoticeNumberLabel = ControlNumber(0x151e);    // 标签14
inline constexpr ControlId kAddNoticePeriodLabel = ControlNumber(0x1520);    // 标签15
inline constexpr ControlId kAddNoticeSecondsLabel = ControlNumber(0x1522);   // 标签16
inline constexpr ControlId kDeleteNoticeListLabel = ControlNumber(0x1531);   // 标签19
inline constexpr ControlId kDeleteNoticeTextLabel = ControlNumber(0x153d);   // 标签20

// The log boxes of the notice pages: read-only, green on black, scrolling.
constexpr frame::ControlDefinition LogBox(ControlId id, std::string_view name, ParentRef parent,
                                          frame::Rect rect) {
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

inline constexpr std::string_view kNoticePages[] = {"修改线路公告", "修改定时公告", "添加定时公告",
                                                    "删除定时公告"};

inline constexpr ParentRef kNotices = frame::InGroup(kNoticePanel);
inline constexpr ParentRef kChannelPage = OnPage(kNoticeTabs, 0);
inline constexpr ParentRef kEditNoticePage = OnPage(kNoticeTabs, 1);
inline constexpr ParentRef kAddNoticePage = OnPage(kNoticeTabs, 2);
inline constexpr ParentRef kDeleteNoticePage = OnPage(kNoticeTabs, 3);

inline constexpr auto kRows = std::to_array<frame::ControlDefinition>({
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
    Label(kChannelListLabel, "标签40", kChannelPage, {8, 128, 136, 20}, "当前游戏公告线路编号："),
    List(kChannelList, "组合框7", kChannelPage, {144, 128, 160, 20},
         BindEvent0<&OnChannelSelected>),
    Button(kChannelUpdateButton, "按钮4", kChannelPage, {312, 128, 144, 40}, "执行修改命令",
           BindEvent0<&UpdateChannelNotice>),
    Label(kChannelListNoticeLabel, "标签41", kChannelPage, {8, 152, 104, 20}, "线路底部显示内容："),
    Edit(kChannelListNoticeBox, "编辑框32", kChannelPage, {112, 152, 192, 20}, "NULL"),

    // 选择夹1 page 1: edit a timed announcement.
    RichEdit(kEditNoticeText, "超级编辑框2", kEditNoticePage, {8, 24, 296, 96},
             "当前游戏公告读取中...默认读取第一项定时公告"),
    LogBox(kEditNoticeLog, "编辑框10", kEditNoticePage, {312, 24, 144, 96}),
    Label(kEditNoticeStartLabel, "标签27", kEditNoticePage, {8, 120, 56, 20}, "开始时间："),
    Numeric(kEditNoticeStartBox, "编辑框22", kEditNoticePage, {64, 120, 96, 20}, "2015-01-01"),
    Label(kEditNoticeEndLabel, "标签28", kEditNoticePage, {160, 120, 56, 20}, "结束时间："),
    Numeric(kEditNoticeEndBox, "编辑框23", kEditNoticePage, {216, 120, 88, 20}, "2016-01-01"),
    Button(kEditNoticeButton, "按钮5", kEditNoticePage, {312, 128, 144, 40}, "执行修改命令",
           BindEvent0<&UpdateTimedNotice>),
    Label(kEditNoticeListLabel, "标签11", kEditNoticePage, {8, 144, 80, 20}, "公告编号："),
    List(kEditNoticeList, "组合框2", kEditNoticePage, {88, 144, 56, 20},
         BindEvent0<&OnEditNoticeSelected>),
    Label(kEditNoticePeriodLabel, "标签12", kEditNoticePage, {144, 144, 80, 20}, "公告循环周期："),
    Numeric(kEditNoticePeriodBox, "编辑框11", kEditNoticePage, {224, 144, 64, 20}),
    Label(kEditNoticeSecondsLabel, "标签13", kEditNoticePage, {288, 144, 16, 20}, "秒"),

    // 选择夹1 page 2: add a timed announcement.
    RichEdit(kAddNoticeText, "超级编辑框3", kAddNoticePage, {8, 24, 288, 88},
             "请输入公告内容...Event编号勿重复,建议输入20以上的数值"),
    LogBox(kAddNoticeLog, "编辑框12", kAddNoticePage, {312, 24, 144, 96}),
    Label(kAddNoticeStartLabel, "标签17", kAddNoticePage, {8, 120, 56, 20}, "开始时间："),
    Numeric(kAddNoticeStartBox, "编辑框15", kAddNoticePage, {64, 120, 96, 20}, "2015-01-01"),
    Label(kAddNoticeEndLabel, "标签18", kAddNoticePage, {160, 120, 56, 20}, "结束时间："),
    Numeric(kAddNoticeEndBox, "编辑框16", kAddNoticePage, {216, 120, 88, 20}, "2016-01-01"),
    Button(kAddNoticeButton, "按钮6", kAddNoticePage, {312, 128, 144, 40}, "执行添加命令",
           BindEvent0<&InsertTimedNotice>),
    Label(kAddNoticeNumberLabel, "标签14", kAddNoticePage, {8, 144, 80, 20}, "Event编号："),
    Numeric(kAddNoticeNumberBox, "编辑框13", kAddNoticePage, {88, 144, 56, 20}),
    Label(kAddNoticePeriodLabel, "标签15", kAddNoticePage, {144, 144, 80, 20}, "公告循环周期："),
    Numeric(kAddNoticePeriodBox, "编辑框14", kAddNoticePage, {224, 144, 64, 20}, "100"),
    Label(kAddNoticeSecondsLabel, "标签16", kAddNoticePage, {288, 144, 16, 20}, "秒"),

    // 选择夹1 page 3: delete timed announcements.
    Label(kDeleteNoticeListLabel, "标签19", kDeleteNoticePage, {0, 24, 128, 20},
          "选择要删除的公告编号："),
    List(kDeleteNoticeList, "组合框3", kDeleteNoticePage, {136, 24, 72, 20},
         BindEvent0<&OnDeleteNoticeSelected>),
    Label(kDeleteNoticeTextLabel, "标签20", kDeleteNoticePage, {208, 24, 96, 20}, "当前公告内容↓"),
    LogBox(kDeleteNoticeLog, "编辑框17", kDeleteNoticePage, {312, 24, 144, 88}),
    RichEdit(kDeleteNoticeText, "超级编辑框4", kDeleteNoticePage, {8, 48, 296, 120},
             "当前游戏公告读取中...默认读取第一项定时公告"),
    Button(kDeleteNoticeButton, "按钮8", kDeleteNoticePage, {312, 120, 144, 24}, "执行单个删除命令",
           BindEvent0<&DeleteTimedNotice>),
    Button(kDeleteAllNoticesButton, "按钮7", kDeleteNoticePage, {312, 144, 144, 24},
           "执行全部删除命令", BindEvent0<&DeleteAllTimedNotices>),
});

}  // namespace gmdesk::notice_panel_rows
