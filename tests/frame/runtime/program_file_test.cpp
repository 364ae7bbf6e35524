// Start-up takes the program directory from the running program's own file
// and makes it the current directory, on each platform's way of naming it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "frame/headless/headless_window_system.h"
#include "frame/runtime/program_file.h"
#include "frame/runtime/runtime.h"
#include "frame/settings/file_paths.h"

namespace {

TEST(ProgramFileTest, StartUpRunsInTheDirectoryOfTheRunningProgram) {
  const std::filesystem::path file = frame::RunningProgramFile();
  ASSERT_TRUE(file.is_absolute()) << file;
  EXPECT_EQ(file.stem(), "frame_core_tests");

  const std::filesystem::path before = std::filesystem::current_path();
  frame::HeadlessWindowSystem window_system;
  frame::Runtime runtime(window_system, frame::Runtime::Options{.end_process = false});
  runtime.InitRuntime(frame::Program{});
  const std::filesystem::path now = std::filesystem::current_path();
  std::filesystem::current_path(before);

  EXPECT_EQ(now, file.parent_path());
  // Up to the last separator ('\' on Windows), without it.
  const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
  EXPECT_EQ(runtime.program_directory() + separator + frame::PathText(file.filename()),
            frame::PathText(file));
}

}  // namespace
