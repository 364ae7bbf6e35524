// What the notice-page suites share: a fixed clock for the result lines, the
// connected state that opens the pages, and a watch on a button while its
// statement runs.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "frame/db/db_services.h"
#include "frame/services/services.h"
#include "gmdesk/log_box.h"
#include "tests/gmdesk/gmdesk_program.h"

namespace notice_testing {

using gmdesk_testing::GmdeskProgram;

// The fixed clock's time as the result lines write it.
inline constexpr const char* kNow = "2015年10月1日8时5分";

inline frame::DateTime FixedClock() {
  return frame::MakeDateTime(2015, 10, 1, 8, 5, 0);
}

inline frame::Text Gbk(const std::string& utf8) {
  return frame::Gbk(utf8);
}

// One column of rows, as a query returns it.
inline frame::ResultTable Column(const std::string& name, frame::FieldKind kind,
                                 const std::vector<std::string>& values) {
  frame::ResultTable table{.columns = {name}, .rows = {}};
  for (const std::string& value : values)
    table.rows.push_back({{kind, frame::Gbk(value)}});
  return table;
}

// The connected state: the database open on the connection, panel 分组框2
// enabled and the page's loader run to its end.
inline void OpenNotices(GmdeskProgram& gmdesk, frame::ControlId connection, const char* database,
                        frame::Subroutine loader) {
  ASSERT_TRUE(frame::ConnectSqlServer(gmdesk::kMainWindow, connection, "127.0.0.1,1433", database,
                                      "sa", "pw"));
  frame::SetControlProperty(gmdesk::kMainWindow, gmdesk::kNoticePanel, frame::Property::kDisabled,
                            false);
  if (loader != nullptr) {
    ASSERT_TRUE(frame::StartThread(loader));
  }
  gmdesk.Settle();
}

// For each statement that holds `part`, whether `button` was disabled when it
// was sent. Script it after every other rule: it decides nothing itself.
inline std::shared_ptr<std::vector<bool>> WatchButton(GmdeskProgram& gmdesk,
                                                      const std::string& part,
                                                      frame::ControlId button) {
  auto seen = std::make_shared<std::vector<bool>>();
  frame::HeadlessWindowSystem& window = gmdesk.window();
  gmdesk.database().Script(frame::TextMatch([&window, part = frame::Gbk(part), button,
                                             seen](std::string_view statement) {
                             // Only the UI thread sends these statements.
                             if (statement.find(part) != std::string_view::npos)
                               seen->push_back(window.IsDisabled(button));
                             return false;
                           }),
                           {});
  return seen;
}

// The disabled flags written to the control, in order.
inline std::vector<bool> DisabledWrites(GmdeskProgram& gmdesk, frame::ControlId control) {
  std::vector<bool> flags;
  for (const auto& write : gmdesk.window().PropertyWrites()) {
    if (write.control == control && write.property == frame::Property::kDisabled)
      flags.push_back(write.value.AsBool());
  }
  return flags;
}

// Result lines come from the fixed clock while it lives.
class FixedLogClock {
 public:
  FixedLogClock() { gmdesk::log_box_clock = FixedClock; }
  ~FixedLogClock() { gmdesk::log_box_clock = frame::CurrentDateTime; }
  FixedLogClock(const FixedLogClock&) = delete;
  FixedLogClock& operator=(const FixedLogClock&) = delete;
};

}  // namespace notice_testing
