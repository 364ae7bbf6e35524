#include "tests/servers/suite_servers.h"

namespace db_test {

// Under wine the driver manager is the Linux one, and it reads only the
// environment wine started with: CTest sets ODBCSYSINI there. The port
// reaches PostgreSQL's driver in the connection text.
void UseDriverList(const std::string& /*odbcsysini*/, int /*postgres_port*/) {}

std::unique_ptr<SuiteServers> StartServersInProcess(int /*postgres_port*/, bool /*freetds*/) {
  return nullptr;
}

}  // namespace db_test
