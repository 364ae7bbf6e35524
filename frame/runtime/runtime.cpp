#include "frame/runtime/runtime.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <system_error>
#include <thread>

#include "frame/runtime/program_file.h"
#include "frame/settings/file_paths.h"

namespace frame {
namespace {

std::atomic<Runtime*> current_runtime{nullptr};

}  // namespace

Runtime::Runtime(WindowSystem& window_system, Options options)
    : window_system_(window_system), options_(std::move(options)) {
  Runtime* expected = nullptr;
  if (!current_runtime.compare_exchange_strong(expected, this)) {
    std::fputs("frame: a second runtime in one process\n", stderr);
    std::abort();
  }
}

Runtime::~Runtime() {
  current_runtime.store(nullptr);
}

Runtime& Runtime::Current() {
  Runtime* runtime = current_runtime.load();
  if (runtime == nullptr) {
    std::fputs("frame: no runtime\n", stderr);
    std::abort();
  }
  return *runtime;
}

bool Runtime::Start(const Program& program) {
  try {
    InitRuntime(program);
    RegisterExitRoutine(program.exit_routine);
    if (program.start_routine != nullptr) RunStartRoutine(program.start_routine);
    LoadStartWindow(program.start_window);
    return true;
  } catch (const ProgramEnded&) {
    return false;
  }
}

int Runtime::Run(const Program& program) {
  if (!Start(program)) return exit_code().value_or(-1);
  RunMessageLoop();
  if (auto code = exit_code()) return *code;
  RunExitRoutine();
  return 0;
}

void Runtime::InitRuntime(const Program& program) {
  std::error_code error;
  std::filesystem::path file = options_.program_file;
  if (file.empty()) file = RunningProgramFile();
  std::filesystem::path directory = file.parent_path();
  if (directory.empty()) directory = std::filesystem::current_path(error);
  std::filesystem::current_path(directory, error);
  program_directory_ = PathText(directory);

  windows_ = program.windows;
  for (const WindowDefinition* window : windows_) {
    if (window == nullptr || !IsValidDefinition(*window)) {
      ReportRuntimeError(0, Gbk("载入窗口模板数据段出错!"));
    }
  }
}

void Runtime::RegisterExitRoutine(Subroutine routine) {
  std::lock_guard lock(mutex_);
  exit_routine_ = routine;
}

void Runtime::RunStartRoutine(Subroutine routine) {
  routine();
}

void Runtime::LoadStartWindow(WindowId id) {
  const WindowDefinition* definition = window(id);
  if (definition == nullptr) ReportRuntimeError(0, Gbk("载入启动窗口失败"));

  building_ = true;
  bool built = window_system_.BuildWindow(*definition, *this);
  building_ = false;
  if (!built) ReportRuntimeError(0, Gbk("载入启动窗口失败"));
  loaded_window_ = definition;

  if (options_.make_component) {
    for (const ControlDefinition& control : definition->controls) {
      if (IsComponent(control.kind)) components_[control.id] = options_.make_component(control);
    }
  }

  // Created, then the two window events that follow it.
  for (int32_t event : {0, 3, 4}) {
    DispatchEvent(EventRecord{.window = id, .control = kWindowUnit, .event = event});
  }
}

int Runtime::RunMessageLoop() {
  return window_system_.RunMessageLoop();
}

void Runtime::RunExitRoutine() {
  Subroutine routine = nullptr;
  {
    std::lock_guard lock(mutex_);
    routine = exit_routine_;
    exit_routine_ = nullptr;
  }
  if (routine != nullptr) routine();
}

void Runtime::EndProgram(int exit_code) {
  if (window_system_.IsUiThread()) {
    RunExitRoutine();
  } else {
    window_system_.InvokeOnUiThread([this] { RunExitRoutine(); });
  }
  EndProcess(exit_code);
}

void Runtime::EndProcess(int exit_code) {
  ended_ = true;
  {
    std::lock_guard lock(mutex_);
    if (!exit_code_) exit_code_ = exit_code;
  }
  if (options_.end_process) {
    std::fflush(nullptr);
    std::_Exit(exit_code);
  }
  window_system_.QuitMessageLoop(exit_code);
  throw ProgramEnded{exit_code};
}

void Runtime::ReportRuntimeError(int32_t code, std::string_view text) {
  if (fatal_.exchange(true)) EndProcess(-1);  // another error is already being reported

  Text message = Gbk("运行时出错!\r\n\r\n");
  if (code != 0) message += Gbk("错误代码：") + std::to_string(code) + "\r\n\r\n";
  if (!text.empty()) message += Gbk("错误信息：") + Text(text) + "\r\n";
  window_system_.ShowMessageBox(MessageBoxRequest{
      .text = message,
      .caption = Gbk("错误"),
      .flags = kMessageBoxOk | kMessageBoxIconError | kMessageBoxTaskModal,
  });

  RegisterExitRoutine(nullptr);
  EndProgram(-1);
}

bool Runtime::StartThread(Subroutine body) {
  if (body == nullptr) return false;
  std::shared_ptr<WorkerCount> workers = workers_;
  std::function<void()> worker = [this, body, workers] {
    try {
      try {
        body();
      } catch (const std::bad_alloc&) {
        ReportRuntimeError(0, Gbk("分配 0 字节内存失败!"));
      }
    } catch (const ProgramEnded&) {
    }
    for (const auto& [id, component] : components_)
      component->ForgetThisThread();
    --workers->count;
  };
  // Counted before it starts, so that nobody sees no worker while it runs.
  ++workers->count;
  try {
    if (options_.start_thread) {
      options_.start_thread(std::move(worker));
    } else {
      std::thread(std::move(worker)).detach();
    }
  } catch (const std::system_error&) {
    --workers->count;
    return false;
  } catch (...) {
    --workers->count;
    throw;
  }
  return true;
}

void Runtime::DispatchEvent(const EventRecord& record) {
  if (building_ || fatal_ || ended_ || closed_) return;
  const WindowDefinition* definition = window(record.window);
  if (definition == nullptr || definition != loaded_window_) return;
  if (record.control != kWindowUnit && !IsUsable(*definition, record.control)) return;
  Handler handler = FindHandler(*definition, record.control, record.event);
  if (handler == nullptr) return;
  CallHandler(handler, record);
}

void Runtime::CallHandler(Handler handler, const EventRecord& /*record*/) {
  try {
    try {
      handler();
    } catch (const std::bad_alloc&) {
      ReportRuntimeError(0, Gbk("分配 0 字节内存失败!"));
    }
  } catch (const ProgramEnded&) {
  }
}

void Runtime::WindowClosed() {
  closed_ = true;
}

bool Runtime::IsUsable(const WindowDefinition& definition, ControlId control) {
  return IsControlUsable(definition, control, [&](ControlId unit) {
    Property disabled = IsMenuItem(unit) ? kMenuItemDisabled : Property::kDisabled;
    return window_system_.GetProperty(definition.id, unit, disabled).AsBool();
  });
}

const WindowDefinition* Runtime::window(WindowId id) const {
  for (const WindowDefinition* definition : windows_) {
    if (definition != nullptr && definition->id == id) return definition;
  }
  return nullptr;
}

WindowComponent* Runtime::FindComponent(WindowId window, ControlId control) const {
  if (loaded_window_ == nullptr || loaded_window_->id != window) return nullptr;
  auto it = components_.find(control);
  return it == components_.end() ? nullptr : it->second.get();
}

std::optional<int> Runtime::exit_code() const {
  std::lock_guard lock(mutex_);
  return exit_code_;
}

}  // namespace frame
