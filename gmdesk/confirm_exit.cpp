#include "gmdesk/confirm_exit.h"

#include "frame/services/services.h"

namespace gmdesk {

void ConfirmExit() {
  frame::Text question =
      frame::ConcatTexts(frame::Gbk("是否退出"), frame::Gbk("霜月奇谭工具v4.0版本？"));
  if (frame::ShowMessageBox(question, frame::kMessageBoxYesNo) == frame::kAnsweredYes) {
    frame::EndProgram(0);
  }
}

}  // namespace gmdesk
