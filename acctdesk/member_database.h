// acctdesk's one connection, to the account database "KV7_Member".
#pragma once

#include <optional>
#include <string_view>

#include "frame/text/gbk.h"

namespace acctdesk {

bool ConnectMemberDatabase(const frame::Text& server, const frame::Text& user,
                           const frame::Text& password);

// How a statement aimed at one row names it: the table and its key column.
struct RowKey {
  std::string_view table;
  std::string_view column;
};

inline constexpr RowKey kAccountById{"Member", "ID"};

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
StatementOutcome RunMemberStatement(const frame::Text& statement,
                                    const std::optional<TargetRow>& target = std::nullopt);

}  // namespace acctdesk
