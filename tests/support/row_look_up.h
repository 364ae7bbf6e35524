// How the look-up of a statement's row answers, for suites that script it:
// after a statement reports changing no row, the handler asks whether the row
// it names is there.
#pragma once

#include <memory>
#include <string>

#include "frame/headless/scripted_database.h"
#include "frame/text/gbk.h"

namespace testing_support {

enum class LookUp { kFindsRow, kFindsNone, kFails };

// `statement` in UTF-8. The first `earlier_sends` times the same text is
// sent (a check before the statement, say), the other rules answer it.
inline void ScriptLookUp(frame::ScriptedDatabase& database, const std::string& statement,
                         LookUp answer, int earlier_sends = 0) {
  auto sends = std::make_shared<int>(0);
  frame::TextMatch match(
      [text = frame::Gbk(statement), sends, earlier_sends](std::string_view sent) {
        return sent == text && ++*sends > earlier_sends;
      });
  switch (answer) {
    case LookUp::kFindsRow:
      database.ReturnRows(std::move(match), {{"key"}, {{{frame::FieldKind::kText, "k"}}}});
      break;
    case LookUp::kFindsNone:
      database.ReturnRows(std::move(match), {{"key"}, {}});
      break;
    case LookUp::kFails:
      database.FailStatement(std::move(match));
      break;
  }
}

}  // namespace testing_support
