// The server host's control line, spoken over one loopback TCP connection:
// each request is "<command> <word> <length>\n" and `length` bytes; each
// answer "ok <length>\n" or "fail <length>\n" and `length` bytes. The
// connection is one session: its servers live until it closes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "tests/servers/host/host_socket.h"

namespace db_test::host {

// Commands, with the word and the bytes they take.
inline constexpr std::string_view kSession = "session";  // -, none: "<postgres> <tds>"
inline constexpr std::string_view kRunSql = "sql";       // database, SQL
inline constexpr std::string_view kQuery = "query";      // database, SQL: rows as psql prints
inline constexpr std::string_view kTrigger = "trigger";  // count or "none", none
inline constexpr std::string_view kLogins = "logins";    // -, none: one hex line per LOGIN7
inline constexpr std::string_view kBatches = "batches";  // -, none: one hex line per batch
inline constexpr std::string_view kFault = "fault";      // TdsFault as a number, none

struct Message {
  std::string head;  // the command, or "ok" / "fail"
  std::string word;  // empty in answers
  std::string bytes;
};

// Reads and writes whole messages on a connected socket; false or none
// once the connection broke.
bool WriteMessage(SocketHandle socket, const Message& message);
std::optional<Message> ReadMessage(SocketHandle socket, bool is_answer);

// The file that a running host writes once it is ready: "name=value" lines.
struct HostFile {
  int control_port = 0;
  int pid = 0;
  std::string psqlodbc_odbcsysini;  // PostgreSQL's driver as "SQL Server"
  std::string freetds_odbcsysini;   // FreeTDS as "SQL Server"
};
std::string FormatHostFile(const HostFile& file);
std::optional<HostFile> ParseHostFile(std::string_view text);

std::string Hex(std::string_view bytes);
std::string Unhex(std::string_view hex);

}  // namespace db_test::host
