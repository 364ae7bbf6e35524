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

void MainWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (closed_) closed_();
}

}  // namespace frame
