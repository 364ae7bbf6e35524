// An in-process database for handler suites: it records every connect and
// every statement, in order, and answers as the test scripted it. Any number
// of threads may use it at once.
//
//   auto db = std::make_shared<frame::ScriptedDatabase>();
//   db->RefuseConnect(frame::ConnectsToDatabase("KV7_User"));
//   db->ReturnRows("SELECT ID FROM Member", {{"ID"}, {{{frame::FieldKind::kText, "a"}}}});
//   db->FailStatement(frame::Contains("delete"));
//   testing_support::HeadlessProgram program(kProgram, frame::DatabaseComponentFactory(db));
#pragma once

#include <chrono>
#include <concepts>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "frame/db/sql_backend.h"

namespace frame {

// A statement or connection text to match: exactly, or by a predicate.
class TextMatch {
 public:
  TextMatch(const char* exact) : TextMatch(std::string(exact)) {}
  TextMatch(std::string exact);
  template <std::predicate<std::string_view> Predicate>
  TextMatch(Predicate predicate) : predicate_(std::move(predicate)) {}

  bool operator()(std::string_view text) const { return predicate_(text); }

 private:
  std::function<bool(std::string_view)> predicate_;
};

// Texts that hold `part`.
TextMatch Contains(std::string part);
// Connection texts whose DATABASE item is `database`.
TextMatch ConnectsToDatabase(std::string database);

struct ScriptedOutcome {
  bool fails = false;
  std::optional<ResultTable> rows;      // what a record set reads
  std::optional<int64_t> changed_rows;  // what ExecuteSql reports
  // How long the statement runs; longer than its time-out, it fails when the
  // time-out is up.
  std::chrono::milliseconds delay{0};
};

class ScriptedDatabase final : public SqlBackend {
 public:
  struct ConnectRecord {
    ControlId connection{};
    Text connection_text;
    bool opened = false;
    friend bool operator==(const ConnectRecord&, const ConnectRecord&) = default;
  };
  struct StatementRecord {
    ControlId connection{};
    Text text;
    int timeout_seconds = 0;  // the one it ran under; 0: no limit
    bool query = false;       // run by a record set rather than ExecuteSql
    bool succeeded = false;
    friend bool operator==(const StatementRecord&, const StatementRecord&) = default;
  };

  // Connects whose text matches fail; the others open.
  void RefuseConnect(TextMatch connection_text);
  // Connects whose text matches take this long to log in.
  void DelayConnect(TextMatch connection_text, std::chrono::milliseconds delay);
  // The last rule that matches a statement decides its outcome; a statement
  // that no rule matches succeeds with no rows and no count.
  void Script(TextMatch statement, ScriptedOutcome outcome);
  void FailStatement(TextMatch statement) { Script(std::move(statement), {.fails = true}); }
  void ReturnRows(TextMatch statement, ResultTable rows) {
    Script(std::move(statement), {.rows = std::move(rows)});
  }

  std::vector<ConnectRecord> connects() const;
  std::vector<StatementRecord> statements() const;
  // Just the statement texts, in order.
  std::vector<Text> statement_texts() const;

  // SqlBackend
  DbResult<std::unique_ptr<SqlSession>> Connect(ControlId connection,
                                                std::string_view connection_text) override;

 private:
  class Session;
  struct Rule {
    TextMatch match;
    ScriptedOutcome outcome;
  };

  DbResult<StatementOutput> Run(ControlId connection, std::string_view statement,
                                int timeout_seconds, bool keep_rows);

  mutable std::mutex mutex_;  // never held while a delay runs
  std::vector<TextMatch> refused_connects_;
  std::vector<std::pair<TextMatch, std::chrono::milliseconds>> connect_delays_;
  std::vector<Rule> rules_;
  std::vector<ConnectRecord> connects_;
  std::vector<StatementRecord> statements_;
};

}  // namespace frame
