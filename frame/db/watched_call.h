// A call that runs on a thread of its own while its caller waits, but only
// while the call makes progress: a driver blocked on a server that stopped
// answering must not hold its caller (or the window) past a bound.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace frame {

// What the call bumps whenever it gets something from the server.
class CallProgress {
 public:
  void Step() { steps_.fetch_add(1, std::memory_order_relaxed); }
  uint64_t steps() const { return steps_.load(std::memory_order_relaxed); }

 private:
  std::atomic<uint64_t> steps_{0};
};

// Runs `call` and returns its result, or none once `patience` passed without
// a step of progress. A call given up on goes on to its end on its own
// thread: whatever it needs must live in what it captured.
template <class Result>
std::optional<Result> RunWhileProgressing(std::function<Result(CallProgress&)> call,
                                          std::chrono::milliseconds patience) {
  struct Shared {
    CallProgress progress;
    std::mutex mutex;
    std::condition_variable done;
    std::optional<Result> result;
    std::exception_ptr error;
    bool finished = false;
  };
  auto shared = std::make_shared<Shared>();
  std::thread([shared, call = std::move(call)] {
    std::optional<Result> result;
    std::exception_ptr error;
    try {
      result.emplace(call(shared->progress));
    } catch (...) {
      error = std::current_exception();
    }
    std::lock_guard lock(shared->mutex);
    shared->result = std::move(result);
    shared->error = error;
    shared->finished = true;
    shared->done.notify_all();
  }).detach();

  std::unique_lock lock(shared->mutex);
  for (;;) {
    uint64_t seen = shared->progress.steps();
    if (shared->done.wait_for(lock, patience, [&] { return shared->finished; })) {
      if (shared->error) std::rethrow_exception(shared->error);
      return std::move(shared->result);
    }
    if (shared->progress.steps() == seen) return std::nullopt;
  }
}

}  // namespace frame
