// The sample window under Qt, started afresh for each test, and the small
// helpers its suites share.
#pragma once

#include <gtest/gtest.h>

#include <QString>

#include "frame/services/control_services.h"
#include "tests/frame/qt/qt_program.h"
#include "tests/support/test_window.h"

namespace testing_support {

class SampleWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test_window::Reset();
    ASSERT_TRUE(program_.Start());
  }
  void TearDown() override { test_window::Reset(); }

  QtProgram program_{test_window::kProgram};
};

inline QString Q(const char* utf8) {
  return QString::fromUtf8(utf8);
}

inline frame::Text Get(frame::ControlId control, frame::Property property) {
  return frame::GetControlProperty(frame::kMainWindowId, control, property).AsText();
}

inline void Set(frame::ControlId control, frame::Property property,
                const frame::PropertyValue& value) {
  frame::SetControlProperty(frame::kMainWindowId, control, property, value);
}

}  // namespace testing_support
