// The program's life: start-up, building the window, dispatching events,
// worker threads, the exit routine and fatal errors.
#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string_view>

#include "frame/text/gbk.h"
#include "frame/window/window_model.h"
#include "frame/window/window_system.h"

namespace frame {

// What a program hands the frame.
struct Program {
  std::span<const WindowDefinition* const> windows;
  WindowId start_window = kMainWindowId;
  Subroutine start_routine = nullptr;
  Subroutine exit_routine = nullptr;
};

// A non-visual unit of the window (database connection, record set).
class WindowComponent {
 public:
  virtual ~WindowComponent() = default;
  virtual PropertyValue GetProperty(Property /*property*/) const { return {}; }
  // Called on a worker thread as it ends: drop what is kept for that thread.
  virtual void ForgetThisThread() {}
};

using ComponentFactory =
    std::function<std::unique_ptr<WindowComponent>(const ControlDefinition& definition)>;

// Thrown instead of ending the process when the runtime was told not to end
// it (tests); it unwinds the handler that ended the program.
struct ProgramEnded {
  int exit_code = 0;
};

struct RuntimeOptions {
  // The running program file; empty means this process's executable.
  std::filesystem::path program_file;
  // False in tests: the program's end is recorded and ProgramEnded thrown.
  bool end_process = true;
  ComponentFactory make_component;
  // Runs the body on a new detached thread, or throws std::system_error when
  // none can be made; empty means std::thread. Suites put a failing one here.
  std::function<void(std::function<void()> body)> start_thread;
};

class Runtime final : public EventSink {
 public:
  using Options = RuntimeOptions;

  explicit Runtime(WindowSystem& window_system, Options options = {});
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;
  ~Runtime() override;

  // The process's runtime; handlers reach the frame through it.
  static Runtime& Current();

  // Start-up up to the running state: init, exit routine, start routine,
  // window built and its created event handled. False when the program
  // ended on the way (a fatal error).
  bool Start(const Program& program);
  // Start, the message loop, the exit routine. Returns the exit code.
  int Run(const Program& program);

  void InitRuntime(const Program& program);
  void RegisterExitRoutine(Subroutine routine);
  void RunStartRoutine(Subroutine routine);
  void LoadStartWindow(WindowId id);
  int RunMessageLoop();
  void RunExitRoutine();
  [[noreturn]] void EndProgram(int exit_code);
  [[noreturn]] void ReportRuntimeError(int32_t code, std::string_view text);

  // False when the body is null or no thread could be made.
  bool StartThread(Subroutine body);

  // EventSink
  void DispatchEvent(const EventRecord& record) override;
  void WindowClosed() override;

  WindowSystem& window_system() { return window_system_; }
  const Text& program_directory() const { return program_directory_; }
  const WindowDefinition* window(WindowId id) const;
  WindowComponent* FindComponent(WindowId window, ControlId control) const;

  bool is_fatal() const { return fatal_.load(); }
  std::optional<int> exit_code() const;
  int active_workers() const { return workers_->count.load(); }

 private:
  struct WorkerCount {
    std::atomic<int> count{0};
  };

  bool IsUsable(const WindowDefinition& window, ControlId control);
  void CallHandler(Handler handler, const EventRecord& record);
  [[noreturn]] void EndProcess(int exit_code);

  WindowSystem& window_system_;
  Options options_;
  std::span<const WindowDefinition* const> windows_;
  const WindowDefinition* loaded_window_ = nullptr;
  std::map<ControlId, std::unique_ptr<WindowComponent>> components_;
  Text program_directory_;

  std::atomic<bool> building_{false};
  std::atomic<bool> fatal_{false};
  std::atomic<bool> ended_{false};
  std::atomic<bool> closed_{false};

  mutable std::mutex mutex_;  // guards the two fields below; never held across calls out
  Subroutine exit_routine_ = nullptr;
  std::optional<int> exit_code_;

  // Shared with the worker threads so that the count a worker drops as it
  // ends outlives the runtime. Only the count does: a worker still uses the
  // runtime and its components until then, so whoever ends the runtime must
  // first see active_workers() reach 0.
  std::shared_ptr<WorkerCount> workers_ = std::make_shared<WorkerCount>();
};

}  // namespace frame
