#include "tests/db/tds/tds_session.h"

#include <poll.h>

#include <cerrno>
#include <span>

#include "tests/db/tds/tds_login.h"
#include "tests/db/tds/tds_results.h"
#include "tests/db/tds/tds_rewrites.h"
#include "tests/db/tds/tds_text.h"

namespace db_test::tds {
namespace {

constexpr size_t kLoginPacketSize = 4096;

// A batch's SQL text: UTF-16LE after the ALL_HEADERS block.
std::string BatchText(std::span<const uint8_t> payload) {
  ByteReader reader(payload);
  auto headers = reader.U32();
  if (headers && *headers >= 4 && *headers <= payload.size()) payload = payload.subspan(*headers);
  return Utf8FromUtf16(payload);
}

bool IsDataChange(const Done& done) {
  return done.command == kCommandInsert || done.command == kCommandUpdate ||
         done.command == kCommandDelete;
}

}  // namespace

TdsSession::TdsSession(int socket, uint16_t spid, SessionHost& host)
    : socket_(socket), spid_(spid), host_(host) {}

TdsSession::~TdsSession() {
  types_.reset();
  if (postgres_ != nullptr) PQfinish(postgres_);
}

void TdsSession::Run() {
  if (!LogIn()) return;
  while (std::optional<Message> message = NextMessage()) {
    switch (message->type) {
      case PacketType::kSqlBatch:
        if (!OnBatch(message->payload)) return;
        break;
      case PacketType::kAttention:
        if (host_.fault() != TdsFault::kSilent && !SendAttentionAck()) return;
        break;
      case PacketType::kRpc: {
        if (host_.fault() == TdsFault::kSilent) break;
        ResponseStream response(socket_, spid_, packet_size_);
        WriteMessage(response.tokens(),
                     {.number = 50000, .text = "This test server takes SQL batches only."});
        WriteDone(response.tokens(), {.status = kDoneError});
        if (!response.Finish()) return;
        break;
      }
      default:
        return;
    }
  }
}

bool TdsSession::LogIn() {
  std::optional<Message> message = NextMessage();
  if (message && message->type == PacketType::kPrelogin) {
    ResponseStream response(socket_, spid_, kLoginPacketSize);
    response.tokens().Append(PreloginAnswer());
    if (!response.Finish()) return false;
    message = NextMessage();
  }
  if (!message || message->type != PacketType::kLogin7) return false;
  host_.RecordLogin(message->payload);
  std::optional<Login7> login = DecodeLogin7(message->payload);
  if (!login) return false;
  // SQL Server would open the login's default database.
  if (login->database.empty()) login->database = "postgres";

  ResponseStream response(socket_, spid_, kLoginPacketSize);
  if (host_.fault() == TdsFault::kRefuseLogin) {
    WriteLoginRefused(response.tokens(), *login, std::nullopt);
    response.Finish();
    return false;
  }
  ConnectionParameters parameters = host_.PostgresParameters(login->database);
  postgres_ = ConnectToPostgres(parameters);
  if (postgres_ == nullptr) {
    WriteLoginRefused(response.tokens(), *login, login->database);
    response.Finish();
    return false;
  }
  types_ = std::make_unique<PostgresColumnTypes>(parameters);
  packet_size_ = AgreedPacketSize(*login);
  WriteLoginAccepted(response.tokens(), *login);
  return response.Finish();
}

bool TdsSession::OnBatch(const Bytes& payload) {
  std::string sql = BatchText(payload);
  host_.RecordBatch(sql);
  switch (host_.fault()) {
    case TdsFault::kSilent:
      return true;
    case TdsFault::kDropConnection:
      return false;  // the session ends, and its connection with it
    default:
      break;
  }
  std::vector<std::string> rewrites;
  sql = RewriteForPostgres(sql, rewrites);
  if (!rewrites.empty()) host_.RecordRewrites(std::move(rewrites));
  return RunBatch(sql);
}

bool TdsSession::RunBatch(const std::string& sql) {
  ResponseStream response(socket_, spid_, packet_size_);
  ByteWriter& out = response.tokens();
  if (!PQsendQuery(postgres_, sql.c_str())) {
    WriteMessage(out, {.number = 50000, .text = PQerrorMessage(postgres_)});
    WriteDone(out, {.status = kDoneError});
    return response.Finish();
  }
  std::optional<Done> held;
  bool attention = false;
  for (;;) {
    while (!PQisBusy(postgres_)) {
      PGresult* result = PQgetResult(postgres_);
      if (result == nullptr) {
        // After an attention, its acknowledgement is the answer's last token.
        WriteDone(out, attention ? Done{.status = kDoneAttention} : held.value_or(Done{}));
        return response.Finish();
      }
      if (!attention) Answer(result, held, out);
      PQclear(result);
    }
    response.Flush();
    switch (Wait(true)) {
      case Ready::kStop:
        CancelStatement();
        return false;
      case Ready::kClient: {
        std::optional<Message> message = ReadMessage(socket_);
        if (!message) {
          CancelStatement();
          return false;
        }
        if (message->type == PacketType::kAttention && !attention &&
            host_.fault() != TdsFault::kSilent) {
          attention = true;
          CancelStatement();
        }
        break;
      }
      case Ready::kPostgres:
        if (!PQconsumeInput(postgres_)) {
          WriteMessage(out, {.number = 50000, .text = PQerrorMessage(postgres_)});
          WriteDone(out, {.status = kDoneError});
          response.Finish();
          return false;
        }
        break;
    }
  }
}

void TdsSession::Answer(PGresult* result, std::optional<Done>& held, ByteWriter& out) {
  if (held) {
    held->status |= kDoneMore;
    WriteDone(out, *held);
    held.reset();
  }
  switch (PQresultStatus(result)) {
    case PGRES_TUPLES_OK: {
      ServerMessage error;
      if (PQnfields(result) > 0 && !WriteResultSet(out, result, *types_, error)) {
        WriteMessage(out, error);
        held = Done{.status = kDoneError};
      } else {
        held = DoneOf(result);
      }
      break;
    }
    case PGRES_COMMAND_OK: {
      held = DoneOf(result);
      if (std::string_view(PQcmdStatus(result)) == "CALL") {
        WriteReturnStatus(out, 0);
        held->token = DoneToken::kDoneProc;
      }
      std::optional<int64_t> trigger = host_.trigger_count();
      if (trigger && IsDataChange(*held)) {
        WriteDone(out, {.token = DoneToken::kDoneInProc,
                        .status = kDoneMore | kDoneCount,
                        .command = held->command,
                        .row_count = static_cast<uint64_t>(*trigger)});
      }
      break;
    }
    case PGRES_EMPTY_QUERY:
      held = Done{};
      break;
    case PGRES_COPY_IN:
      PQputCopyEnd(postgres_, "COPY is not taken here");
      break;
    case PGRES_COPY_OUT: {
      char* buffer = nullptr;
      while (PQgetCopyData(postgres_, &buffer, 0) > 0)
        PQfreemem(buffer);
      break;
    }
    default:
      WriteMessage(out, ErrorOf(result));
      held = Done{.status = kDoneError};
      break;
  }
}

void TdsSession::CancelStatement() {
  if (PGcancel* cancel = PQgetCancel(postgres_)) {
    char error[256];
    PQcancel(cancel, error, sizeof error);
    PQfreeCancel(cancel);
  }
}

bool TdsSession::SendAttentionAck() {
  ResponseStream response(socket_, spid_, packet_size_);
  WriteDone(response.tokens(), {.status = kDoneAttention});
  return response.Finish();
}

TdsSession::Ready TdsSession::Wait(bool postgres) {
  for (;;) {
    pollfd fds[3] = {{host_.stop_event(), POLLIN, 0}, {socket_, POLLIN, 0}, {-1, POLLIN, 0}};
    if (postgres) fds[2].fd = PQsocket(postgres_);
    if (poll(fds, 3, -1) < 0) {
      if (errno == EINTR) continue;
      return Ready::kStop;
    }
    if (fds[0].revents != 0) return Ready::kStop;
    if (fds[1].revents != 0) return Ready::kClient;
    if (fds[2].revents != 0) return Ready::kPostgres;
  }
}

std::optional<Message> TdsSession::NextMessage() {
  if (Wait(false) != Ready::kClient) return std::nullopt;
  return ReadMessage(socket_);
}

}  // namespace db_test::tds
