#include "tests/frame/headless/headless_window_driver.h"

namespace window_contract {

bool HeadlessWindowDriver::Start(const frame::Program& program) {
  program_.emplace(program);
  return program_->Start();
}

void HeadlessWindowDriver::ProcessEvents() {
  window().ProcessPendingTasks();
}

bool HeadlessWindowDriver::Click(ControlId control) {
  return window().Click(control);
}

bool HeadlessWindowDriver::Type(ControlId control, std::string_view utf8) {
  return window().TypeAtEnd(control, utf8);
}

bool HeadlessWindowDriver::Insert(ControlId control, InsertPath, std::string_view utf8) {
  return window().InsertText(control, utf8);
}

bool HeadlessWindowDriver::PickComboItem(ControlId control, int index) {
  return window().PickComboItem(control, index);
}

bool HeadlessWindowDriver::ChooseMenuItem(ControlId item) {
  return window().ChooseMenuItem(item);
}

bool HeadlessWindowDriver::SelectTabPage(ControlId tab, int page) {
  return window().SelectTabPage(tab, page);
}

bool HeadlessWindowDriver::TypeIntoAddressField(ControlId control, int field,
                                                std::string_view keys) {
  return window().TypeIntoAddressField(control, field, keys);
}

bool HeadlessWindowDriver::EnterIpAddress(ControlId control, std::string_view dotted) {
  return window().EnterIpAddress(control, dotted);
}

int HeadlessWindowDriver::CloseWindowInLoop() {
  window().Post([this] { window().CloseWindow(); });
  return window().RunMessageLoop();
}

void HeadlessWindowDriver::AnswerNextMessageBox(frame::MessageBoxButton answer) {
  window().AnswerNextMessageBox(answer);
}

bool HeadlessWindowDriver::IsUsable(ControlId control) {
  return window().IsUsable(control);
}

std::string HeadlessWindowDriver::Title() {
  return window().Title();
}

std::string HeadlessWindowDriver::ShownText(ControlId control) {
  return window().ShownText(control);
}

std::vector<std::string> HeadlessWindowDriver::ComboItems(ControlId control) {
  return window().ComboItems(control);
}

bool HeadlessWindowDriver::HasFocus(ControlId control) {
  return window().FocusedControl() == control;
}

bool HeadlessWindowDriver::IsWindowOpen() {
  return window().IsWindowOpen();
}

size_t HeadlessWindowDriver::OpenMessageBoxCount() {
  return window().OpenMessageBoxCount();
}

int HeadlessWindowDriver::Refusals() {
  return window().RefusalCount();
}

}  // namespace window_contract
