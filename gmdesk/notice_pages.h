// What the four notice pages share: a button's statement run and logged on
// its page, and number lists filled from one column of a query.
#pragma once

#include <initializer_list>
#include <optional>
#include <string_view>

#include "frame/text/gbk.h"
#include "frame/window/window_model.h"
#include "gmdesk/database_steps.h"

namespace gmdesk {

// A control's text, ready to stand between quotes in a statement.
frame::Text QuotedTextOf(frame::ControlId control, frame::Property property);

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

// Appends the column's value of every row the query returns to each list, in
// the server's order, without clearing them.
void AppendColumnToLists(frame::ControlId records, frame::ControlId connection,
                         const frame::Text& query, std::string_view column,
                         std::initializer_list<frame::ControlId> lists);

}  // namespace gmdesk
