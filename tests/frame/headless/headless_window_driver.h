// The window contract's driver for the headless window system.
#pragma once

#include <optional>

#include "tests/frame/window/window_driver.h"
#include "tests/support/headless_program.h"

namespace window_contract {

class HeadlessWindowDriver final : public WindowDriver {
 public:
  bool Start(const frame::Program& program) override;
  void ProcessEvents() override;

  bool Click(ControlId control) override;
  bool Type(ControlId control, std::string_view utf8) override;
  // Every path arrives the same way: the headless window has one.
  bool Insert(ControlId control, InsertPath path, std::string_view utf8) override;
  bool PickComboItem(ControlId control, int index) override;
  bool ChooseMenuItem(ControlId item) override;
  bool SelectTabPage(ControlId tab, int page) override;
  bool TypeIntoAddressField(ControlId control, int field, std::string_view keys) override;
  bool EnterIpAddress(ControlId control, std::string_view dotted) override;
  int CloseWindowInLoop() override;
  void AnswerNextMessageBox(frame::MessageBoxButton answer) override;

  bool IsUsable(ControlId control) override;
  std::string Title() override;
  std::string ShownText(ControlId control) override;
  std::vector<std::string> ComboItems(ControlId control) override;
  bool HasFocus(ControlId control) override;
  bool IsWindowOpen() override;
  size_t OpenMessageBoxCount() override;
  int Refusals() override;

 private:
  frame::HeadlessWindowSystem& window() { return program_->window(); }

  std::optional<testing_support::HeadlessProgram> program_;
};

}  // namespace window_contract
