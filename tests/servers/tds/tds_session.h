// One client connection: the login, then each batch run on PostgreSQL one
// statement result at a time, with attentions answered (and the running
// statement cancelled) while it runs.
#pragma once

#include <libpq-fe.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "tests/servers/tds/postgres_column_types.h"
#include "tests/servers/tds/session_host.h"
#include "tests/servers/tds/tds_packets.h"
#include "tests/servers/tds/tds_tokens.h"

namespace db_test::tds {

class TdsSession {
 public:
  // `socket` stays the caller's: the session never closes it.
  TdsSession(int socket, uint16_t spid, SessionHost& host);
  TdsSession(const TdsSession&) = delete;
  TdsSession& operator=(const TdsSession&) = delete;
  ~TdsSession();

  // Returns when the client leaves, the connection is dropped or the server stops.
  void Run();

 private:
  enum class Ready { kClient, kPostgres, kStop, kTimeout };

  bool LogIn();
  // False when the session should end.
  bool OnBatch(const Bytes& payload);
  bool RunBatch(const std::string& sql, ResponseStream& response);
  // Runs the batch in full, then plays its answer out slowly (kTrickle).
  bool TrickleBatch(const std::string& sql);
  // Writes one statement's tokens; its DONE waits in `held` until it is known
  // whether another statement follows.
  void Answer(PGresult* result, std::optional<Done>& held, ByteWriter& out);
  void CancelStatement();
  // Answers an attention as the fault says; false when the session should end.
  bool AcknowledgeAttention(ResponseStream& response);
  // Waits for the client, for PostgreSQL when `postgres` is set, or for the
  // stop; with a timeout, at most that long.
  Ready Wait(bool postgres, std::optional<std::chrono::milliseconds> timeout = std::nullopt);
  // False when the server stops meanwhile.
  bool Pause(std::chrono::milliseconds duration);
  std::optional<Message> NextMessage();

  int socket_;
  uint16_t spid_;
  SessionHost& host_;
  size_t packet_size_ = 4096;
  PGconn* postgres_ = nullptr;
  std::unique_ptr<PostgresColumnTypes> types_;
};

}  // namespace db_test::tds
