// The UI thread: other threads' calls are queued to it, and the message loop
// runs there.
#include <exception>

#include "frame/qt/qt_window_impl.h"

namespace frame {

bool QtWindowSystem::IsUiThread() const {
  return std::this_thread::get_id() == impl_->ui_thread;
}

void QtWindowSystem::InvokeOnUiThread(const std::function<void()>& task) {
  if (IsUiThread()) {
    task();
    return;
  }
  std::exception_ptr error;
  QMetaObject::invokeMethod(
      impl_->ui_context.get(),
      [&] {
        try {
          task();
        } catch (...) {
          error = std::current_exception();
        }
      },
      Qt::BlockingQueuedConnection);
  if (error) std::rethrow_exception(error);
}

void QtWindowSystem::Impl::Quit(int exit_code) {
  if (loop != nullptr) {
    loop->exit(exit_code);
  } else {
    pending_quit = exit_code;
  }
}

int QtWindowSystem::RunMessageLoop() {
  if (impl_->pending_quit) {
    int exit_code = *impl_->pending_quit;
    impl_->pending_quit.reset();
    return exit_code;
  }
  QEventLoop loop;
  impl_->loop = &loop;
  int exit_code = loop.exec();
  impl_->loop = nullptr;
  return exit_code;
}

void QtWindowSystem::QuitMessageLoop(int exit_code) {
  if (IsUiThread()) {
    impl_->Quit(exit_code);
    return;
  }
  QMetaObject::invokeMethod(
      impl_->ui_context.get(), [impl = impl_.get(), exit_code] { impl->Quit(exit_code); },
      Qt::QueuedConnection);
}

}  // namespace frame
