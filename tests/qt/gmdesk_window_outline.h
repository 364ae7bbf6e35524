// gmdesk's window as its tables lay it out: the window size, every top-level
// control, and enough of each panel's children to show the panel (its
// outermost ones included), with the tables' ids, colours and fonts. It
// stands in for gmdesk's own definition, which lives with gmdesk, to check
// that the Qt window shows such a layout whole.
#pragma once

#include "frame/runtime.h"
#include "frame/window_model.h"

namespace gmdesk_window_outline {

using frame::ControlNumber;

inline constexpr frame::ControlId kBanner = ControlNumber(0x157d);       // 标签21
inline constexpr frame::ControlId kWarning = ControlNumber(0x17a6);      // 标签68
inline constexpr frame::ControlId kNoticeLog = ControlNumber(0x1560);    // 编辑框9
inline constexpr frame::ControlId kPlayerPanel = ControlNumber(0x162c);  // 分组框5

extern const frame::WindowDefinition kWindow;
extern const frame::Program kProgram;

}  // namespace gmdesk_window_outline
