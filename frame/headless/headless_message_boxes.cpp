// Message boxes: scripted answers in order, a UI-thread box without one
// answered as the platform's cancel, a worker's box open until answered.
#include <algorithm>

#include "frame/headless/headless_window_system.h"

namespace frame {

MessageBoxButton HeadlessWindowSystem::ShowMessageBox(const MessageBoxRequest& request) {
  ShownMessageBox box;
  box.text = Utf8(request.text);
  box.caption = Utf8(request.caption);
  box.flags = request.flags;
  box.from_worker = !IsUiThread();
  std::unique_lock lock(mutex_);
  if (!scripted_answers_.empty()) {
    box.answer = scripted_answers_.front();
    scripted_answers_.pop_front();
  } else if (!box.from_worker) {
    box.answer = CancelAnswerOf(box.flags);
    box.answered_by_default = true;
  }
  boxes_.push_back(box);
  if (box.answer) return *box.answer;

  size_t index = boxes_.size() - 1;
  open_boxes_.push_back(OpenBox{index});
  activity_.notify_all();
  activity_.wait(lock, [&] { return boxes_[index].answer.has_value(); });
  return *boxes_[index].answer;
}

void HeadlessWindowSystem::AnswerNextMessageBox(MessageBoxButton answer) {
  std::lock_guard lock(mutex_);
  scripted_answers_.push_back(answer);
}

std::vector<HeadlessWindowSystem::ShownMessageBox> HeadlessWindowSystem::MessageBoxes() const {
  std::lock_guard lock(mutex_);
  return boxes_;
}

std::optional<HeadlessWindowSystem::ShownMessageBox> HeadlessWindowSystem::WaitForOpenMessageBox(
    std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    ProcessPendingTasks();
    {
      std::lock_guard lock(mutex_);
      if (!open_boxes_.empty()) return boxes_[open_boxes_.front().history_index];
    }
    auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return std::nullopt;
    WaitForActivity(std::min<std::chrono::milliseconds>(
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now) +
            std::chrono::milliseconds(1),
        std::chrono::milliseconds(50)));
  }
}

bool HeadlessWindowSystem::AnswerOpenMessageBox(MessageBoxButton answer) {
  std::lock_guard lock(mutex_);
  if (open_boxes_.empty()) return false;
  boxes_[open_boxes_.front().history_index].answer = answer;
  open_boxes_.pop_front();
  activity_.notify_all();
  return true;
}

size_t HeadlessWindowSystem::OpenMessageBoxCount() const {
  std::lock_guard lock(mutex_);
  return open_boxes_.size();
}

void HeadlessWindowSystem::DismissOpenMessageBoxes() {
  std::lock_guard lock(mutex_);
  for (const OpenBox& open : open_boxes_) {
    ShownMessageBox& box = boxes_[open.history_index];
    box.answer = CancelAnswerOf(box.flags);
    box.answered_by_default = true;
  }
  open_boxes_.clear();
  activity_.notify_all();
}

}  // namespace frame
