#include <winsock2.h>
#include <ws2tcpip.h>

#include "tests/servers/host/host_socket.h"

namespace db_test::host {

SocketHandle ConnectLoopback(int port) {
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  if (!started) return -1;
  SOCKET handle = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (handle == INVALID_SOCKET) return -1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<u_short>(port));
  if (connect(handle, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    closesocket(handle);
    return -1;
  }
  return static_cast<SocketHandle>(handle);
}

bool SendAll(SocketHandle socket, std::string_view bytes) {
  while (!bytes.empty()) {
    int chunk = bytes.size() > 65536 ? 65536 : static_cast<int>(bytes.size());
    int sent = send(static_cast<SOCKET>(socket), bytes.data(), chunk, 0);
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(sent));
  }
  return true;
}

bool ReceiveAll(SocketHandle socket, char* into, size_t size) {
  while (size > 0) {
    int chunk = size > 65536 ? 65536 : static_cast<int>(size);
    int got = recv(static_cast<SOCKET>(socket), into, chunk, 0);
    if (got <= 0) return false;
    into += got;
    size -= static_cast<size_t>(got);
  }
  return true;
}

}  // namespace db_test::host
