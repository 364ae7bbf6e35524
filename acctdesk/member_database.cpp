#include "acctdesk/member_database.h"

#include "acctdesk/main_window.h"
#include "frame/db/db_services.h"
#include "frame/services/services.h"

namespace acctdesk {
namespace {

frame::Text LookUpStatement(const TargetRow& target) {
  const RowKey& key = target.key;
  return frame::ConcatTexts("SELECT ", key.column, " FROM ", key.table, " Where ", key.column,
                            " ='", target.quoted_value, "'");
}

}  // namespace

bool ConnectMemberDatabase(const frame::Text& server, const frame::Text& user,
                           const frame::Text& password) {
  return frame::ConnectSqlServer(kMainWindow, kMemberConnection, server, "KV7_Member", user,
                                 password);
}

StatementOutcome RunMemberStatement(const frame::Text& statement,
                                    const std::optional<TargetRow>& target) {
  if (!frame::ExecuteSql(kMainWindow, kMemberConnection, statement)) {
    return StatementOutcome::kFailed;
  }
  if (!target || frame::LastChangedRowCount(kMainWindow, kMemberConnection) != 0) {
    return StatementOutcome::kRan;
  }
  std::optional<bool> found =
      frame::QueryFindsRow(kMainWindow, kMemberConnection, LookUpStatement(*target));
  return found == false ? StatementOutcome::kNoSuchRow : StatementOutcome::kRan;
}

}  // namespace acctdesk
