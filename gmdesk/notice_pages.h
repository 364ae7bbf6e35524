// What the four notice pages share: a button's statement run and logged on
// its page.
#pragma once

#include <optional>
#include <string_view>

#include "frame/text/gbk.h"
#include "frame/window/window_model.h"
#include "gmdesk/database_steps.h"

namespace gmdesk {

// How one button of a notice page runs its statement.
struct PageStatement {
  frame::ControlId connection;
  frame::ControlId button;
  bool disables_button;  // held disabled while the statement runs
  frame::ControlId log_box;
  std::string_view success_text;
};

// Runs the statement, logs its outcome on the page and enables the button
// again; true when it succeeded. A statement aimed at the chosen row fails
// when that row is not there.
bool RunPageStatement(const PageStatement& page, const frame::Text& statement,
                      const std::optional<TargetRow>& target = std::nullopt);

}  // namespace gmdesk
