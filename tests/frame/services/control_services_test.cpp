// Message boxes as handlers see them, and properties of the window's components.
#include "frame/services/control_services.h"

#include <gtest/gtest.h>

#include "frame/runtime/runtime.h"
#include "tests/support/headless_program.h"
#include "tests/support/test_window.h"

namespace {

using namespace test_window;
using frame::MessageBoxButton;
using frame::Value;

class ControlServices : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset();
    ASSERT_TRUE(program_.Start());
  }
  void TearDown() override { Reset(); }

  frame::HeadlessWindowSystem::ShownMessageBox LastBox() {
    auto boxes = program_.window().MessageBoxes();
    return boxes.empty() ? frame::HeadlessWindowSystem::ShownMessageBox{} : boxes.back();
  }

  testing_support::HeadlessProgram program_{kProgram};
};

TEST_F(ControlServices, AMessageBoxReturnsTheButtonLessOne) {
  struct Case {
    int32_t flags;
    std::optional<MessageBoxButton> answer;  // none: the box is dismissed
    int32_t result;
  };
  const Case cases[] = {
      {0, MessageBoxButton::kOk, 0},
      {0, std::nullopt, 0},
      {4, MessageBoxButton::kYes, 5},
      {4, MessageBoxButton::kNo, 6},
      {4, std::nullopt, 6},
      {0x24, MessageBoxButton::kYes, 5},
      {1, MessageBoxButton::kCancel, 1},
      {2, MessageBoxButton::kAbort, 2},
      {2, MessageBoxButton::kRetry, 3},
      {2, MessageBoxButton::kIgnore, 4},
      {0, MessageBoxButton{42}, 0},
  };
  for (const Case& c : cases) {
    if (c.answer) program_.window().AnswerNextMessageBox(*c.answer);
    EXPECT_EQ(frame::ShowMessageBox("?", c.flags), c.result) << c.flags;
  }
}

TEST_F(ControlServices, AMessageBoxIsTaskModalWithTheDefaultCaption) {
  frame::ShowMessageBox(frame::Gbk("连接失败：KV7_Member"));
  EXPECT_EQ(LastBox().text, "连接失败：KV7_Member");
  EXPECT_EQ(LastBox().caption, "信息：");
  EXPECT_EQ(LastBox().flags, 0x2000);
  EXPECT_FALSE(LastBox().from_worker);

  frame::ShowMessageBox("x", 0x1000 | 4, frame::Gbk("标题"));
  EXPECT_EQ(LastBox().caption, "标题");
  EXPECT_EQ(LastBox().flags, 0x1004) << "system-modal stays without task-modal";

  frame::ShowMessageBox("x", 0, "");
  EXPECT_EQ(LastBox().caption, "") << "an empty caption is a caption";
}

TEST_F(ControlServices, AMessageBoxShowsValuesAsText) {
  struct Case {
    Value value;
    const char* shown;
  };
  const Case cases[] = {
      {Value(int32_t{-5}), "-5"},
      {Value(1.5), "1.5"},
      {Value(true), "真"},
      {Value(frame::MakeDateTime(2015, 10, 1, 8, 5, 0)), "2015年10月1日8时5分"},
      {Value(frame::Gbk("文字")), "文字"},
      {Value::Array(std::vector<uint8_t>{'a', 'b'}), ""},
      {Value(frame::Subroutine{[] {}}), ""},
      {Value(), ""},
  };
  for (const Case& c : cases) {
    frame::ShowMessageBox(c.value);
    EXPECT_EQ(LastBox().text, c.shown);
  }
}

class AtEnd final : public frame::WindowComponent {
 public:
  frame::PropertyValue GetProperty(frame::Property property) const override {
    return property == frame::Property::kAtEnd ? frame::PropertyValue(true)
                                               : frame::PropertyValue();
  }
};

TEST(ControlServicesComponents, ComponentPropertiesComeFromTheComponent) {
  Reset();
  std::vector<frame::ControlId> made;
  testing_support::HeadlessProgram program(kProgram, [&](const frame::ControlDefinition& d) {
    made.push_back(d.id);
    return std::make_unique<AtEnd>();
  });
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(made, (std::vector<frame::ControlId>{kConnection, kRecords}));
  EXPECT_TRUE(
      frame::GetControlProperty(frame::kMainWindowId, kRecords, frame::Property::kAtEnd).AsBool());
  EXPECT_NE(program.runtime().FindComponent(frame::kMainWindowId, kConnection), nullptr);
  EXPECT_EQ(program.runtime().FindComponent(frame::kMainWindowId, kButton), nullptr);
  Reset();
}

}  // namespace
