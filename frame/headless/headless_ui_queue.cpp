// The UI thread's queue: other threads' requests wait here until the UI
// thread pumps it.
#include "frame/headless/headless_window_system.h"

namespace frame {

HeadlessWindowSystem::HeadlessWindowSystem() : ui_thread_(std::this_thread::get_id()) {}

HeadlessWindowSystem::~HeadlessWindowSystem() = default;

bool HeadlessWindowSystem::IsUiThread() const {
  return std::this_thread::get_id() == ui_thread_;
}

void HeadlessWindowSystem::InvokeOnUiThread(const std::function<void()>& task) {
  if (IsUiThread()) {
    task();
    return;
  }
  auto queued = std::make_shared<Task>();
  queued->run = task;
  std::unique_lock lock(mutex_);
  tasks_.push_back(queued);
  activity_.notify_all();
  activity_.wait(lock, [&] { return queued->done; });
  if (queued->error) std::rethrow_exception(queued->error);
}

void HeadlessWindowSystem::Post(std::function<void()> task) {
  auto queued = std::make_shared<Task>();
  queued->run = std::move(task);
  std::lock_guard lock(mutex_);
  tasks_.push_back(std::move(queued));
  activity_.notify_all();
}

void HeadlessWindowSystem::ProcessPendingTasks() {
  // A task that acts as the operator must not run the tasks queued after it.
  if (pumping_) return;
  pumping_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{pumping_};
  for (;;) {
    std::shared_ptr<Task> task;
    {
      std::lock_guard lock(mutex_);
      if (tasks_.empty()) return;
      task = tasks_.front();
      tasks_.pop_front();
    }
    try {
      task->run();
    } catch (...) {
      task->error = std::current_exception();
    }
    std::lock_guard lock(mutex_);
    task->done = true;
    activity_.notify_all();
  }
}

void HeadlessWindowSystem::WaitForActivity(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  activity_.wait_for(lock, timeout, [&] { return !tasks_.empty() || !open_boxes_.empty(); });
}

int HeadlessWindowSystem::RunMessageLoop() {
  for (;;) {
    ProcessPendingTasks();
    std::unique_lock lock(mutex_);
    if (quit_) {
      quit_ = false;
      return exit_code_;
    }
    activity_.wait(lock, [&] { return quit_ || !tasks_.empty(); });
  }
}

void HeadlessWindowSystem::QuitMessageLoop(int exit_code) {
  std::lock_guard lock(mutex_);
  quit_ = true;
  exit_code_ = exit_code;
  activity_.notify_all();
}

}  // namespace frame
