// The program's one window: a fixed frame around the menu bar and the client
// area, with a title bar, minimise and close boxes and no maximise box.
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

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::function<void()> closed_;
};

}  // namespace frame
