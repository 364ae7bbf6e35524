#include "tests/servers/tds_test_server.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <mutex>

#include "tests/servers/postgres_test_server.h"
#include "tests/servers/tds/tds_session.h"

namespace db_test {

class TdsTestServer::State final : public tds::SessionHost {
 public:
  explicit State(int postgres_port) : postgres_port_(postgres_port) {}
  ~State() override { CloseStopEvent(); }

  tds::ConnectionParameters PostgresParameters(const std::string& database) const override {
    return {{"host", "127.0.0.1"},
            {"port", std::to_string(postgres_port_)},
            {"user", PostgresTestServer::kUser},
            {"dbname", database},
            {"client_encoding", "UTF8"},
            {"options", "-c datestyle=ISO,YMD -c bytea_output=hex"},
            {"application_name", "tds-test-server"},
            {"connect_timeout", "10"}};
  }
  TdsFault fault() const override { return fault_.load(); }
  std::optional<int64_t> trigger_count() const override {
    std::lock_guard lock(mutex_);
    return trigger_count_;
  }
  int stop_event() const override { return stop_event_; }

  void RecordLogin(std::vector<uint8_t> record) override {
    std::lock_guard lock(mutex_);
    logins_.push_back(std::move(record));
  }
  void RecordBatch(std::string batch) override {
    std::lock_guard lock(mutex_);
    batches_.push_back(std::move(batch));
  }
  void RecordRewrites(std::vector<std::string> rewrites) override {
    std::lock_guard lock(mutex_);
    rewrites_.insert(rewrites_.end(), rewrites.begin(), rewrites.end());
  }

  void SetFault(TdsFault fault) { fault_.store(fault); }
  void SetTriggerCount(std::optional<int64_t> count) {
    std::lock_guard lock(mutex_);
    trigger_count_ = count;
  }
  std::vector<std::vector<uint8_t>> logins() const {
    std::lock_guard lock(mutex_);
    return logins_;
  }
  std::vector<std::string> batches() const {
    std::lock_guard lock(mutex_);
    return batches_;
  }
  std::vector<std::string> rewrites() const {
    std::lock_guard lock(mutex_);
    return rewrites_;
  }

  // Only while no session runs.
  bool OpenStopEvent() {
    CloseStopEvent();
    stop_event_ = eventfd(0, EFD_CLOEXEC);
    return stop_event_ >= 0;
  }
  void SignalStop() {
    uint64_t one = 1;
    if (write(stop_event_, &one, sizeof one) < 0) std::abort();
  }
  void CloseStopEvent() {
    if (stop_event_ >= 0) close(stop_event_);
    stop_event_ = -1;
  }

 private:
  const int postgres_port_;
  std::atomic<TdsFault> fault_{TdsFault::kNone};
  int stop_event_ = -1;
  mutable std::mutex mutex_;
  std::optional<int64_t> trigger_count_;
  std::vector<std::vector<uint8_t>> logins_;
  std::vector<std::string> batches_;
  std::vector<std::string> rewrites_;
};

struct TdsTestServer::Connection {
  int socket = -1;
  std::thread thread;
  std::atomic<bool> finished{false};
};

TdsTestServer::TdsTestServer(int postgres_port) : state_(std::make_unique<State>(postgres_port)) {}

TdsTestServer::~TdsTestServer() {
  Stop();
}

bool TdsTestServer::Start() {
  if (listener_ >= 0) return true;
  int port = 0;
  listener_ = BindLoopbackSocket(port);
  if (listener_ < 0) return false;
  if (listen(listener_, 16) != 0 || !state_->OpenStopEvent()) {
    close(listener_);
    listener_ = -1;
    return false;
  }
  port_ = port;
  acceptor_ = std::thread([this] { Accept(); });
  return true;
}

void TdsTestServer::Stop() {
  if (listener_ < 0) return;
  state_->SignalStop();
  acceptor_.join();
  // A session blocked in a send to a client that does not read wakes up here.
  for (auto& connection : connections_)
    shutdown(connection->socket, SHUT_RDWR);
  for (auto& connection : connections_) {
    connection->thread.join();
    close(connection->socket);
  }
  connections_.clear();
  close(listener_);
  listener_ = -1;
}

void TdsTestServer::Accept() {
  uint16_t next_spid = 51;
  for (;;) {
    pollfd fds[2] = {{state_->stop_event(), POLLIN, 0}, {listener_, POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (fds[0].revents != 0) return;
    int socket = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (socket < 0) continue;
    EndFinishedConnections();
    auto connection = std::make_unique<Connection>();
    connection->socket = socket;
    Connection& started = *connection;
    uint16_t spid = next_spid++;
    connection->thread = std::thread([this, &started, spid] {
      tds::TdsSession(started.socket, spid, *state_).Run();
      // The client sees the end at once; the socket is closed once joined.
      shutdown(started.socket, SHUT_RDWR);
      started.finished = true;
    });
    connections_.push_back(std::move(connection));
  }
}

void TdsTestServer::EndFinishedConnections() {
  std::erase_if(connections_, [](const std::unique_ptr<Connection>& connection) {
    if (!connection->finished) return false;
    connection->thread.join();
    close(connection->socket);
    return true;
  });
}

void TdsTestServer::SetFault(TdsFault fault) {
  state_->SetFault(fault);
}

void TdsTestServer::SetTriggerCount(std::optional<int64_t> count) {
  state_->SetTriggerCount(count);
}

std::vector<std::vector<uint8_t>> TdsTestServer::logins() const {
  return state_->logins();
}

std::vector<std::string> TdsTestServer::batches() const {
  return state_->batches();
}

std::vector<std::string> TdsTestServer::rewrites() const {
  return state_->rewrites();
}

void UseFreeTdsDriver() {
  setenv("ODBCSYSINI", FREETDS_ODBCSYSINI_DIR, 1);
}

}  // namespace db_test
