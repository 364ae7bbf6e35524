// The program's one window: a fixed frame around the menu bar and the client
// area, with a title bar, minimise and close boxes and no maximise box.
//
// The keyboard focus never moves by itself onto a button: when the control
// holding it is disabled or hidden, the window itself takes it, so that a
// stray Enter or Space acts on nothing.
#pragma once

#include <QMainWindow>
#include <functional>

namespace frame {

class MainWindow final : public QMainWindow {
 public:
  // `closed` runs when the operator closes the window; the window then hides.
  explicit MainWindow(std::function<void()> closed);

  // Fixes the window to the client area's size plus the menu bar, and
  // centres it on the screen.
  void FixSizeAndCentre(QWidget* client_area);

  // Call before disabling or hiding `control`: the window takes the focus
  // when it is in `control`.
  void KeepFocusOutOf(const QWidget& control);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void ParkFocus();

  std::function<void()> closed_;
};

}  // namespace frame
