#include "acctdesk/member_database.h"

#include "acctdesk/main_window.h"
#include "frame/db/db_services.h"

namespace acctdesk {

bool ConnectMemberDatabase(const frame::Text& server, const frame::Text& user,
                           const frame::Text& password) {
  return frame::ConnectSqlServer(kMainWindow, kMemberConnection, server, "KV7_Member", user,
                                 password);
}

StatementOutcome RunMemberStatement(const frame::Text& statement,
                                    const std::optional<TargetRow>& target) {
  return frame::RunStatement(kMainWindow, kMemberConnection, statement, target);
}

}  // namespace acctdesk
