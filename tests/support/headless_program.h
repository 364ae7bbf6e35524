// A program run on the headless window system, for handler suites: its own
// program directory, the operator's window, and a way to let worker threads
// finish.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

#include "frame/headless/headless_window_system.h"
#include "frame/runtime/runtime.h"

namespace testing_support {

class HeadlessProgram {
 public:
  explicit HeadlessProgram(const frame::Program& program,
                           frame::ComponentFactory make_component = {});
  HeadlessProgram(const HeadlessProgram&) = delete;
  HeadlessProgram& operator=(const HeadlessProgram&) = delete;
  // Lets every worker finish (open boxes are dismissed), then tears down.
  ~HeadlessProgram();

  // Start-up through the created event. False when the program ended on the way.
  bool Start();
  // Runs the UI thread's side of the workers' requests until no worker runs.
  // False when the time is up or every remaining worker waits in an open box.
  bool Settle(std::chrono::milliseconds timeout = std::chrono::seconds(10));

  // While set, every StartThread fails as when the system has no thread to
  // give.
  void FailThreadStarts(bool fail) { thread_starts_fail_ = fail; }

  frame::HeadlessWindowSystem& window() { return window_system_; }
  frame::Runtime& runtime() { return runtime_; }
  // The program's directory (a fresh one per program).
  const std::filesystem::path& directory() const { return directory_; }

 private:
  static std::filesystem::path MakeDirectory();
  void StartThread(std::function<void()> body) const;

  std::filesystem::path previous_directory_;
  std::filesystem::path directory_;
  const frame::Program& program_;
  std::atomic<bool> thread_starts_fail_{false};
  frame::HeadlessWindowSystem window_system_;
  frame::Runtime runtime_;
};

}  // namespace testing_support
