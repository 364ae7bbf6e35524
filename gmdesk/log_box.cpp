#include "gmdesk/log_box.h"

#include "frame/services/services.h"
#include "gmdesk/main_window.h"

namespace gmdesk {

void AppendSuccessLine(frame::ControlId log_box, std::string_view success_text) {
  frame::Text now = frame::ToText(frame::Value(log_box_clock()));
  frame::AppendEditText(kMainWindow, log_box,
                        frame::ConcatTexts("\r\n", frame::Gbk(success_text), now));
}

void AppendFailureLine(frame::ControlId log_box) {
  frame::AppendEditText(kMainWindow, log_box, frame::Gbk("\r\n本次数据提交失败"));
}

}  // namespace gmdesk
