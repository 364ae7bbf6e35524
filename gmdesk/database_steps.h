// Steps that gmdesk's handlers share: the rows their statements aim at, the
// one-field read and the filling of lists from a query.
#pragma once

#include <initializer_list>
#include <optional>
#include <string_view>

#include "frame/db/statement_outcome.h"
#include "frame/text/gbk.h"
#include "frame/window/window_model.h"

namespace gmdesk {

using frame::RowKey;
using frame::StatementOutcome;
using frame::TargetRow;

inline constexpr RowKey kAccountById{"Member", "ID"};
inline constexpr RowKey kAccountByKey{"Member", "MemberKey"};
inline constexpr RowKey kEventByNumber{"TB_Event", "EventNo"};
inline constexpr RowKey kChannelByNumber{"TB_Channel_Notice", "Channel"};
inline constexpr RowKey kCharacterBasicById{"TB_CharacterBasic", "CharacterID"};
inline constexpr RowKey kCharacterSubById{"TB_CharacterSub", "CharacterID"};

// frame::RunStatement on gmdesk's window.
StatementOutcome RunStatement(frame::ControlId connection, const frame::Text& statement,
                              const std::optional<TargetRow>& target = std::nullopt,
                              std::optional<int> timeout_seconds = std::nullopt);

// Attaches the record set to the connection, opens the statement, reads the
// field of the row the open leaves current, and closes it. "" when there is
// no row or the field cannot be read; none when the statement failed.
std::optional<frame::Text> TryReadOneField(frame::ControlId records, frame::ControlId connection,
                                           const frame::Text& statement, std::string_view field);

// The same, with "" for a statement that failed.
frame::Text ReadOneField(frame::ControlId records, frame::ControlId connection,
                         const frame::Text& statement, std::string_view field);

// Appends the column's value of every row the query returns to each list, in
// the server's order, without clearing them; true when the query ran.
bool AppendColumnToLists(frame::ControlId records, frame::ControlId connection,
                         const frame::Text& query, std::string_view column,
                         std::initializer_list<frame::ControlId> lists);

}  // namespace gmdesk
