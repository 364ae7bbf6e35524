// acctdesk's one connection, to the account database "KV7_Member".
#pragma once

#include "frame/gbk.h"

namespace acctdesk {

bool ConnectMemberDatabase(const frame::Text& server, const frame::Text& user,
                           const frame::Text& password);

enum class StatementOutcome {
  kFailed,        // the statement did not run
  kNoRowChanged,  // it ran and reported that it changed no row
  kRan,           // it ran (and changed rows, or reported no count)
};

StatementOutcome RunMemberStatement(const frame::Text& statement);

}  // namespace acctdesk
