#include "frame/headless/scripted_database.h"

#include <algorithm>
#include <thread>
#include <utility>

namespace frame {

TextMatch::TextMatch(std::string exact)
    : predicate_([exact = std::move(exact)](std::string_view text) { return text == exact; }) {}

TextMatch Contains(std::string part) {
  return TextMatch([part = std::move(part)](std::string_view text) {
    return text.find(part) != std::string_view::npos;
  });
}

TextMatch ConnectsToDatabase(std::string database) {
  return Contains(";DATABASE=" + database + ";");
}

class ScriptedDatabase::Session final : public SqlSession {
 public:
  Session(ScriptedDatabase& database, ControlId connection)
      : database_(database), connection_(connection) {}

  DbResult<StatementOutput> Run(std::string_view statement, int timeout_seconds,
                                bool keep_rows) override {
    return database_.Run(connection_, statement, timeout_seconds, keep_rows);
  }

 private:
  ScriptedDatabase& database_;
  const ControlId connection_;
};

void ScriptedDatabase::RefuseConnect(TextMatch connection_text) {
  std::lock_guard lock(mutex_);
  refused_connects_.push_back(std::move(connection_text));
}

void ScriptedDatabase::DelayConnect(TextMatch connection_text, std::chrono::milliseconds delay) {
  std::lock_guard lock(mutex_);
  connect_delays_.emplace_back(std::move(connection_text), delay);
}

void ScriptedDatabase::Script(TextMatch statement, ScriptedOutcome outcome) {
  std::lock_guard lock(mutex_);
  rules_.push_back({std::move(statement), std::move(outcome)});
}

std::vector<ScriptedDatabase::ConnectRecord> ScriptedDatabase::connects() const {
  std::lock_guard lock(mutex_);
  return connects_;
}

std::vector<ScriptedDatabase::StatementRecord> ScriptedDatabase::statements() const {
  std::lock_guard lock(mutex_);
  return statements_;
}

std::vector<Text> ScriptedDatabase::statement_texts() const {
  std::lock_guard lock(mutex_);
  std::vector<Text> texts;
  for (const StatementRecord& record : statements_)
    texts.push_back(record.text);
  return texts;
}

DbResult<std::unique_ptr<SqlSession>> ScriptedDatabase::Connect(ControlId connection,
                                                                std::string_view connection_text) {
  std::chrono::milliseconds delay{0};
  {
    std::lock_guard lock(mutex_);
    for (const auto& [match, how_long] : connect_delays_) {
      if (match(connection_text)) delay = how_long;
    }
  }
  std::this_thread::sleep_for(delay);
  std::lock_guard lock(mutex_);
  bool refused = std::any_of(refused_connects_.begin(), refused_connects_.end(),
                             [&](const TextMatch& match) { return match(connection_text); });
  connects_.push_back({connection, Text(connection_text), !refused});
  if (refused) return DbError{"08001", "scripted: connect refused"};
  return std::unique_ptr<SqlSession>(std::make_unique<Session>(*this, connection));
}

DbResult<StatementOutput> ScriptedDatabase::Run(ControlId connection, std::string_view statement,
                                                int timeout_seconds, bool keep_rows) {
  ScriptedOutcome outcome;
  {
    std::lock_guard lock(mutex_);
    auto rule = std::find_if(rules_.rbegin(), rules_.rend(),
                             [&](const Rule& r) { return r.match(statement); });
    if (rule != rules_.rend()) outcome = rule->outcome;
  }

  auto limit = std::chrono::seconds(timeout_seconds);
  bool timed_out = timeout_seconds > 0 && outcome.delay > limit;
  {
    std::lock_guard lock(mutex_);
    statements_.push_back(
        {connection, Text(statement), timeout_seconds, keep_rows, !outcome.fails && !timed_out});
  }

  if (timed_out) {
    std::this_thread::sleep_for(limit);
    return DbError{"HYT00", "scripted: time-out expired"};
  }
  std::this_thread::sleep_for(outcome.delay);
  if (outcome.fails) return DbError{"42000", "scripted: statement failed"};
  StatementOutput output{.changed_rows = outcome.changed_rows};
  if (keep_rows && outcome.rows) output.rows = ResultRows::FromTable(*outcome.rows);
  return output;
}

}  // namespace frame
