#include "gmdesk/currency_top_up.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "frame/services/services.h"
#include "gmdesk/box_text.h"
#include "gmdesk/database_steps.h"
#include "gmdesk/main_window.h"

namespace gmdesk {
namespace {

using frame::Property;

// The two columns a top-up adds to, by the index picked in 组合框1.
struct CurrencyKind {
  const char* update_start;
  const char* success_text;
  const char* failure_text;
};

constexpr CurrencyKind kCurrencyKinds[] = {
    {"update member set cash=cash+", "龙币（酷币）增加成功", "龙币（酷币）增加失败"},
    {"update member set bonuscash=bonuscash+", "积分（红利）增加成功", "积分（红利）增加失败"},
};

// Only the UI thread picks and reads it.
int currency_kind = 0;

bool IsDigits(std::string_view text) {
  // ASCII digits only, whatever the locale says.
  auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
  return !text.empty() && std::ranges::all_of(text, is_digit);
}

// The amount stands in the statement without quotes, so it must be a number
// and nothing else: an optional sign, digits, and optionally a point with
// more digits. Blanks around it are harmless and are sent as typed.
bool IsAmount(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return false;
  std::string_view number = text.substr(first, text.find_last_not_of(' ') - first + 1);
  if (number.front() == '+' || number.front() == '-') number.remove_prefix(1);
  size_t point = number.find('.');
  if (point == std::string_view::npos) return IsDigits(number);
  return IsDigits(number.substr(0, point)) && IsDigits(number.substr(point + 1));
}

}  // namespace

void OnCurrencyKindSelected() {
  int32_t index =
      frame::GetControlProperty(kMainWindow, kCurrencyKindList, Property::kSelectedIndex).AsInt();
  currency_kind = index == 0 ? 0 : 1;
  frame::SetControlProperty(kMainWindow, kTopUpButton, Property::kDisabled, false);
}

void AddAccountCurrency() {
  const CurrencyKind& kind = kCurrencyKinds[currency_kind];
  frame::Text account = BoxText(kTopUpAccountBox);
  frame::Text quoted_account = frame::DoubleQuotes(account);
  std::optional<frame::Text> found = TryReadOneField(
      kRecordSet1, kMemberConnection,
      frame::ConcatTexts("SELECT ID FROM Member Where ID ='", quoted_account, "'"), "ID");
  // A check that could not run says nothing about the account.
  if (!found) {
    frame::ShowMessageBox(frame::Gbk(kind.failure_text));
    return;
  }
  // An empty box would match the empty read of a check that found nothing.
  if (account.empty() || account != *found) {
    frame::ShowMessageBox(frame::Gbk("该帐号不存在"));
    return;
  }

  frame::Text amount = BoxText(kTopUpAmountBox);
  if (!IsAmount(amount)) {
    frame::ShowMessageBox(frame::Gbk(kind.failure_text));
    return;
  }
  constexpr int kUpdateTimeoutSeconds = 5;
  frame::Text update =
      frame::ConcatTexts(kind.update_start, amount, "where id ='", quoted_account, "'");
  bool added = RunStatement(kMemberConnection, update, TargetRow{kAccountById, quoted_account},
                            kUpdateTimeoutSeconds) == StatementOutcome::kRan;
  frame::ShowMessageBox(frame::Gbk(added ? kind.success_text : kind.failure_text));
}

}  // namespace gmdesk
