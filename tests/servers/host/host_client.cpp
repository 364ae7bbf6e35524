#include "tests/servers/host/host_client.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>

namespace db_test::host {
namespace {

constexpr const char* kVariable = "DB_TEST_SERVER_HOST";

}  // namespace

bool HostClient::Named() {
  const char* path = std::getenv(kVariable);
  return path != nullptr && *path != '\0';
}

HostClient* HostClient::Session() {
  static HostClient* const session = []() -> HostClient* {
    if (!Named()) return nullptr;
    static HostClient client;
    if (!client.Connect()) {
      std::fprintf(stderr, "the server host named by %s cannot be reached\n", kVariable);
      return nullptr;
    }
    return &client;
  }();
  return session;
}

bool HostClient::Connect() {
  std::ifstream in(std::getenv(kVariable), std::ios::binary);
  std::optional<HostFile> file = ParseHostFile(
      std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
  if (!file) return false;
  file_ = *file;
  socket_ = ConnectLoopback(file_.control_port);
  if (socket_ < 0) return false;
  std::optional<std::string> ports = Ask(kSession, "-", "");
  if (!ports) return false;
  std::istringstream(*ports) >> postgres_port_ >> tds_port_;
  return postgres_port_ != 0 && tds_port_ != 0;
}

std::optional<std::string> HostClient::Ask(std::string_view command, std::string word,
                                           std::string_view bytes) {
  // One request at a time on the one connection, whichever thread asks.
  static std::mutex asking;
  std::lock_guard lock(asking);
  if (!WriteMessage(
          socket_,
          {.head = std::string(command), .word = std::move(word), .bytes = std::string(bytes)})) {
    return std::nullopt;
  }
  std::optional<Message> answer = ReadMessage(socket_, /*is_answer=*/true);
  if (!answer || answer->head != "ok") return std::nullopt;
  return std::move(answer->bytes);
}

bool HostClient::RunSql(std::string_view database, std::string_view sql) {
  return Ask(kRunSql, std::string(database), sql).has_value();
}

std::optional<std::string> HostClient::Query(std::string_view database, std::string_view sql) {
  return Ask(kQuery, std::string(database), sql);
}

bool HostClient::SetTriggerCount(std::optional<int64_t> count) {
  return Ask(kTrigger, count ? std::to_string(*count) : "none", "").has_value();
}

std::vector<std::string> HostClient::HexLines(std::string_view command) {
  std::vector<std::string> texts;
  std::istringstream lines(Ask(command, "-", "").value_or(""));
  for (std::string line; std::getline(lines, line);)
    texts.push_back(Unhex(line));
  return texts;
}

std::vector<std::vector<uint8_t>> HostClient::Logins() {
  std::vector<std::vector<uint8_t>> logins;
  for (const std::string& bytes : HexLines(kLogins))
    logins.emplace_back(bytes.begin(), bytes.end());
  return logins;
}

std::vector<std::string> HostClient::Batches() {
  return HexLines(kBatches);
}

bool HostClient::SetFault(int fault) {
  return Ask(kFault, std::to_string(fault), "").has_value();
}

}  // namespace db_test::host
