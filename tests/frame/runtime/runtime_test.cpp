// The program's life: start-up order, the close box, ending, fatal errors,
// and worker threads.
#include "frame/runtime/runtime.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "frame/services/control_services.h"
#include "frame/services/program_services.h"
#include "tests/support/headless_program.h"
#include "tests/support/test_window.h"

namespace {

using namespace test_window;
using frame::kMainWindowId;
using frame::MessageBoxButton;
using frame::Property;
using Entries = std::vector<std::string>;

class RuntimeTest : public ::testing::Test {
 protected:
  void SetUp() override { Reset(); }
  void TearDown() override { Reset(); }
};

constexpr const char* kFatalBoxStart = "运行时出错!\r\n\r\n";

TEST_F(RuntimeTest, RunsStartUpInOrderAndEndsWithZeroWhenClosed) {
  testing_support::HeadlessProgram program(kProgram);
  std::filesystem::path directory;
  frame::Text program_directory;
  hooks().created = [&] {
    directory = std::filesystem::current_path();
    program_directory = frame::GetProgramDirectory();
  };
  // Operator actions queued before the loop runs come after the created event.
  program.window().Post([&] { program.window().Click(kButton); });
  program.window().Post([&] { program.window().CloseWindow(); });

  EXPECT_EQ(program.runtime().Run(kProgram), 0);
  EXPECT_EQ(Log(), (Entries{"start", "created", "button", "exit routine"}));
  EXPECT_EQ(directory, program.directory());
  EXPECT_EQ(program_directory, frame::Gbk(program.directory().string()));
  EXPECT_TRUE(program.window().MessageBoxes().empty()) << "the close box asks nothing";
  EXPECT_FALSE(program.window().IsWindowOpen());
}

TEST_F(RuntimeTest, EventsAfterTheWindowClosedAreDropped) {
  testing_support::HeadlessProgram program(kProgram);
  ASSERT_TRUE(program.Start());
  program.window().CloseWindow();
  EXPECT_FALSE(program.window().Click(kButton));
  EXPECT_EQ(Log(), (Entries{"start", "created"}));
}

TEST_F(RuntimeTest, EndProgramRunsTheExitRoutineAndEndsWithItsCode) {
  testing_support::HeadlessProgram program(kProgram);
  ASSERT_TRUE(program.Start());
  hooks().menu = [] {
    if (frame::ShowMessageBox(frame::Gbk("退出？"), 4) == 5) frame::EndProgram(0);
    Note("still here");
  };
  program.window().AnswerNextMessageBox(MessageBoxButton::kNo);
  program.window().ChooseMenuItem(kExitItem);
  EXPECT_FALSE(program.runtime().exit_code().has_value());
  EXPECT_TRUE(program.window().IsWindowOpen());

  program.window().AnswerNextMessageBox(MessageBoxButton::kYes);
  program.window().ChooseMenuItem(kExitItem);
  EXPECT_EQ(program.runtime().exit_code(), 0);
  EXPECT_EQ(Log(), (Entries{"start", "created", "menu", "still here", "menu", "exit routine"}));

  // The process has ended: nothing is dispatched any more.
  program.window().Click(kButton);
  EXPECT_EQ(Log().back(), "exit routine");
}

TEST_F(RuntimeTest, AFatalErrorShowsItsBoxDropsEventsAndEndsWithMinusOne) {
  struct Case {
    int32_t code;
    const char* text;
    const char* shown;
  };
  const Case cases[] = {
      {0, "载入启动窗口失败", "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n"},
      {6, "调用DLL命令后发现堆栈错误",
       "运行时出错!\r\n\r\n错误代码：6\r\n\r\n错误信息：调用DLL命令后发现堆栈错误\r\n"},
      {-3, "", "运行时出错!\r\n\r\n错误代码：-3\r\n\r\n"},
      {0, "", kFatalBoxStart},
  };
  for (const Case& c : cases) {
    Reset();
    testing_support::HeadlessProgram program(kProgram);
    ASSERT_TRUE(program.Start());
    hooks().button = [&] {
      frame::ReportRuntimeError(c.code, frame::Gbk(c.text));
      Note("after the error");
    };
    program.window().Click(kButton);

    auto boxes = program.window().MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, c.shown);
    EXPECT_EQ(boxes[0].caption, "错误");
    EXPECT_EQ(boxes[0].flags & 0xFF, frame::kMessageBoxIconError);
    EXPECT_EQ(program.runtime().exit_code(), -1);
    EXPECT_TRUE(program.runtime().is_fatal());
    program.window().Click(kButton);
    EXPECT_EQ(Log(), (Entries{"start", "created", "button"})) << "no exit routine, nothing after";
  }
}

