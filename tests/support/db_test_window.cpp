#include "tests/support/db_test_window.h"

#include <array>

#include "frame/db/db_connection.h"

namespace db_test {
namespace {

using frame::ControlDefinition;
using frame::ControlKind;

constexpr std::array<std::string_view, kRecordSetCount> kRecordSetNames = {
    "记录集1", "记录集2", "记录集3", "记录集4", "记录集5", "记录集6", "记录集7", "记录集8"};

constexpr auto kControls = [] {
  std::array<ControlDefinition, 3 + kRecordSetCount> controls{};
  controls[0] = {.id = kConnection, .kind = ControlKind::kDBConnection, .name = "数据库连接1"};
  controls[1] = {.id = kOtherConnection, .kind = ControlKind::kDBConnection, .name = "数据库连接2"};
  controls[2] = {.id = kLabel, .kind = ControlKind::kLabel, .name = "标签1", .text = "?"};
  for (size_t i = 0; i < kRecordSetCount; ++i) {
    controls[3 + i] = {
        .id = RecordSetId(i), .kind = ControlKind::kRecordSet, .name = kRecordSetNames[i]};
  }
  return controls;
}();

constexpr frame::WindowDefinition kWindow{
    .id = kWindowId,
    .title = "数据库",
    .rect = {0, 0, 300, 200},
    .controls = kControls,
};

constexpr const frame::WindowDefinition* kWindows[] = {&kWindow};

}  // namespace

const frame::Program kProgram{.windows = kWindows};

frame::DbError LastErrorOf(frame::Runtime& runtime, frame::ControlId connection) {
  auto* component =
      dynamic_cast<frame::DBConnection*>(runtime.FindComponent(kWindowId, connection));
  return component != nullptr ? component->last_error() : frame::DbError{};
}

}  // namespace db_test
