#include "tests/servers/tds/tds_session.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <span>

#include "tests/servers/tds/tds_login.h"
#include "tests/servers/tds/tds_results.h"
#include "tests/servers/tds/tds_rewrites.h"
#include "tests/servers/tds/tds_text.h"

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
      case PacketType::kAttention: {
        ResponseStream response(socket_, spid_, packet_size_);
        if (!AcknowledgeAttention(response)) return;
        break;
      }
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
  if (host_.fault() == TdsFault::kTrickle) return TrickleBatch(sql);
  ResponseStream response(socket_, spid_, packet_size_);
  return RunBatch(sql, response);
}

bool TdsSession::TrickleBatch(const std::string& sql) {
  Bytes answer;
  {
    ResponseStream held(answer, spid_, packet_size_);
    if (!RunBatch(sql, held)) return false;
  }
  // Past the first packet's header, short of its end: the client holds
  // neither a whole packet nor a whole row.
  size_t sent = std::min(answer.size(), packet_size_ / 2);
  auto send = [&](size_t count) {
    count = std::min(count, answer.size() - sent);
    bool ok = SendAll(socket_, std::span(answer).subspan(sent, count));
    sent += count;
    return ok;
  };
  if (!SendAll(socket_, std::span(answer).first(sent))) return false;
  for (;;) {
    switch (Wait(false, kTrickleInterval)) {
      case Ready::kTimeout:
        if (!send(1)) return false;
        break;
      case Ready::kClient: {
        std::optional<Message> message = ReadMessage(socket_);
        if (!message || message->type != PacketType::kAttention) return false;
        if (!send(answer.size())) return false;
        ResponseStream response(socket_, spid_, packet_size_);
        WriteDone(response.tokens(), {.status = kDoneAttention});
        return response.Finish();
      }
      default:
        return false;
    }
  }
}

bool TdsSession::RunBatch(const std::string& sql, ResponseStream& response) {
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
        if (attention) return AcknowledgeAttention(response);
        WriteDone(out, held.value_or(Done{}));
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
      case Ready::kTimeout:
        break;
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

bool TdsSession::AcknowledgeAttention(ResponseStream& response) {
  switch (host_.fault()) {
    case TdsFault::kSilent:
    case TdsFault::kNeverAckCancel:
      return true;
    case TdsFault::kAckCancelLate:
      if (!Pause(kLateCancelAck)) return false;
      break;
    default:
      break;
  }
  WriteDone(response.tokens(), {.status = kDoneAttention});
  return response.Finish();
}

TdsSession::Ready TdsSession::Wait(bool postgres,
                                   std::optional<std::chrono::milliseconds> timeout) {
  for (;;) {
    pollfd fds[3] = {{host_.stop_event(), POLLIN, 0}, {socket_, POLLIN, 0}, {-1, POLLIN, 0}};
    if (postgres) fds[2].fd = PQsocket(postgres_);
    int ready = poll(fds, 3, timeout ? static_cast<int>(timeout->count()) : -1);
    if (ready < 0) {
      if (errno == EINTR) continue;
      return Ready::kStop;
    }
    if (ready == 0) return Ready::kTimeout;
    if (fds[0].revents != 0) return Ready::kStop;
    if (fds[1].revents != 0) return Ready::kClient;
    if (fds[2].revents != 0) return Ready::kPostgres;
  }
}

bool TdsSession::Pause(std::chrono::milliseconds duration) {
  pollfd stop = {host_.stop_event(), POLLIN, 0};
  while (poll(&stop, 1, static_cast<int>(duration.count())) < 0) {
    if (errno != EINTR) return false;
  }
  return stop.revents == 0;
}

std::optional<Message> TdsSession::NextMessage() {
  if (Wait(false) != Ready::kClient) return std::nullopt;
  return ReadMessage(socket_);
}

}  // namespace db_test::tds
