#include "acctdesk/message_area.h"

#include "acctdesk/main_window.h"
#include "frame/services/services.h"

namespace acctdesk {

using frame::Property;

void AppendMessageLine(const frame::Text& line) {
  frame::Text old = frame::ControlText(kMainWindow, kMessageArea, Property::kContentText);
  frame::SetControlProperty(kMainWindow, kMessageArea, Property::kContentText,
                            frame::ConcatTexts(old, line));
}

void ClearMessages() {
  frame::SetControlProperty(kMainWindow, kMessageArea, Property::kContentText,
                            frame::Gbk("--------单机霜月奇谭--------"));
}

}  // namespace acctdesk
