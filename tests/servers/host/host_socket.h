// The few socket calls the control line needs, on POSIX sockets or Winsock:
// the suites that use a host may run on Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace db_test::host {

// A socket descriptor, or a Winsock SOCKET; -1 for none.
using SocketHandle = intptr_t;

// A socket connected to 127.0.0.1:port, or -1.
SocketHandle ConnectLoopback(int port);
bool SendAll(SocketHandle socket, std::string_view bytes);
bool ReceiveAll(SocketHandle socket, char* into, size_t size);

}  // namespace db_test::host
