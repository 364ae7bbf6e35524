// The two tools' windows as their tables lay them out: window sizes, every
// top-level control, and enough of each panel's children to show the panel
// (its outermost ones included), with the tables' ids, colours and fonts.
// The tools' own definitions live with the tools; these only check that the
// Qt window shows such layouts whole.
#pragma once

#include "frame/runtime.h"
#include "frame/window_model.h"

namespace tool_window_outlines {

using frame::ControlNumber;

// gmdesk
inline constexpr frame::ControlId kGmBanner = ControlNumber(0x157d);       // 标签21
inline constexpr frame::ControlId kGmWarning = ControlNumber(0x17a6);      // 标签68
inline constexpr frame::ControlId kGmNoticeLog = ControlNumber(0x1560);    // 编辑框9
inline constexpr frame::ControlId kGmPlayerPanel = ControlNumber(0x162c);  // 分组框5
// acctdesk
inline constexpr frame::ControlId kAcctMessageArea = ControlNumber(0x0098);  // 超级编辑框1
inline constexpr frame::ControlId kAcctBanner = ControlNumber(0x00fb);       // 标签18

extern const frame::WindowDefinition kGmWindow;
extern const frame::WindowDefinition kAcctWindow;
extern const frame::Program kGmProgram;
extern const frame::Program kAcctProgram;

}  // namespace tool_window_outlines
