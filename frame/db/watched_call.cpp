#include "frame/db/watched_call.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace frame {
namespace {

// Waking a thread that sleeps costs tens of microseconds on a busy or
// virtual machine, as much as a one-row statement takes in all. So each side
// first looks out for the other this long, giving way to other threads
// meanwhile, and only then sleeps: a short statement costs no wake-up, and a
// long one a little CPU time.
constexpr std::chrono::microseconds kCallerLooksOut{250};
constexpr std::chrono::microseconds kThreadLooksOut{100};

template <class Predicate>
void LookOut(std::chrono::microseconds duration, Predicate predicate) {
  auto end = std::chrono::steady_clock::now() + duration;
  while (!predicate() && std::chrono::steady_clock::now() < end)
    std::this_thread::yield();
}

}  // namespace

// The watcher runs statements, so its failures read as theirs.
DbError CallWatcher::GivenUpError() {
  return {"HYT00", "the server did not answer within the time-out; the statement was cancelled"};
}

DbError CallWatcher::BusyError() {
  return {"HY000",
          "the connection is busy: a statement given up on after its time-out has not ended yet"};
}

struct CallWatcher::State {
  std::mutex mutex;
  std::condition_variable wake;      // for the thread: a job, or the end
  std::condition_variable finished;  // for the caller: the job returned
  std::thread thread;
  std::function<void(CallProgress&)> job;  // handed over, not yet taken
  CallProgress progress;
  // Changed under the mutex, read without it while looking out.
  std::atomic<bool> has_job{false};
  std::atomic<bool> running{false};  // from handing a job over until it returned
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

DbResult<> CallWatcher::RunJob(std::function<void(CallProgress&)> job,
                               std::chrono::milliseconds patience,
                               const std::function<void()>& give_up) {
  State& state = *state_;
  std::unique_lock lock(state.mutex);
  if (state.running) return BusyError();
  if (!state.thread.joinable()) {
    try {
      state.thread = std::thread(Serve, state_);
    } catch (const std::system_error&) {
      return DbError{"HY000", "no thread could be started for the statement"};
    }
  }
  state.progress.Restart();
  state.job = std::move(job);
  state.has_job = true;
  state.running = true;
  lock.unlock();
  state.wake.notify_one();
  LookOut(kCallerLooksOut, [&] { return !state.running; });
  lock.lock();

  for (;;) {
    uint64_t seen = state.progress.steps();
    if (state.finished.wait_for(lock, patience, [&] { return !state.running; })) {
      return Done{};
    }
    if (state.progress.steps() == seen) break;
  }
  state.progress.Abandon();
  lock.unlock();
  if (give_up) give_up();
  return GivenUpError();
}

void CallWatcher::Serve(std::shared_ptr<State> state) {
  std::unique_lock lock(state->mutex);
  for (;;) {
    state->wake.wait(lock, [&] { return state->has_job || state->stop; });
    if (!state->has_job) return;
    std::function<void(CallProgress&)> job = std::exchange(state->job, nullptr);
    state->has_job = false;
    lock.unlock();
    job(state->progress);
    // What the job captured goes before its caller hears of the end.
    job = nullptr;
    lock.lock();
    state->running = false;
    state->finished.notify_all();
    lock.unlock();
    LookOut(kThreadLooksOut, [&] { return state->has_job.load(); });
    lock.lock();
  }
}

}  // namespace frame