TEST_F(RuntimeTest, DefinitionsThatCannotLoadEndTheProgramAtStart) {
  static constexpr frame::ControlDefinition kClash[] = {
      {.id = frame::ControlNumber(1), .kind = frame::ControlKind::kButton},
      {.id = frame::ControlNumber(1), .kind = frame::ControlKind::kLabel},
  };
  static const frame::WindowDefinition kBroken{.controls = kClash};
  static constexpr const frame::WindowDefinition* kBrokenWindows[] = {&kBroken};
  static const frame::WindowDefinition kOther{.id = frame::WindowId{0x52010002}};
  static constexpr const frame::WindowDefinition* kOtherWindows[] = {&kOther};

  struct Case {
    frame::Program program;
    const char* message;
  };
  const Case cases[] = {
      {{.windows = kBrokenWindows, .exit_routine = kProgram.exit_routine},
       "载入窗口模板数据段出错!"},
      {{.windows = kOtherWindows, .exit_routine = kProgram.exit_routine}, "载入启动窗口失败"},
  };
  for (const Case& c : cases) {
    Reset();
    testing_support::HeadlessProgram program(c.program);
    EXPECT_EQ(program.runtime().Run(c.program), -1);
    auto boxes = program.window().MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, std::string(kFatalBoxStart) + "错误信息：" + c.message + "\r\n");
    EXPECT_TRUE(Log().empty()) << "the exit routine is forgotten";
  }
}

// Raises a click while the window is being built, as a toolkit might.
class NoisyBuilder final : public frame::WindowSystem {
 public:
  bool IsUiThread() const override { return inner.IsUiThread(); }
  void InvokeOnUiThread(const std::function<void()>& task) override {
    inner.InvokeOnUiThread(task);
  }
  frame::MessageBoxButton ShowMessageBox(const frame::MessageBoxRequest& r) override {
    return inner.ShowMessageBox(r);
  }
  bool BuildWindow(const frame::WindowDefinition& definition, frame::EventSink& sink) override {
    bool built = inner.BuildWindow(definition, sink);
    sink.DispatchEvent({.window = definition.id, .control = kButton});
    return built;
  }
  frame::PropertyValue GetProperty(frame::WindowId w, frame::ControlId c, Property p) override {
    return inner.GetProperty(w, c, p);
  }
  void SetProperty(frame::WindowId w, frame::ControlId c, Property p,
                   const frame::PropertyValue& v) override {
    inner.SetProperty(w, c, p, v);
  }
  int32_t AddComboItem(frame::WindowId w, frame::ControlId c, const frame::Text& t,
                       int32_t d) override {
    return inner.AddComboItem(w, c, t, d);
  }
  void ClearComboItems(frame::WindowId w, frame::ControlId c) override {
    inner.ClearComboItems(w, c);
  }
  void AppendEditText(frame::WindowId w, frame::ControlId c, const frame::Text& t) override {
    inner.AppendEditText(w, c, t);
  }
  void FocusControl(frame::WindowId w, frame::ControlId c) override { inner.FocusControl(w, c); }
  int RunMessageLoop() override { return inner.RunMessageLoop(); }
  void QuitMessageLoop(int code) override { inner.QuitMessageLoop(code); }

  frame::HeadlessWindowSystem inner;
};

TEST_F(RuntimeTest, EventsRaisedWhileBuildingAreDroppedAndCreatedRunsFirstAndOnce) {
  NoisyBuilder window_system;
  frame::Runtime runtime(window_system, {.end_process = false});
  ASSERT_TRUE(runtime.Start(kProgram));
  window_system.inner.Click(kButton);
  EXPECT_EQ(Log(), (Entries{"start", "created", "button"}));
}

