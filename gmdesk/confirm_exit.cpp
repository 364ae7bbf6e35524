#include "gmdesk/confirm_exit.h"

#include "frame/services/services.h"

namespace gmdesk {

void ConfirmExit() {
  constexpr int32_t kYesNo = 4;
  constexpr int32_t kYes = 5;
  frame::Text question =
      frame::ConcatTexts(frame::Gbk("是否退出"), frame::Gbk("霜月奇谭工具v4.0版本？"));
  if (frame::ShowMessageBox(question, kYesNo) == kYes) frame::EndProgram(0);
}

}  // namespace gmdesk
