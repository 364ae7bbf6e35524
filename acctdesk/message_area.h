// The message area: a banner line, then one result line per success.
#pragma once

#include "frame/text/gbk.h"

namespace acctdesk {

// Adds the line at the end of the area's whole text; lines carry their own
// leading "\r\n>" and trailing "<".
void AppendMessageLine(const frame::Text& line);

// Handler of 按钮7 "清空消息": back to the banner line alone.
void ClearMessages();

}  // namespace acctdesk
