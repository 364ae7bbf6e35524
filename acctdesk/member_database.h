// acctdesk's one connection, to the account database "KV7_Member".
#pragma once

#include <optional>

#include "frame/db/statement_outcome.h"
#include "frame/text/gbk.h"

namespace acctdesk {

bool ConnectMemberDatabase(const frame::Text& server, const frame::Text& user,
                           const frame::Text& password);

using frame::RowKey;
using frame::StatementOutcome;
using frame::TargetRow;

inline constexpr RowKey kAccountById{"Member", "ID"};

// frame::RunStatement on the one connection.
StatementOutcome RunMemberStatement(const frame::Text& statement,
                                    const std::optional<TargetRow>& target = std::nullopt);

}  // namespace acctdesk
