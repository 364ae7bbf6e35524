// The gold, experience and drop pages of 选择夹2, one row each: the row gives
// the page its controls, its definition rows and its handlers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "frame/window/window_model.h"

namespace gmdesk {

// A control of a page: its id and its design name.
struct PageControl {
  frame::ControlId id;
  std::string_view name;
};

struct MultiplierPage {
  int32_t tab_page;  // of 选择夹2
  std::string_view tab_caption;
  std::string_view event_type;  // of the TB_Event rows the page edits
  std::string_view list_caption;
  PageControl current_label;
  PageControl current_box;  // read-only, the stored multiplier
  PageControl list_label;
  PageControl event_list;
  PageControl new_label;
  PageControl new_box;  // the multiplier to write
  PageControl start_label;
  PageControl start_box;
  PageControl submit_button;
  PageControl load_button;
  PageControl end_label;
  PageControl end_box;
};

enum MultiplierPageIndex : size_t { kGoldPage, kExpPage, kDropPage };

using frame::ControlNumber;

inline constexpr MultiplierPage kMultiplierPages[] = {
    {.tab_page = 0,
     .tab_caption = "金币倍数设置",
     .event_type = "2",
     .list_caption = "金币Event编号：",
     .current_label = {ControlNumber(0x1597), "标签22"},
     .current_box = {ControlNumber(0x1598), "编辑框18"},
     .list_label = {ControlNumber(0x159d), "标签24"},
     .event_list = {ControlNumber(0x159c), "组合框4"},
     .new_label = {ControlNumber(0x1599), "标签23"},
     .new_box = {ControlNumber(0x159a), "编辑框19"},
     .start_label = {ControlNumber(0x15ad), "标签25"},
     .start_box = {ControlNumber(0x15ae), "编辑框20"},
     .submit_button = {ControlNumber(0x159b), "按钮9"},
     .load_button = {ControlNumber(0x15b1), "按钮10"},
     .end_label = {ControlNumber(0x15af), "标签26"},
     .end_box = {ControlNumber(0x15b0), "编辑框21"}},
    {.tab_page = 1,
     .tab_caption = "经验倍数设置",
     .event_type = "1",
     .list_caption = "经验Event编号：",
     .current_label = {ControlNumber(0x1614), "标签29"},
     .current_box = {ControlNumber(0x1616), "编辑框24"},
     .list_label = {ControlNumber(0x1618), "标签31"},
     .event_list = {ControlNumber(0x161d), "组合框5"},
     .new_label = {ControlNumber(0x1615), "标签30"},
     .new_box = {ControlNumber(0x1617), "编辑框25"},
     .start_label = {ControlNumber(0x1619), "标签32"},
     .start_box = {ControlNumber(0x161e), "编辑框26"},
     .submit_button = {ControlNumber(0x161b), "按钮11"},
     .load_button = {ControlNumber(0x161c), "按钮12"},
     .end_label = {ControlNumber(0x161a), "标签33"},
     .end_box = {ControlNumber(0x161f), "编辑框27"}},
    {.tab_page = 2,
     .tab_caption = "掉落倍数设置",
     .event_type = "4",
     .list_caption = "掉宝Event编号：",
     .current_label = {ControlNumber(0x1620), "标签34"},
     .current_box = {ControlNumber(0x1622), "编辑框28"},
     .list_label = {ControlNumber(0x1624), "标签36"},
     .event_list = {ControlNumber(0x1627), "组合框6"},
     .new_label = {ControlNumber(0x1621), "标签35"},
     .new_box = {ControlNumber(0x1623), "编辑框29"},
     .start_label = {ControlNumber(0x1625), "标签37"},
     .start_box = {ControlNumber(0x1628), "编辑框30"},
     .submit_button = {ControlNumber(0x162a), "按钮13"},
     .load_button = {ControlNumber(0x162b), "按钮14"},
     .end_label = {ControlNumber(0x1626), "标签38"},
     .end_box = {ControlNumber(0x1629), "编辑框31"}},
};

// The tab's captions, in page order.
inline constexpr std::string_view kMultiplierTabCaptions[] = {
    kMultiplierPages[kGoldPage].tab_caption,
    kMultiplierPages[kExpPage].tab_caption,
    kMultiplierPages[kDropPage].tab_caption,
};

static_assert(kMultiplierPages[kGoldPage].tab_page == kGoldPage &&
              kMultiplierPages[kExpPage].tab_page == kExpPage &&
              kMultiplierPages[kDropPage].tab_page == kDropPage);

}  // namespace gmdesk