TEST_F(RuntimeTest, AWorkerWorksTheWindowThroughTheUiThread) {
  testing_support::HeadlessProgram program(kProgram);
  ASSERT_TRUE(program.Start());
  static std::atomic<bool> ran_on_ui{true};
  hooks().button = [] {
    frame::StartThread([] {
      ran_on_ui = frame::Runtime::Current().window_system().IsUiThread();
      frame::SetControlProperty(kMainWindowId, kButton, Property::kDisabled, true);
      frame::AddComboItem(kMainWindowId, kEmptyCombo, frame::Gbk("甲"));
      frame::Text text = frame::GetControlProperty(kMainWindowId, kEdit, Property::kText).AsText();
      frame::AppendEditText(kMainWindowId, kMultiLine, text);
    });
  };
  program.window().Click(kButton);
  ASSERT_TRUE(program.Settle());
  EXPECT_FALSE(ran_on_ui);
  EXPECT_TRUE(program.window().IsDisabled(kButton));
  EXPECT_EQ(program.window().ComboItems(kEmptyCombo), (std::vector<std::string>{"甲"}));
  EXPECT_EQ(program.window().TextOf(kMultiLine), "初始");
}

TEST_F(RuntimeTest, AWorkersBoxBlocksOnlyTheWorker) {
  testing_support::HeadlessProgram program(kProgram);
  ASSERT_TRUE(program.Start());
  static std::atomic<int> answer{-1};
  hooks().combo = [] {
    frame::StartThread([] {
      answer = frame::ShowMessageBox(frame::Gbk("继续？"), 0x24, frame::Gbk("问题"));
      frame::SetControlProperty(kMainWindowId, kReadOnly, Property::kText, "done");
    });
  };
  program.window().PickComboItem(kCombo, 0);

  auto box = program.window().WaitForOpenMessageBox(std::chrono::seconds(10));
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(box->text, "继续？");
  EXPECT_EQ(box->caption, "问题");
  EXPECT_EQ(box->flags, 0x2024);
  EXPECT_TRUE(box->from_worker);
  EXPECT_FALSE(program.Settle(std::chrono::seconds(10))) << "the worker waits for the operator";

  // The window stays usable while the box is open.
  EXPECT_TRUE(program.window().Click(kButton));
  EXPECT_EQ(Log().back(), "button");

  EXPECT_TRUE(program.window().AnswerOpenMessageBox(MessageBoxButton::kYes));
  ASSERT_TRUE(program.Settle());
  EXPECT_EQ(answer, 5);
  EXPECT_EQ(program.window().TextOf(kReadOnly), "done");
}

TEST_F(RuntimeTest, EndProgramOnAWorkerRunsTheExitRoutineOnTheUiThread) {
  testing_support::HeadlessProgram program(kProgram);
  ASSERT_TRUE(program.Start());
  static std::atomic<bool> exit_on_ui{false};
  hooks().exit_routine = [] {
    exit_on_ui = frame::Runtime::Current().window_system().IsUiThread();
  };
  hooks().button = [] { frame::StartThread([] { frame::EndProgram(3); }); };
  program.window().Click(kButton);
  ASSERT_TRUE(program.Settle());
  EXPECT_EQ(program.runtime().exit_code(), 3);
  EXPECT_TRUE(exit_on_ui);
  EXPECT_EQ(Log().back(), "exit routine");
}

TEST_F(RuntimeTest, AStartedThreadRunsDetachedAndANullBodyIsRefused) {
  testing_support::HeadlessProgram program(kProgram);
  ASSERT_TRUE(program.Start());
  static std::atomic<int> runs{0};
  EXPECT_TRUE(frame::StartThread([] { ++runs; }));
  EXPECT_TRUE(frame::StartThread([] { ++runs; }));
  EXPECT_FALSE(frame::StartThread(nullptr));
  ASSERT_TRUE(program.Settle());
  EXPECT_EQ(runs, 2);
}

// A thread the system cannot give is a false result: nothing runs, no worker
// is left counted, and the next start works again.
TEST_F(RuntimeTest, AThreadThatCannotStartIsAFalseResult) {
  testing_support::HeadlessProgram program(kProgram);
  ASSERT_TRUE(program.Start());
  static std::atomic<int> runs{0};
  program.FailThreadStarts(true);
  EXPECT_FALSE(frame::StartThread([] { ++runs; }));
  EXPECT_EQ(program.runtime().active_workers(), 0);
  program.FailThreadStarts(false);
  EXPECT_TRUE(frame::StartThread([] { ++runs; }));
  ASSERT_TRUE(program.Settle());
  EXPECT_EQ(runs, 1);
}

}  // namespace
