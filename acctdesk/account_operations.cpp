#include "acctdesk/account_operations.h"

#include "acctdesk/main_window.h"
#include "acctdesk/message_area.h"
#include "acctdesk/run_and_report.h"
#include "frame/services/services.h"

namespace acctdesk {
namespace {

// The two procedure calls separate their arguments differently, and the
// GM-level updates have no blank before "where": the server accepts both.
constexpr StatementPart kRegisterParts[] = {
    Piece("up_CreateMemberAccount '0', '"), BoxText(kRegisterAccountBox), Piece("', '"),
    BoxText(kRegisterPasswordBox), Piece("', '1', '2014-08-21'")};
constexpr StatementPart kChangePasswordParts[] = {Piece("up_updatememberpwbyid '"),
                                                  BoxText(kPasswordAccountBox), Piece("','"),
                                                  BoxText(kNewPasswordBox), Piece("'")};
constexpr StatementPart kBanParts[] = {Piece("update member set GMLevel='2'where id='"),
                                       BoxText(kBanAccountBox), Piece("'")};
constexpr StatementPart kUnbanParts[] = {Piece("update member set GMLevel='0'where id='"),
                                         BoxText(kUnbanAccountBox), Piece("'")};
constexpr StatementPart kBanAllParts[] = {Piece("update member set GMLevel='2'")};
constexpr StatementPart kUnbanAllParts[] = {Piece("update member set GMLevel='0'")};

constexpr Operation kRegister{LastStatement::kRegister, kRegisterParts, "\r\n>帐号注册成功！<",
                              "注册失败,请检查服务器连接是否正常"};
constexpr Operation kChangePassword{LastStatement::kChangePassword, kChangePasswordParts,
                                    "\r\n>密码修改成功！<", "修改失败,请检查服务器连接是否正常"};
constexpr Operation kBan{LastStatement::kBan, kBanParts, "\r\n>帐号停封成功！<",
                         "停封失败,请检查服务器连接是否正常", kBanAccountBox};
constexpr Operation kUnban{LastStatement::kUnban, kUnbanParts, "\r\n>帐号解封成功！<",
                           "解封失败,请检查服务器连接是否正常", kUnbanAccountBox};
constexpr Operation kBanAll{LastStatement::kBanAll, kBanAllParts, "\r\n>所有帐号停封成功！<",
                            "停封失败,请检查服务器连接是否正常"};
constexpr Operation kUnbanAll{LastStatement::kUnbanAll, kUnbanAllParts, "\r\n>所有帐号解封成功！<",
                              "解封失败,请检查服务器连接是否正常"};

// The two GM groups: an account box and an address box each.
struct GmGroup {
  ControlId account_box;
  ControlId address_box;
};

void OpenGmAccountOf(const GmGroup& group) {
  frame::Text account = frame::QuotedControlText(kMainWindow, group.account_box);
  frame::Text level_update =
      frame::ConcatTexts("update member set GMLevel='2'where id='", account, "'");
  StoreLastStatement(LastStatement::kGmLevelUpdate, level_update);
  frame::Text address =
      frame::QuotedControlText(kMainWindow, group.address_box, frame::Property::kContentText);
  frame::Text link_insert = frame::ConcatTexts(
      "INSERT INTO dbo.TB_DefGMAccountLinkIP(ID, IP, SubNetMask, GMLevel, Memo ) VALUES('", account,
      "','", address, "','GM','2','GM')");
  StoreLastStatement(LastStatement::kGmLinkInsert, link_insert);

  switch (RunMemberStatement(level_update, TargetRow{kAccountById, account})) {
    case StatementOutcome::kFailed:
      frame::ShowMessageBox(frame::Gbk("开启失败,请检查服务器连接是否正常"));
      return;
    case StatementOutcome::kNoSuchRow:
      ReportNoSuchAccount();
      return;
    case StatementOutcome::kRan:
      break;
  }
  if (RunMemberStatement(link_insert) == StatementOutcome::kFailed) {
    AppendMessageLine(frame::Gbk("\r\n>开启失败,未知原因！<"));
  } else {
    AppendMessageLine(frame::Gbk("\r\n>GM帐号开启成功！<"));
  }
}

}  // namespace

void RegisterAccount() {
  RunAndReport(kRegister);
}
void ChangeAccountPassword() {
  RunAndReport(kChangePassword);
}
void BanAccount() {
  RunAndReport(kBan);
}
void UnbanAccount() {
  RunAndReport(kUnban);
}
void BanAllAccounts() {
  RunAndReport(kBanAll);
}
void UnbanAllAccounts() {
  RunAndReport(kUnbanAll);
}
void OpenTestGmAccount() {
  OpenGmAccountOf({kTestGmAccountBox, kTestGmAddressBox});
}
void OpenGmAccount() {
  OpenGmAccountOf({kGmAccountBox, kGmAddressBox});
}

}  // namespace acctdesk
