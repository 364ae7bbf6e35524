// The operator's window system: each window definition as a Qt Widgets
// window with the look and behaviour the window model gives its controls.
//
// Construction: QtWindowSystem(argc, argv) uses the process's QApplication
// when one exists and otherwise creates one from argc and argv (which must
// outlive this object) and owns it. Construct it on the thread that runs
// main(): that thread becomes the UI thread. The constructor also sets the
// application's style (Fusion, '*' as the password mask, lists that open
// below their box) and its default font (a 12-pixel CJK font).
//
// Threads: InvokeOnUiThread from another thread runs the task on the UI
// thread while the caller waits, so the UI thread must be running the message
// loop (or a message box) for it to return. QuitMessageLoop may be called
// from any thread. A message box from a worker is non-modal and blocks only
// that worker; one from the UI thread is modal for the window. Either kind
// belongs to the window, stays above it and takes the keyboard focus.
//
// Whoever owns it lets every worker finish before destroying it; message
// boxes still open then are closed with their cancel answer.
#pragma once

#include <memory>

#include "frame/window/window_system.h"

class QAction;
class QWidget;

namespace frame {

class QtWindowSystem final : public WindowSystem {
 public:
  QtWindowSystem(int& argc, char** argv);
  QtWindowSystem(const QtWindowSystem&) = delete;
  QtWindowSystem& operator=(const QtWindowSystem&) = delete;
  ~QtWindowSystem() override;

  // WindowSystem
  bool IsUiThread() const override;
  void InvokeOnUiThread(const std::function<void()>& task) override;
  MessageBoxButton ShowMessageBox(const MessageBoxRequest& request) override;
  // Builds and shows the window. One window per window system.
  bool BuildWindow(const WindowDefinition& definition, EventSink& sink) override;
  PropertyValue GetProperty(WindowId window, ControlId control, Property property) override;
  void SetProperty(WindowId window, ControlId control, Property property,
                   const PropertyValue& value) override;
  int32_t AddComboItem(WindowId window, ControlId control, const Text& text, int32_t data) override;
  void ClearComboItems(WindowId window, ControlId control) override;
  void AppendEditText(WindowId window, ControlId control, const Text& text) override;
  void FocusControl(WindowId window, ControlId control) override;
  int RunMessageLoop() override;
  void QuitMessageLoop(int exit_code) override;

  // The widgets the operator sees, for tests and screenshots (UI thread);
  // nullptr where there is none.
  QWidget* MainWindow() const;
  QWidget* ControlWidget(ControlId control) const;
  QAction* MenuAction(ControlId item) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace frame
