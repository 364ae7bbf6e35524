#include "tests/servers/suite_driver.h"

#include <cstdlib>
#include <string_view>

#include "tests/servers/host/host_client.h"

namespace db_test {
namespace {

class HostServers final : public SuiteServers {
 public:
  HostServers(host::HostClient& host, bool freetds) : host_(host), freetds_(freetds) {}

  int tds_port() const override { return freetds_ ? host_.tds_port() : 0; }
  std::vector<std::vector<uint8_t>> Logins() override {
    return freetds_ ? host_.Logins() : std::vector<std::vector<uint8_t>>{};
  }
  std::vector<std::string> Batches() override {
    return freetds_ ? host_.Batches() : std::vector<std::string>{};
  }
  void SetTriggerCount(std::optional<int64_t> count) override {
    if (freetds_) host_.SetTriggerCount(count);
  }
  void SetFault(TdsFault fault) override {
    if (freetds_) host_.SetFault(static_cast<int>(fault));
  }

 private:
  host::HostClient& host_;
  const bool freetds_;
};

}  // namespace

bool SuiteDriver::UsesFreeTds() {
  const char* driver = std::getenv("DB_TEST_DRIVER");
  return driver != nullptr && std::string_view(driver) == "freetds";
}

bool SuiteDriver::Start(const PostgresTestServer& postgres) {
  postgres_port_ = postgres.port();
  if (host::HostClient::Named()) {
    host::HostClient* host = host::HostClient::Session();
    if (host == nullptr) return false;
    const host::HostFile& file = host->file();
    UseDriverList(UsesFreeTds() ? file.freetds_odbcsysini : file.psqlodbc_odbcsysini,
                  postgres_port_);
    servers_ = std::make_unique<HostServers>(*host, UsesFreeTds());
    return true;
  }
  servers_ = StartServersInProcess(postgres_port_, UsesFreeTds());
  return servers_ != nullptr;
}

void SuiteDriver::Stop() {
  if (servers_) servers_->Stop();
}

int SuiteDriver::port() const {
  int tds_port = servers_ ? servers_->tds_port() : 0;
  return tds_port != 0 ? tds_port : postgres_port_;
}

std::string SuiteDriver::server_text() const {
  return "127.0.0.1";
}

std::vector<std::vector<uint8_t>> SuiteDriver::Logins() {
  return servers_ ? servers_->Logins() : std::vector<std::vector<uint8_t>>{};
}

std::vector<std::string> SuiteDriver::Batches() {
  return servers_ ? servers_->Batches() : std::vector<std::string>{};
}

void SuiteDriver::SetTriggerCount(std::optional<int64_t> count) {
  if (servers_) servers_->SetTriggerCount(count);
}

void SuiteDriver::SetFault(TdsFault fault) {
  if (servers_) servers_->SetFault(fault);
}

}  // namespace db_test
