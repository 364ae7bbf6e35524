#include "tests/servers/suite_driver.h"

#include <cstdlib>
#include <string_view>

#include "tests/servers/host/host_client.h"

namespace db_test {

bool SuiteDriver::UsesFreeTds() {
  const char* driver = std::getenv("DB_TEST_DRIVER");
  return driver != nullptr && std::string_view(driver) == "freetds";
}

bool SuiteDriver::Start(const PostgresTestServer& postgres) {
  postgres_port_ = postgres.port();
  if (host::HostClient* host = host::HostClient::Session()) {
    // The host's driver lists. A suite under wine cannot set them: unixODBC
    // sees only the environment wine started with, which CTest sets.
    const host::HostFile& file = host->file();
    setenv("ODBCSYSINI",
           (UsesFreeTds() ? file.freetds_odbcsysini : file.psqlodbc_odbcsysini).c_str(), 1);
    setenv("PGPORT", std::to_string(postgres_port_).c_str(), 1);
    if (UsesFreeTds()) tds_port_ = host->tds_port();
    return true;
  }
  if (host::HostClient::Named()) return false;
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
  if (tds_server_) return tds_server_->port();
  return tds_port_ != 0 ? tds_port_ : postgres_port_;
}

std::string SuiteDriver::server_text() const {
  return "127.0.0.1";
}

std::vector<std::vector<uint8_t>> SuiteDriver::Logins() {
  if (tds_server_) return tds_server_->logins();
  if (tds_port_ != 0) return host::HostClient::Session()->Logins();
  return {};
}

void SuiteDriver::SetTriggerCount(std::optional<int64_t> count) {
  if (tds_server_) tds_server_->SetTriggerCount(count);
  if (tds_port_ != 0) host::HostClient::Session()->SetTriggerCount(count);
}

std::vector<std::string> SuiteDriver::Batches() {
  if (tds_server_) return tds_server_->batches();
  if (tds_port_ != 0) return host::HostClient::Session()->Batches();
  return {};
}

void SuiteDriver::SetFault(TdsFault fault) {
  if (tds_server_) tds_server_->SetFault(fault);
  if (tds_port_ != 0) host::HostClient::Session()->SetFault(static_cast<int>(fault));
}

}  // namespace db_test
