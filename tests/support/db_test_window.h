// A window with nothing but database components, for the database suites.
#pragma once

#include <cstddef>

#include "frame/db/db_result.h"
#include "frame/runtime/runtime.h"
#include "frame/window/window_model.h"

namespace db_test {

inline constexpr frame::ControlId kConnection = frame::ControlNumber(0x0201);
inline constexpr frame::ControlId kOtherConnection = frame::ControlNumber(0x0202);
inline constexpr frame::ControlId kLabel = frame::ControlNumber(0x0203);

// Record sets 记录集1 to 记录集8.
inline constexpr size_t kRecordSetCount = 8;
constexpr frame::ControlId RecordSetId(size_t index) {
  return frame::ControlNumber(static_cast<uint16_t>(0x0210 + index));
}
inline constexpr frame::ControlId kRecords = RecordSetId(0);

inline constexpr frame::WindowId kWindowId = frame::kMainWindowId;
extern const frame::Program kProgram;

// What handlers never see: why the connection's last operation failed; an
// empty error when the window has no such connection.
frame::DbError LastErrorOf(frame::Runtime& runtime, frame::ControlId connection = kConnection);

}  // namespace db_test
