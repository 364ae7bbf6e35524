// One session of the server host: the servers a suite would start in
// process, driven over its control connection.
#pragma once

namespace db_test::host {

// Serves requests on `socket` until it closes; the session's servers stop
// before it returns. The socket stays open.
void ServeSession(int socket);

}  // namespace db_test::host
