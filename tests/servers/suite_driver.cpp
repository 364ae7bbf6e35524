#include "tests/servers/suite_driver.h"

#include <cstdlib>
#include <string_view>

namespace db_test {

bool SuiteDriver::UsesFreeTds() {
  const char* driver = std::getenv("DB_TEST_DRIVER");
  return driver != nullptr && std::string_view(driver) == "freetds";
}

bool SuiteDriver::Start(const PostgresTestServer& postgres) {
  postgres_port_ = postgres.port();
  if (!UsesFreeTds()) {
    UseTestOdbcDriver(postgres.port());
    return true;
  }
  tds_server_ = std::make_unique<TdsTestServer>(postgres.port());
  if (!tds_server_->Start()) return false;
  UseFreeTdsDriver();
  return true;
}

void SuiteDriver::Stop() {
  if (tds_server_) tds_server_->Stop();
}

int SuiteDriver::port() const {
  return tds_server_ ? tds_server_->port() : postgres_port_;
}

std::string SuiteDriver::server_text() const {
  return "127.0.0.1";
}

}  // namespace db_test
