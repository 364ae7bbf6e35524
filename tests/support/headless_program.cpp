#include "tests/support/headless_program.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <system_error>
#include <thread>

namespace testing_support {

std::filesystem::path HeadlessProgram::MakeDirectory() {
  // The random part keeps the suites that run at once apart.
  static const unsigned run = std::random_device{}();
  static std::atomic<int> serial{0};
  std::filesystem::path base = std::filesystem::temp_directory_path();
  std::filesystem::path directory =
      base / ("headless-program-" + std::to_string(run) + "-" + std::to_string(serial++));
  std::filesystem::remove_all(directory);
  std::filesystem::create_directories(directory);
  return directory;
}

HeadlessProgram::HeadlessProgram(const frame::Program& program,
                                 frame::ComponentFactory make_component)
    : previous_directory_(std::filesystem::current_path()),
      directory_(MakeDirectory()),
      program_(program),
      runtime_(window_system_,
               frame::Runtime::Options{.program_file = directory_ / "program",
                                       .end_process = false,
                                       .make_component = std::move(make_component),
                                       .start_thread = [this](std::function<void()> body) {
                                         StartThread(std::move(body));
                                       }}) {}

void HeadlessProgram::StartThread(std::function<void()> body) const {
  if (thread_starts_fail_) {
    throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
  }
  std::thread(std::move(body)).detach();
}

HeadlessProgram::~HeadlessProgram() {
  bool settled = Settle();
  for (int round = 0; round < 10 && !settled; ++round) {
    window_system_.DismissOpenMessageBoxes();
    settled = Settle();
  }
  if (!settled) {
    // Tearing down under a running worker would be undefined; stop loudly.
    std::fputs("HeadlessProgram: a worker thread did not finish\n", stderr);
    std::abort();
  }
  std::error_code ignored;
  std::filesystem::current_path(previous_directory_, ignored);
  std::filesystem::remove_all(directory_, ignored);
}

bool HeadlessProgram::Start() {
  return runtime_.Start(program_);
}

bool HeadlessProgram::Settle(std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    window_system_.ProcessPendingTasks();
    int workers = runtime_.active_workers();
    if (workers == 0) return true;
    if (window_system_.OpenMessageBoxCount() >= static_cast<size_t>(workers)) return false;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    window_system_.WaitForActivity(std::chrono::milliseconds(5));
  }
}

}  // namespace testing_support
