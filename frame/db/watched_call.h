// Calls that run on a thread of their own while their caller waits, but only
// while the call makes progress: a driver blocked on a server that stopped
// answering must not hold its caller (or the window) past a bound.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "frame/db/db_result.h"

namespace frame {

// What the call bumps whenever it gets something whole from the server, and
// where it sees that its caller gave up on it.
class CallProgress {
 public:
  void Step() { steps_.fetch_add(1, std::memory_order_relaxed); }
  uint64_t steps() const { return steps_.load(std::memory_order_relaxed); }
  // Once true, nobody waits for the result: the call should stop early.
  bool abandoned() const { return abandoned_.load(std::memory_order_acquire); }

 private:
  friend class CallWatcher;
  void Restart() {
    steps_.store(0, std::memory_order_relaxed);
    abandoned_.store(false, std::memory_order_release);
  }
  void Abandon() { abandoned_.store(true, std::memory_order_release); }

  std::atomic<uint64_t> steps_{0};
  std::atomic<bool> abandoned_{false};
};

// One thread, started at the first call and kept for the next, that runs one
// call at a time for its owner.
class CallWatcher {
 public:
  CallWatcher();
  CallWatcher(const CallWatcher&) = delete;
  CallWatcher& operator=(const CallWatcher&) = delete;
  // Does not wait for a call given up on: it ends on its own, and its
  // thread with it.
  ~CallWatcher();

  // Runs `call` and waits for it as long as it steps its progress at least
  // once per `patience`. On giving up, marks the call abandoned and then
  // calls `give_up` on this thread, so that it can ask the call to stop; the
  // watcher takes no other call until the call returns. What the call needs
  // after that must live in what it captured. What the call throws is
  // thrown here. Fails with GivenUpError, or, when the call never started,
  // with BusyError while one given up on still runs, or with HY000 when no
  // thread could be started for it.
  template <class Value>
  DbResult<Value> Run(std::function<DbResult<Value>(CallProgress&)> call,
                      std::chrono::milliseconds patience,
                      const std::function<void()>& give_up = {}) {
    struct Slot {
      std::optional<DbResult<Value>> result;
      std::exception_ptr error;
    };
    auto slot = std::make_shared<Slot>();
    DbResult<> ran = RunJob(
        [slot, call = std::move(call)](CallProgress& progress) {
          try {
            slot->result.emplace(call(progress));
          } catch (...) {
            slot->error = std::current_exception();
          }
        },
        patience, give_up);
    if (!ran) return ran.error();
    if (slot->error) std::rethrow_exception(slot->error);
    return std::move(*slot->result);
  }

  // HYT00: the call made no progress for the whole patience.
  static DbError GivenUpError();
  // HY000: a call given up on still runs. The owner's calls that it runs
  // without the watcher fail alike meanwhile.
  static DbError BusyError();

  // True while a call given up on has not returned yet.
  bool busy() const;

 private:
  struct State;

  DbResult<> RunJob(std::function<void(CallProgress&)> job, std::chrono::milliseconds patience,
                    const std::function<void()>& give_up);
  static void Serve(std::shared_ptr<State> state);

  const std::shared_ptr<State> state_;
};

}  // namespace frame
