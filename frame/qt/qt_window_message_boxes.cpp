// Message boxes: modal for the window on the UI thread; a worker's box
// blocks only the worker and leaves the window usable.
#include "frame/qt/message_boxes.h"
#include "frame/qt/qt_window_impl.h"

namespace frame {

void QtWindowSystem::Impl::OpenWorkerBox(const MessageBoxRequest& request,
                                         std::shared_ptr<std::promise<MessageBoxButton>> answer) {
  QMessageBox* box = CreateMessageBox(request, window.get()).release();
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::NonModal);
  worker_boxes[box] = WorkerBox{.flags = request.flags, .answer = std::move(answer)};
  QObject::connect(box, &QDialog::finished, box, [this, box] {
    auto it = worker_boxes.find(box);
    if (it == worker_boxes.end()) return;
    it->second.answer->set_value(AnswerOf(*box, it->second.flags));
    worker_boxes.erase(it);
  });
  box->show();
  // The operator's next key goes to the box, as to one raised on the UI thread.
  box->raise();
  box->activateWindow();
}

MessageBoxButton QtWindowSystem::ShowMessageBox(const MessageBoxRequest& request) {
  if (IsUiThread()) {
    std::unique_ptr<QMessageBox> box = CreateMessageBox(request, impl_->window.get());
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
    return AnswerOf(*box, request.flags);
  }
  auto answer = std::make_shared<std::promise<MessageBoxButton>>();
  std::future<MessageBoxButton> chosen = answer->get_future();
  InvokeOnUiThread([&] { impl_->OpenWorkerBox(request, answer); });
  return chosen.get();
}

}  // namespace frame
