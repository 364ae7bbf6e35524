#include "tests/servers/postgres_test_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/servers/host/host_client.h"

namespace db_test {
namespace {

std::string Program(const char* name) {
  return std::string(POSTGRES_BIN_DIR) + "/" + name;
}

// A server program's command line; as root it runs as postgres, and keeps
// the signal that ends it with this process across the change of user.
std::vector<std::string> AsServerUser(std::vector<std::string> command) {
  if (geteuid() != 0) return command;
  std::vector<std::string> argv = {"setpriv",       "--reuid=postgres", "--regid=postgres",
                                   "--init-groups", "--pdeathsig=INT",  "--"};
  argv.insert(argv.end(), command.begin(), command.end());
  return argv;
}

// Starts a program in `directory` with its output appended to `log`. It gets
// SIGINT (a fast shutdown for the server) when this process ends, however
// it ends, so no server outlives its test.
pid_t Spawn(const std::vector<std::string>& command, const std::filesystem::path& directory,
            const std::filesystem::path& log) {
  std::vector<char*> argv;
  for (const std::string& part : command)
    argv.push_back(const_cast<char*>(part.c_str()));
  argv.push_back(nullptr);
  int log_fd = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  int null_fd = open("/dev/null", O_RDONLY | O_CLOEXEC);
  pid_t parent = getpid();
  pid_t pid = fork();
  if (pid == 0) {
    prctl(PR_SET_PDEATHSIG, SIGINT);
    if (getppid() != parent) _exit(127);
    dup2(null_fd, STDIN_FILENO);
    dup2(log_fd, STDOUT_FILENO);
    dup2(log_fd, STDERR_FILENO);
    if (chdir(directory.c_str()) != 0) _exit(127);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(log_fd);
  close(null_fd);
  return pid;
}

int Wait(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int Run(const std::vector<std::string>& command, const std::filesystem::path& directory,
        const std::filesystem::path& log) {
  pid_t pid = Spawn(command, directory, log);
  return pid < 0 ? -1 : Wait(pid);
}

// The postgres user's ids, looked up once: the server host makes servers on
// several threads, and getpwnam's answer is shared.
const std::optional<std::pair<uid_t, gid_t>>& PostgresUser() {
  static const std::optional<std::pair<uid_t, gid_t>> ids =
      []() -> std::optional<std::pair<uid_t, gid_t>> {
    passwd* postgres = getpwnam("postgres");
    if (postgres == nullptr) return std::nullopt;
    return std::pair(postgres->pw_uid, postgres->pw_gid);
  }();
  return ids;
}

// A loopback port that nothing listens on right now.
int FreePort() {
  int port = 0;
  int fd = BindLoopbackSocket(port);
  if (fd >= 0) close(fd);
  return port;
}

}  // namespace

PostgresTestServer::PostgresTestServer() : external_(host::HostClient::Named()) {
  if (external_) return;
  char name[] = "/tmp/db-tests-XXXXXX";
  if (mkdtemp(name) == nullptr) return;
  directory_ = name;
  if (geteuid() == 0) {
    if (const std::optional<std::pair<uid_t, gid_t>>& owner = PostgresUser()) {
      if (chown(name, owner->first, owner->second) != 0) return;
    }
  }
  Run(AsServerUser({Program("initdb"), "-D", (directory_ / "data").string(), "-U", kUser,
                    "--auth=trust", "--no-sync", "--encoding=UTF8", "--locale=C"}),
      directory_, directory_ / "initdb.log");
}

PostgresTestServer::~PostgresTestServer() {
  Stop();
  std::error_code ignored;
  if (!directory_.empty()) std::filesystem::remove_all(directory_, ignored);
}

bool PostgresTestServer::Start() {
  if (external_) {
    host::HostClient* session = host::HostClient::Session();
    if (session != nullptr) port_ = session->postgres_port();
    return session != nullptr;
  }
  if (server_ > 0) return true;
  if (port_ != 0) return StartOn(port_);
  // Another process may take the free port before the server binds it.
  for (int attempt = 0; attempt < 5; ++attempt) {
    int port = FreePort();
    if (port != 0 && StartOn(port)) {
      port_ = port;
      return true;
    }
  }
  return false;
}

bool PostgresTestServer::StartOn(int port) {
  if (!std::filesystem::exists(directory_ / "data" / "PG_VERSION")) return false;
  server_ = Spawn(AsServerUser({Program("postgres"), "-D", (directory_ / "data").string(), "-p",
                                std::to_string(port), "-k", directory_.string(), "-c",
                                "listen_addresses=127.0.0.1", "-c", "fsync=off", "-c",
                                "full_page_writes=off", "-c", "synchronous_commit=off"}),
                  directory_, directory_ / "server.log");
  if (server_ < 0) return false;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (waitpid(server_, &status, WNOHANG) == server_) {
      server_ = -1;
      return false;
    }
    if (Run({Program("pg_isready"), "-q", "-h", "127.0.0.1", "-p", std::to_string(port)},
            directory_, "/dev/null") == 0) {
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  Stop();
  return false;
}

void PostgresTestServer::Stop() {
  if (server_ <= 0) return;
  kill(server_, SIGINT);
  Wait(server_);
  server_ = -1;
}

bool PostgresTestServer::RunSql(std::string_view database, std::string_view sql) const {
  if (external_) {
    host::HostClient* session = host::HostClient::Session();
    return session != nullptr && session->RunSql(database, sql);
  }
  return Run({Program("psql"), "-X", "-q", "-v", "ON_ERROR_STOP=1", "-h", "127.0.0.1", "-p",
              std::to_string(port_), "-U", kUser, "-d", std::string(database), "-c",
              std::string(sql)},
             directory_, directory_ / "psql.log") == 0;
}

std::optional<std::string> PostgresTestServer::Query(std::string_view database,
                                                     std::string_view sql) const {
  if (external_) {
    host::HostClient* session = host::HostClient::Session();
    if (session == nullptr) return std::nullopt;
    return session->Query(database, sql);
  }
  const std::filesystem::path out = directory_ / "query.out";
  std::error_code ignored;
  std::filesystem::remove(out, ignored);
  if (Run({Program("psql"), "-X", "-q", "-A", "-t", "-v", "ON_ERROR_STOP=1", "-h", "127.0.0.1",
           "-p", std::to_string(port_), "-U", kUser, "-d", std::string(database), "-c",
           std::string(sql)},
          directory_, out) != 0) {
    return std::nullopt;
  }
  std::ifstream file(out, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  while (!text.empty() && text.back() == '\n')
    text.pop_back();
  return text;
}

int BindLoopbackSocket(int& port) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (fd >= 0) close(fd);
    return -1;
  }
  port = ntohs(address.sin_port);
  return fd;
}

void UseTestOdbcDriver(int port) {
  setenv("ODBCSYSINI", TEST_ODBCSYSINI_DIR, 1);
  setenv("PGPORT", std::to_string(port).c_str(), 1);
}

}  // namespace db_test
