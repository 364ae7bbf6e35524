#include "frame/qt/qt_window_system.h"

#include <QThread>
#include <cstdio>
#include <cstdlib>

#include "frame/qt/control_look.h"
#include "frame/qt/qt_window_impl.h"

namespace frame {

QtWindowSystem::Impl::Impl(int& argc, char** argv) {
  if (QCoreApplication::instance() == nullptr) {
    owned_application = std::make_unique<QApplication>(argc, argv);
  }
  auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (application == nullptr || application->thread() != QThread::currentThread()) {
    std::fputs("frame: the Qt window system needs a QApplication of this thread\n", stderr);
    std::abort();
  }
  // The loop ends when the frame says so, not when a box closes last.
  application->setQuitOnLastWindowClosed(false);
  InstallFrameLook(*application);
  ui_context = std::make_unique<QObject>();
}

QtWindowSystem::Impl::~Impl() {
  for (auto& [box, waiting] : worker_boxes) {
    waiting.answer->set_value(CancelAnswerOf(waiting.flags));
    delete box;
  }
  worker_boxes.clear();
  window.reset();
  ui_context.reset();
}

QtWindowSystem::QtWindowSystem(int& argc, char** argv)
    : impl_(std::make_unique<Impl>(argc, argv)) {}

QtWindowSystem::~QtWindowSystem() = default;

QWidget* QtWindowSystem::MainWindow() const {
  return impl_->window.get();
}

QWidget* QtWindowSystem::ControlWidget(ControlId control) const {
  auto it = impl_->units.find(control);
  return it == impl_->units.end() ? nullptr : it->second.widget;
}

QAction* QtWindowSystem::MenuAction(ControlId item) const {
  auto it = impl_->units.find(item);
  return it == impl_->units.end() ? nullptr : it->second.action;
}

}  // namespace frame
