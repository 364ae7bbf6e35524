// The result log of each notice page (编辑框9, 10, 12, 17): every line starts
// on a new line; a success line ends with the date and time, a failure line
// has none.
#pragma once

#include <string_view>

#include "frame/services/values.h"
#include "frame/window/window_model.h"

namespace gmdesk {

// The success texts (UTF-8), before the date and time.
inline constexpr std::string_view kSavedUntilRestart = "本次数据提交成功,重启服务器生效";
inline constexpr std::string_view kSavedAtOnce = "本次数据提交成功,即时生效";

// Where success lines take the time from; suites put a fixed clock here.
inline frame::DateTime (*log_box_clock)() = frame::CurrentDateTime;

void AppendSuccessLine(frame::ControlId log_box, std::string_view success_text);
void AppendFailureLine(frame::ControlId log_box);

}  // namespace gmdesk
