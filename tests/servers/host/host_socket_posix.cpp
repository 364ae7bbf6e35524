#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "tests/servers/host/host_socket.h"

namespace db_test::host {

SocketHandle ConnectLoopback(int port) {
  int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
    return fd;
  }
  if (fd >= 0) close(fd);
  return -1;
}

bool SendAll(SocketHandle socket, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t sent = send(static_cast<int>(socket), bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(sent));
  }
  return true;
}

bool ReceiveAll(SocketHandle socket, char* into, size_t size) {
  while (size > 0) {
    ssize_t got = recv(static_cast<int>(socket), into, size, 0);
    if (got <= 0) return false;
    into += got;
    size -= static_cast<size_t>(got);
  }
  return true;
}

}  // namespace db_test::host
