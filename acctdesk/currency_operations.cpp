#include "acctdesk/currency_operations.h"

#include <string_view>

#include "acctdesk/main_window.h"
#include "acctdesk/message_area.h"
#include "acctdesk/run_and_report.h"
#include "frame/services/services.h"

namespace acctdesk {
namespace {

using frame::Property;

constexpr StatementPart kSetCashParts[] = {Piece("update member set Cash='"),
                                           BoxText(kSetCashValueBox), Piece("'where id='"),
                                           BoxText(kSetCashAccountBox), Piece("'")};
constexpr StatementPart kSetBonusCashParts[] = {Piece("update member set BonusCash='"),
                                                BoxText(kSetBonusValueBox), Piece("'where id='"),
                                                BoxText(kSetBonusAccountBox), Piece("'")};

constexpr Operation kSetCash{LastStatement::kSetCash, kSetCashParts, "\r\n>龙币修改成功！<",
                             "修改失败,请检查服务器连接是否正常", kSetCashAccountBox};
constexpr Operation kSetBonusCash{LastStatement::kSetBonusCash, kSetBonusCashParts,
                                  "\r\n>积分修改成功！<", "修改失败,请检查服务器连接是否正常",
                                  kSetBonusAccountBox};

// The amount each item of the list adds; items 12 and 13 have none.
constexpr std::string_view kTopUpAmounts[] = {
    "25000", "100000", "200000", "375000", "1000000", "2000000",
    "25000", "75000",  "125000", "250000", "750000",  "1250000",
};

// The currencies of a top-up, in the order they are tested.
struct TopUpCurrency {
  ControlId radio;
  std::string_view statement_start;
  std::string_view success_line;
};

constexpr TopUpCurrency kTopUpCurrencies[] = {
    {kTopUpCashRadio, "UPDATE Member SET Cash = Cash + '", "\r\n>龙币充值成功！<"},
    {kTopUpBonusRadio, "UPDATE Member SET BonusCash = BonusCash + '", "\r\n>积分充值成功！<"},
};

const TopUpCurrency* CheckedCurrency() {
  for (const TopUpCurrency& currency : kTopUpCurrencies) {
    if (frame::GetControlProperty(kMainWindow, currency.radio, Property::kChecked).AsBool()) {
      return &currency;
    }
  }
  return nullptr;
}

}  // namespace

void ChooseTopUpAmount() {
  frame::SetControlProperty(kMainWindow, kTopUpCashRadio, Property::kDisabled, false);
  frame::SetControlProperty(kMainWindow, kTopUpBonusRadio, Property::kDisabled, false);
  int32_t index =
      frame::GetControlProperty(kMainWindow, kAmountList, Property::kSelectedIndex).AsInt();
  if (index >= 0 && index < static_cast<int32_t>(std::size(kTopUpAmounts))) {
    frame::SetControlProperty(kMainWindow, kAmountBox, Property::kText,
                              frame::Text(kTopUpAmounts[index]));
  }
}

void SetCash() {
  RunAndReport(kSetCash);
}
void SetBonusCash() {
  RunAndReport(kSetBonusCash);
}

void AddAccountCurrency() {
  const TopUpCurrency* currency = CheckedCurrency();
  if (currency == nullptr) {
    frame::ShowMessageBox(frame::Gbk("还没有选择充值货币"));
    return;
  }
  frame::SetControlProperty(kMainWindow, frame::kWindowUnit, frame::kTitle, "><");

  const StatementPart parts[] = {Piece(currency->statement_start), BoxText(kAmountBox),
                                 Piece("' WHERE ID ='"), BoxText(kTopUpAccountBox), Piece("'")};
  const Operation top_up{LastStatement::kTopUp, parts, currency->success_line,
                         "充值失败,请检查服务器连接是否正常", kTopUpAccountBox};
  if (RunAndReport(top_up) != StatementOutcome::kRan) return;
  frame::Text amount = frame::ControlText(kMainWindow, kAmountBox);
  AppendMessageLine(frame::ConcatTexts(frame::Gbk("\r\n>充值总数额："), amount, "<"));
  frame::SetControlProperty(kMainWindow, kTopUpCashRadio, Property::kChecked, false);
  frame::SetControlProperty(kMainWindow, kTopUpBonusRadio, Property::kChecked, false);
  frame::SetControlProperty(kMainWindow, kAmountBox, Property::kText, "");
  frame::SetControlProperty(kMainWindow, kAmountList, Property::kSelectedIndex, -1);
  AppendMessageLine(frame::Gbk("\r\n>请记得重新选择充值额数<"));
}

}  // namespace acctdesk
