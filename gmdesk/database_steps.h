// Steps that gmdesk's handlers share: running a statement and the
// one-field read.
#pragma once

#include <optional>
#include <string_view>

#include "frame/text/gbk.h"
#include "frame/window/window_model.h"

namespace gmdesk {

// How a statement aimed at one row names it: the table and its key column.
struct RowKey {
  std::string_view table;
  std::string_view column;
};

inline constexpr RowKey kAccountById{"Member", "ID"};
inline constexpr RowKey kAccountByKey{"Member", "MemberKey"};
inline constexpr RowKey kEventByNumber{"TB_Event", "EventNo"};
inline constexpr RowKey kChannelByNumber{"TB_Channel_Notice", "Channel"};
inline constexpr RowKey kCharacterBasicById{"TB_CharacterBasic", "CharacterID"};
inline constexpr RowKey kCharacterSubById{"TB_CharacterSub", "CharacterID"};

// The one row a statement changes: its key, quoted as the statement has it.
struct TargetRow {
  RowKey key;
  frame::Text quoted_value;
};

enum class StatementOutcome {
  kFailed,     // the statement did not run
  kNoSuchRow,  // it ran, changed no row, and its target row is not there
  kRan,
};

// ExecuteSql on the connection. The driver may report a trigger's count in
// place of the statement's own, so a count of 0 alone proves nothing: the
// target row is then looked up on the same connection, and only a row that is
// not there makes it kNoSuchRow. A look-up that fails proves nothing either:
// the statement ran.
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

}  // namespace gmdesk
