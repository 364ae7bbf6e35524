// A window system as the window contract's suite drives it: the operator's
// actions and what he sees, over a program the driver starts. Handlers'
// reads and writes go through the frame's services, as in a program.
//
// Each action is false when the operator cannot take it: the control is
// disabled or hidden (or inside a box that is), or is not one that takes
// the action. Texts are UTF-8.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "frame/runtime/runtime.h"
#include "frame/window/window_system.h"

namespace window_contract {

using frame::ControlId;

// The ways a text arrives whole in a box.
enum class InsertPath { kKeyboardPaste, kMenuPaste, kDrop, kInputMethod };

class WindowDriver {
 public:
  virtual ~WindowDriver() = default;

  // Start-up through the created event.
  virtual bool Start(const frame::Program& program) = 0;
  // Runs what waits: events queued behind an action, other threads' requests.
  virtual void ProcessEvents() = 0;

  // The operator.
  virtual bool Click(ControlId control) = 0;
  // One key per character with the caret at the end of the box's text; "\n" is Enter.
  virtual bool Type(ControlId control, std::string_view utf8) = 0;
  // With the caret at the end of the box's text.
  virtual bool Insert(ControlId control, InsertPath path, std::string_view utf8) = 0;
  virtual bool PickComboItem(ControlId control, int index) = 0;
  virtual bool ChooseMenuItem(ControlId item) = 0;
  virtual bool SelectTabPage(ControlId tab, int page) = 0;
  // Keys into one field of an address box, clicked into first.
  virtual bool TypeIntoAddressField(ControlId control, int field, std::string_view keys) = 0;
  // Each of the four fields filled in turn; "" blanks the box. A text that
  // is not four fields of up to three digits cannot be entered.
  virtual bool EnterIpAddress(ControlId control, std::string_view dotted) = 0;
  // The close box, used while the message loop runs: the loop's exit code.
  virtual int CloseWindowInLoop() = 0;
  // The button the operator clicks in the next message box.
  virtual void AnswerNextMessageBox(frame::MessageBoxButton answer) = 0;

  // What the operator sees.
  virtual bool IsUsable(ControlId control) = 0;  // takes input now
  virtual std::string Title() = 0;
  // A box's text (password boxes show '*'), a caption, a list's shown text.
  virtual std::string ShownText(ControlId control) = 0;
  virtual std::vector<std::string> ComboItems(ControlId control) = 0;
  virtual bool HasFocus(ControlId control) = 0;
  virtual bool IsWindowOpen() = 0;
  virtual size_t OpenMessageBoxCount() = 0;
  // How often a box refused what arrived, with the refusal sound.
  virtual int Refusals() = 0;
};

}  // namespace window_contract
