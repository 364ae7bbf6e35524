#include "frame/db/watched_call.h"

#include <condition_variable>
#include <mutex>
#include <system_error>

namespace frame {

struct CallWatcher::State {
  std::mutex mutex;
  std::condition_variable wake;      // for the thread: a job, or the end
  std::condition_variable finished;  // for the caller: the job returned
  std::thread thread;
  std::function<void(CallProgress&)> job;  // handed over, not yet taken
  CallProgress progress;
  bool running = false;  // from handing a job over until it returned
  bool stop = false;
};

CallWatcher::CallWatcher() : state_(std::make_shared<State>()) {}

CallWatcher::~CallWatcher() {
  std::thread thread;
  bool running = false;
  {
    std::lock_guard lock(state_->mutex);
    state_->stop = true;
    running = state_->running;
    thread = std::move(state_->thread);
  }
  state_->wake.notify_one();
  if (!thread.joinable()) return;
  if (running) {
    thread.detach();
  } else {
    thread.join();
  }
}

bool CallWatcher::busy() const {
  std::lock_guard lock(state_->mutex);
  return state_->running;
}

WatchedEnd CallWatcher::RunJob(std::function<void(CallProgress&)> job,
                               std::chrono::milliseconds patience,
                               const std::function<void()>& give_up) {
  State& state = *state_;
  std::unique_lock lock(state.mutex);
  if (state.running) return WatchedEnd::kBusy;
  if (!state.thread.joinable()) {
    try {
      state.thread = std::thread(Serve, state_);
    } catch (const std::system_error&) {
      return WatchedEnd::kNoThread;
    }
  }
  state.progress.Restart();
  state.job = std::move(job);
  state.running = true;
  lock.unlock();
  state.wake.notify_one();
  lock.lock();

  for (;;) {
    uint64_t seen = state.progress.steps();
    if (state.finished.wait_for(lock, patience, [&] { return !state.running; })) {
      return WatchedEnd::kFinished;
    }
    if (state.progress.steps() == seen) break;
  }
  state.progress.Abandon();
  lock.unlock();
  if (give_up) give_up();
  return WatchedEnd::kGivenUp;
}

void CallWatcher::Serve(std::shared_ptr<State> state) {
  std::unique_lock lock(state->mutex);
  for (;;) {
    state->wake.wait(lock, [&] { return state->job != nullptr || state->stop; });
    if (state->job == nullptr) return;
    std::function<void(CallProgress&)> job = std::exchange(state->job, nullptr);
    lock.unlock();
    job(state->progress);
    // What the job captured goes before its caller hears of the end.
    job = nullptr;
    lock.lock();
    state->running = false;
    state->finished.notify_all();
  }
}

}  // namespace frame
