// The one way every acctdesk operation runs its statement and reports it.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "acctdesk/member_database.h"
#include "frame/text/gbk.h"
#include "frame/window/window_model.h"

namespace acctdesk {

// Each operation keeps the statement it built last, until its next run.
enum class LastStatement {
  kRegister,
  kChangePassword,
  kBan,
  kUnban,
  kBanAll,
  kUnbanAll,
  kGmLevelUpdate,
  kGmLinkInsert,
  kSetCash,
  kSetBonusCash,
  kTopUp,
  kCount,
};

void StoreLastStatement(LastStatement slot, frame::Text statement);
void ReleaseLastStatements();

// A fixed piece of a statement, or the text of a box that goes between quotes.
struct StatementPart {
  std::string_view literal;
  frame::ControlId box{};
  frame::Property property = frame::Property::kText;
};

constexpr StatementPart Piece(std::string_view literal) {
  return {.literal = literal};
}
constexpr StatementPart BoxText(frame::ControlId box) {
  return {.box = box};
}

// A statement and the text of each of its boxes as it stands in it.
struct BuiltStatement {
  struct Typed {
    frame::ControlId box;
    frame::Text text;
  };
  frame::Text text;
  std::vector<Typed> typed;  // in the order of the parts
};

// Reads every box first, then joins the parts.
BuiltStatement BuildStatement(std::span<const StatementPart> parts);

struct Operation {
  LastStatement slot;
  std::span<const StatementPart> parts;
  std::string_view success_line;
  std::string_view failure_text;
  // The box naming the one account whose Member row the statement changes:
  // none for every row, and for procedures, which may decline in silence.
  std::optional<frame::ControlId> account_box = std::nullopt;
};

// Builds, keeps and runs the statement; appends the success line, or shows
// the failure box ("该帐号不存在" when the named account is not there).
StatementOutcome RunAndReport(const Operation& operation);

// The box shown when the account a statement names is not there.
void ReportNoSuchAccount();

}  // namespace acctdesk
