// Calls waited for only while they make progress, on a thread that serves
// its owner's calls one after another.
#include "frame/db/watched_call.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <new>
#include <set>
#include <string>
#include <thread>

#include "tests/frame/db/process_threads.h"

namespace {

using frame::CallProgress;
using frame::CallWatcher;
using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// The threads of the process once it has started one: a sanitizer starts
// a thread of its own along with the first.
size_t SettledThreadCount() {
  std::thread([] {}).join();
  return db_test::ThreadCount();
}

template <class Predicate>
bool Eventually(Predicate predicate) {
  for (int i = 0; i < 500 && !predicate(); ++i)
    std::this_thread::sleep_for(milliseconds(10));
  return predicate();
}

TEST(WatchedCall, WaitsAsLongAsTheCallKeepsStepping) {
  // Several times the patience in all, but never silent for long (the
  // margin is for a loaded machine).
  CallWatcher watcher;
  auto watched = watcher.Run<std::string>(
      [](CallProgress& progress) {
        for (int i = 0; i < 30; ++i) {
          std::this_thread::sleep_for(milliseconds(40));
          progress.Step();
        }
        return std::string("all rows");
      },
      milliseconds(300));
  ASSERT_TRUE(watched.ok()) << watched.error().Describe();
  EXPECT_EQ(watched.value(), "all rows");
}

// A silent call is given up on at once, asked to stop, and holds the
// watcher until it returns; then the watcher serves the next call.
TEST(WatchedCall, GivesUpOnASilentCallWhichThenEndsOnItsOwn) {
  CallWatcher watcher;
  auto finished = std::make_shared<std::atomic<bool>>(false);
  auto release = std::make_shared<std::atomic<bool>>(false);
  auto saw_abandoned = std::make_shared<std::atomic<bool>>(false);
  int give_ups = 0;
  auto start = Clock::now();
  auto watched = watcher.Run<int>(
      [finished, release, saw_abandoned](CallProgress& progress) {
        progress.Step();
        while (!*release)
          std::this_thread::sleep_for(milliseconds(5));
        *saw_abandoned = progress.abandoned();
        *finished = true;
        return 1;
      },
      milliseconds(100), [&] { ++give_ups; });
  ASSERT_FALSE(watched.ok());
  EXPECT_EQ(watched.error(), CallWatcher::GivenUpError());
  EXPECT_EQ(watched.error().state, "HYT00");
  EXPECT_LT(Clock::now() - start, milliseconds(350));
  EXPECT_EQ(give_ups, 1);
  EXPECT_FALSE(*finished);
  EXPECT_TRUE(watcher.busy());

  // Meanwhile nothing else starts, and nobody waits to hear so.
  bool ran = false;
  start = Clock::now();
  auto refused = watcher.Run<int>(
      [&ran](CallProgress&) {
        ran = true;
        return 2;
      },
      milliseconds(1000));
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error(), CallWatcher::BusyError());
  EXPECT_EQ(refused.error().state, "HY000");
  EXPECT_LT(Clock::now() - start, milliseconds(50));

  *release = true;
  ASSERT_TRUE(Eventually([&] { return !watcher.busy(); }));
  EXPECT_TRUE(*finished);
  EXPECT_TRUE(*saw_abandoned);
  EXPECT_FALSE(ran);
  auto next = watcher.Run<int>([](CallProgress& progress) { return progress.abandoned() ? -1 : 3; },
                               milliseconds(1000));
  ASSERT_TRUE(next.ok());
  EXPECT_EQ(next.value(), 3);
}

TEST(WatchedCall, PassesOnWhatTheCallThrowsAndServesTheNext) {
  CallWatcher watcher;
  auto call = [](CallProgress&) -> int { throw std::bad_alloc(); };
  EXPECT_THROW(watcher.Run<int>(call, milliseconds(1000)), std::bad_alloc);
  EXPECT_EQ(watcher.Run<int>([](CallProgress&) { return 4; }, milliseconds(1000)).value(), 4);
}

// The calls of one owner share one thread, started once: many short calls
// cost no thread each.
TEST(WatchedCall, CallsOneAfterAnotherShareOneThread) {
  size_t threads_before = SettledThreadCount();
  CallWatcher watcher;
  std::set<std::thread::id> threads;
  for (int i = 0; i < 500; ++i) {
    auto watched = watcher.Run<std::thread::id>(
        [](CallProgress&) { return std::this_thread::get_id(); }, milliseconds(1000));
    ASSERT_TRUE(watched.ok());
    threads.insert(watched.value());
  }
  EXPECT_EQ(threads.size(), 1u);
  EXPECT_NE(*threads.begin(), std::this_thread::get_id());
  EXPECT_EQ(db_test::ThreadCount(), threads_before + 1);
}

TEST(WatchedCall, AThreadThatCannotStartIsAnAnswerAndIsTriedAgain) {
  CallWatcher watcher;
  bool ran = false;
  std::thread([&] {
    ASSERT_TRUE(db_test::ForbidNewThreadsOnThisThread());
    auto watched = watcher.Run<int>(
        [&ran](CallProgress&) {
          ran = true;
          return 1;
        },
        milliseconds(1000));
    ASSERT_FALSE(watched.ok());
    EXPECT_EQ(watched.error().state, "HY000");
    EXPECT_THAT(watched.error().message, ::testing::HasSubstr("no thread"));
    EXPECT_FALSE(watcher.busy());
  }).join();
  EXPECT_FALSE(ran);
  EXPECT_EQ(watcher.Run<int>([](CallProgress&) { return 5; }, milliseconds(1000)).value(), 5);
}

// Its owner going away does not wait for a call given up on; the call and
// its thread end on their own.
TEST(WatchedCall, GoingAwayLeavesAGivenUpCallToEndOnItsOwn) {
  size_t threads_before = SettledThreadCount();
  auto release = std::make_shared<std::atomic<bool>>(false);
  auto finished = std::make_shared<std::atomic<bool>>(false);
  auto watcher = std::make_unique<CallWatcher>();
  auto watched = watcher->Run<int>(
      [release, finished](CallProgress&) {
        while (!*release)
          std::this_thread::sleep_for(milliseconds(5));
        *finished = true;
        return 1;
      },
      milliseconds(50));
  ASSERT_FALSE(watched.ok());
  ASSERT_EQ(watched.error(), CallWatcher::GivenUpError());
  auto start = Clock::now();
  watcher.reset();
  EXPECT_LT(Clock::now() - start, milliseconds(50));
  EXPECT_FALSE(*finished);
  *release = true;
  EXPECT_TRUE(Eventually([&] { return *finished && db_test::ThreadCount() == threads_before; }));
}

}  // namespace
