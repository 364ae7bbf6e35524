// The window contract's driver for the Qt window system: clicks, keys,
// pastes, drops and input-method commits go through the widgets as the
// platform delivers them.
#pragma once

#include <optional>

#include "tests/frame/qt/qt_program.h"
#include "tests/frame/window/window_driver.h"

namespace window_contract {

class QtWindowDriver final : public WindowDriver {
 public:
  QtWindowDriver();
  ~QtWindowDriver() override;

  bool Start(const frame::Program& program) override;
  void ProcessEvents() override;

  bool Click(ControlId control) override;
  bool Type(ControlId control, std::string_view utf8) override;
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
  // Clicks into the box, when it takes text, and puts the caret at the end
  // of its text: the widget with the focus, or nullptr.
  QWidget* FocusTextBox(ControlId control);

  std::optional<testing_support::QtProgram> program_;
};

}  // namespace window_contract
