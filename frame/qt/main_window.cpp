#include "frame/qt/main_window.h"

#include <QCloseEvent>
#include <QLayout>
#include <QScreen>
#include <QStyle>

namespace frame {

MainWindow::MainWindow(std::function<void()> closed) : closed_(std::move(closed)) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
}

void MainWindow::FixSizeAndCentre(QWidget* client_area) {
  setCentralWidget(client_area);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  adjustSize();
  if (const QScreen* screen = this->screen()) {
    setGeometry(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
  }
}

void MainWindow::KeepFocusOutOf(const QWidget& control) {
  // Qt would move it to the next tab stop, or, from inside a disabled
  // panel, drop it so that the next activation picks the first tab stop.
  const QWidget* focus = focusWidget();
  if (focus != nullptr && (focus == &control || control.isAncestorOf(focus))) ParkFocus();
}

void MainWindow::ParkFocus() {
  // The client area takes no key; it is never disabled or hidden.
  if (QWidget* client_area = centralWidget()) client_area->setFocus(Qt::OtherFocusReason);
}

bool MainWindow::focusNextPrevChild(bool next) {
  // Qt calls this itself when it hides a tab page or disables the control
  // that holds the focus; only a usable control is left by the Tab key.
  const QWidget* focus = focusWidget();
  if (focus != nullptr && (!focus->isEnabled() || !focus->isVisible())) {
    ParkFocus();
    return true;
  }
  return QMainWindow::focusNextPrevChild(next);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (closed_) closed_();
}

}  // namespace frame
