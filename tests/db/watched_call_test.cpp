// A call waited for only while it makes progress.
#include "frame/db/watched_call.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <new>
#include <string>
#include <thread>

namespace {

using std::chrono::milliseconds;

TEST(WatchedCall, WaitsAsLongAsTheCallKeepsStepping) {
  // Several times the patience in all, but never silent for long (the
  // margin is for a loaded machine).
  auto result = frame::RunWhileProgressing<std::string>(
      [](frame::CallProgress& progress) {
        for (int i = 0; i < 30; ++i) {
          std::this_thread::sleep_for(milliseconds(40));
          progress.Step();
        }
        return std::string("all rows");
      },
      milliseconds(300));
  EXPECT_EQ(result, "all rows");
}

TEST(WatchedCall, GivesUpOnASilentCallWhichThenEndsOnItsOwn) {
  auto finished = std::make_shared<std::atomic<bool>>(false);
  auto start = std::chrono::steady_clock::now();
  auto result = frame::RunWhileProgressing<int>(
      [finished](frame::CallProgress& progress) {
        progress.Step();
        std::this_thread::sleep_for(milliseconds(400));
        *finished = true;
        return 1;
      },
      milliseconds(100));
  EXPECT_EQ(result, std::nullopt);
  EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(350));
  EXPECT_FALSE(*finished);
  while (!*finished)
    std::this_thread::sleep_for(milliseconds(10));
}

TEST(WatchedCall, PassesOnWhatTheCallThrows) {
  auto call = [](frame::CallProgress&) -> int { throw std::bad_alloc(); };
  EXPECT_THROW(frame::RunWhileProgressing<int>(call, milliseconds(1000)), std::bad_alloc);
}

}  // namespace
