// A Linux process that serves database sessions to suites that cannot start
// the servers themselves (the Windows suites under wine: the servers link
// libpq and fork). Each control connection is one session with a private
// PostgreSQL server and the TDS test server in front of it, as a suite
// would start in process, so suites stay apart and may run at once.
//
//   db_server_host <host file>
//
// The host file appears once the host listens (host_protocol.h); SIGTERM or
// SIGINT ends the host and every session's servers.
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/servers/host/host_protocol.h"
#include "tests/servers/host/host_session.h"
#include "tests/servers/postgres_test_server.h"

namespace {

using db_test::host::HostFile;

bool WriteHostFile(const std::filesystem::path& path, const HostFile& file) {
  // Readers poll for the file: it appears whole or not at all.
  const std::filesystem::path partial = path.string() + ".partial";
  {
    std::ofstream out(partial, std::ios::trunc);
    out << db_test::host::FormatHostFile(file);
    if (!out.flush()) return false;
  }
  std::error_code error;
  std::filesystem::rename(partial, path, error);
  return !error;
}

class Sessions {
 public:
  void Serve(int socket) {
    std::lock_guard lock(mutex_);
    sockets_.push_back(socket);
    threads_.emplace_back([socket] { db_test::host::ServeSession(socket); });
  }
  // Ends every session: its reads fail, its servers stop.
  void EndAll() {
    std::vector<std::thread> threads;
    {
      std::lock_guard lock(mutex_);
      for (int socket : sockets_)
        shutdown(socket, SHUT_RDWR);
      threads.swap(threads_);
    }
    for (std::thread& thread : threads)
      thread.join();
    std::lock_guard lock(mutex_);
    for (int socket : sockets_)
      close(socket);
    sockets_.clear();
  }

 private:
  std::mutex mutex_;
  std::vector<int> sockets_;
  std::vector<std::thread> threads_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <host file>\n", argv[0]);
    return 2;
  }
  // The host's own servers are never another host's sessions.
  unsetenv("DB_TEST_SERVER_HOST");
  // The signals that end the host arrive through a descriptor, so that the
  // accept loop can wait for them and for connections at once.
  sigset_t ending;
  sigemptyset(&ending);
  sigaddset(&ending, SIGTERM);
  sigaddset(&ending, SIGINT);
  pthread_sigmask(SIG_BLOCK, &ending, nullptr);
  int signals[2];
  if (pipe(signals) != 0) return 1;
  std::thread waiter([&] {
    int signal = 0;
    sigwait(&ending, &signal);
    char byte = 1;
    if (write(signals[1], &byte, 1) != 1) std::_Exit(1);
  });
  waiter.detach();

  int port = 0;
  int listener = db_test::BindLoopbackSocket(port);
  if (listener < 0 || listen(listener, 16) != 0) return 1;
  const HostFile file{.control_port = port,
                      .pid = static_cast<int>(getpid()),
                      .psqlodbc_odbcsysini = TEST_ODBCSYSINI_DIR,
                      .freetds_odbcsysini = FREETDS_ODBCSYSINI_DIR};
  if (!WriteHostFile(argv[1], file)) return 1;

  Sessions sessions;
  for (;;) {
    pollfd waits[] = {{listener, POLLIN, 0}, {signals[0], POLLIN, 0}};
    if (poll(waits, 2, -1) < 0) continue;
    if (waits[1].revents != 0) break;
    if ((waits[0].revents & POLLIN) == 0) continue;
    int socket = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (socket >= 0) sessions.Serve(socket);
  }
  close(listener);
  sessions.EndAll();
  std::error_code ignored;
  std::filesystem::remove(argv[1], ignored);
  return 0;
}
