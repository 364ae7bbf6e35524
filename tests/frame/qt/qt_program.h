// A program run on the Qt window system, driven the way an operator would:
// clicks and keys go through the window, so disabled controls, disabled
// panels and modal boxes stop them as they stop a person.
#pragma once

#include <QMessageBox>
#include <QString>
#include <chrono>
#include <filesystem>
#include <functional>

#include "frame/qt/qt_window_system.h"
#include "frame/runtime/runtime.h"

class QComboBox;
class QTimer;

namespace testing_support {

using namespace std::chrono_literals;

class QtProgram {
 public:
  explicit QtProgram(const frame::Program& program, frame::ComponentFactory components = {});
  QtProgram(const QtProgram&) = delete;
  QtProgram& operator=(const QtProgram&) = delete;
  // Lets every worker finish (open boxes are closed), then tears down.
  ~QtProgram();

  // Start-up through the created event. False when the program ended on the way.
  bool Start();
  // Processes events until no worker runs. False when the time is up.
  bool Settle(std::chrono::milliseconds timeout = 10s);
  // Processes events until `done` holds. False when the time is up.
  bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 5s);
  // Processes the events that are waiting, queued ones included.
  void ProcessEvents();

  frame::QtWindowSystem& window_system() { return window_system_; }
  // The program's directory (a fresh one per program).
  const std::filesystem::path& directory() const { return directory_; }
  frame::Runtime& runtime() { return runtime_; }
  QWidget& window();
  QWidget& widget(frame::ControlId control);
  template <class Widget>
  Widget& widget(frame::ControlId control) {
    return dynamic_cast<Widget&>(widget(control));
  }

  // The operator's actions.
  void Click(frame::ControlId control);
  // Clicks into the box and types one key per character ("\n" is Enter).
  // False when the click could not give it the focus.
  bool Type(frame::ControlId control, const QString& text);
  bool TypeInto(QWidget& target, const QString& text);
  // Clicks into the box and pastes the text with Ctrl+V.
  bool Paste(frame::ControlId control, const QString& text);
  // A key pressed while `top` is the window the keyboard is in: the platform
  // hands it to that window's focus, or to the window itself when none.
  void PressKeyIn(QWidget& top, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  // Tab until the control has the focus. False when it never got it.
  bool TabTo(frame::ControlId control);
  // Opens the list with a click and clicks the item. False when it did not open.
  bool PickComboItem(frame::ControlId control, int index);
  // Opens the item's menu from the menu bar and clicks the item. False when
  // the menu did not open.
  bool ChooseMenuItem(frame::ControlId item);
  void SelectTabPage(frame::ControlId tab, int page);
  void CloseWindow();

  // Message boxes on the screen, oldest first.
  std::vector<QMessageBox*> OpenMessageBoxes() const;
  QMessageBox* WaitForMessageBox(std::chrono::milliseconds timeout = 5s);
  void ClickButton(QMessageBox& box, QMessageBox::StandardButton button);
  // Clicks the button in the next box that opens, even while a modal box's
  // own loop runs; `look` sees the box first.
  void AnswerNextMessageBox(QMessageBox::StandardButton button,
                            std::function<void(QMessageBox&)> look = {});

 private:
  static std::filesystem::path MakeDirectory();
  void ClickInWindow(QWidget& target, QPoint at);
  // Clicks into the target; the widget that took the focus, or nullptr.
  QWidget* FocusByClick(QWidget& target);
  void PressKey(QWidget& focus, int key, Qt::KeyboardModifiers modifiers, const QString& text);

  std::filesystem::path previous_directory_;
  std::filesystem::path directory_;
  const frame::Program& program_;
  frame::QtWindowSystem window_system_;
  frame::Runtime runtime_;
  std::unique_ptr<QTimer> answerer_;
};

}  // namespace testing_support
