#include "tests/servers/host/host_session.h"

#include <charconv>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/servers/host/host_protocol.h"
#include "tests/servers/postgres_test_server.h"
#include "tests/servers/tds_test_server.h"

namespace db_test::host {
namespace {

Message Answer(bool ok, std::string bytes = {}) {
  return {.head = ok ? "ok" : "fail", .word = {}, .bytes = std::move(bytes)};
}

std::optional<int64_t> Count(std::string_view word) {
  int64_t count = 0;
  auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), count);
  if (error != std::errc() || end != word.data() + word.size()) return std::nullopt;
  return count;
}

class Session {
 public:
  Message Handle(const Message& request) {
    if (request.head == kSession) return Start();
    if (!tds_) return Answer(false, "no session started");
    if (request.head == kRunSql) return Answer(postgres_.RunSql(request.word, request.bytes));
    if (request.head == kQuery) {
      std::optional<std::string> rows = postgres_.Query(request.word, request.bytes);
      return Answer(rows.has_value(), rows.value_or(""));
    }
    if (request.head == kTrigger) {
      if (request.word == "none") {
        tds_->SetTriggerCount(std::nullopt);
        return Answer(true);
      }
      std::optional<int64_t> count = Count(request.word);
      if (!count) return Answer(false, "not a count");
      tds_->SetTriggerCount(*count);
      return Answer(true);
    }
    if (request.head == kLogins) {
      std::string lines;
      for (const std::vector<uint8_t>& login : tds_->logins()) {
        lines += Hex(std::string_view(reinterpret_cast<const char*>(login.data()), login.size()));
        lines += '\n';
      }
      return Answer(true, std::move(lines));
    }
    if (request.head == kBatches) {
      std::string lines;
      for (const std::string& batch : tds_->batches())
        lines += Hex(batch) + '\n';
      return Answer(true, std::move(lines));
    }
    if (request.head == kFault) {
      std::optional<int64_t> fault = Count(request.word);
      if (!fault || *fault < 0 || *fault > static_cast<int64_t>(TdsFault::kTrickle)) {
        return Answer(false, "not a fault");
      }
      tds_->SetFault(static_cast<TdsFault>(*fault));
      return Answer(true);
    }
    return Answer(false, "unknown command");
  }

  ~Session() {
    if (tds_) tds_->Stop();
    postgres_.Stop();
  }

 private:
  Message Start() {
    if (tds_) return Answer(false, "the session has started");
    if (!postgres_.Start()) return Answer(false, "the PostgreSQL server did not start");
    auto tds = std::make_unique<TdsTestServer>(postgres_.port());
    if (!tds->Start()) return Answer(false, "the TDS test server did not start");
    tds_ = std::move(tds);
    return Answer(true, std::to_string(postgres_.port()) + " " + std::to_string(tds_->port()));
  }

  PostgresTestServer postgres_;
  std::unique_ptr<TdsTestServer> tds_;
};

}  // namespace

void ServeSession(int socket) {
  Session session;
  while (std::optional<Message> request = ReadMessage(socket, /*is_answer=*/false)) {
    if (!WriteMessage(socket, session.Handle(*request))) break;
  }
}

}  // namespace db_test::host
