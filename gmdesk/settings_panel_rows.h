// The rows of 分组框3: the multiplier events, one page of 选择夹2 each, made
// from the page's row of kMultiplierPages.
#pragma once

#include <array>

#include "frame/window/control_rows.h"
#include "gmdesk/definition_rows.h"
#include "gmdesk/main_window.h"
#include "gmdesk/multiplier_events.h"
#include "gmdesk/multiplier_pages.h"

namespace gmdesk::settings_panel_rows {

using namespace frame::rows;
using frame::BindEvent0;

template <MultiplierPageIndex kPage>
constexpr std::array<frame::ControlDefinition, 12> PageRows() {
  const MultiplierPage& page = kMultiplierPages[kPage];
  const frame::ParentRef on = frame::OnPage(kMultiplierTabs, page.tab_page);
  return {
      Label(page.current_label.id, page.current_label.name, on, {8, 24, 56, 20}, "当前倍数："),
      ReadOnly(page.current_box.id, page.current_box.name, on, {64, 24, 136, 20}),
      Label(page.list_label.id, page.list_label.name, on, {200, 24, 88, 20}, page.list_caption),
      List(page.event_list.id, page.event_list.name, on, {288, 24, 168, 20},
           BindEvent0<&OnEventSelected<kPage>>),
      Label(page.new_label.id, page.new_label.name, on, {8, 48, 56, 20}, "修改倍数："),
      Numeric(page.new_box.id, page.new_box.name, on, {64, 48, 136, 20}, "100"),
      Label(page.start_label.id, page.start_label.name, on, {200, 48, 88, 20}, "Event开始时间："),
      Numeric(page.start_box.id, page.start_box.name, on, {288, 48, 168, 20}),
      Button(page.submit_button.id, page.submit_button.name, on, {8, 72, 96, 24}, "提交数据",
             BindEvent0<&OnEventSubmitClick<kPage>>, true),
      Button(page.load_button.id, page.load_button.name, on, {104, 72, 96, 24}, "读取数据",
             BindEvent0<&OnEventLoadClick<kPage>>),
      Label(page.end_label.id, page.end_label.name, on, {200, 72, 88, 20}, "Event结束时间："),
      Numeric(page.end_box.id, page.end_box.name, on, {288, 72, 168, 20}),
  };
}

inline constexpr auto kRows =
    JoinRows(std::to_array<frame::ControlDefinition>(
                 {Tab(kMultiplierTabs, "选择夹2", frame::InGroup(kSettingsPanel), {8, 16, 464, 112},
                      kMultiplierTabCaptions)}),
             PageRows<kGoldPage>(), PageRows<kExpPage>(), PageRows<kDropPage>());

}  // namespace gmdesk::settings_panel_rows
