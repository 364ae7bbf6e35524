#include <cstdlib>

#include "tests/servers/postgres_test_server.h"
#include "tests/servers/suite_servers.h"
#include "tests/servers/tds_test_server.h"

namespace db_test {
namespace {

class InProcessServers final : public SuiteServers {
 public:
  // No TDS test server on PostgreSQL's own run.
  explicit InProcessServers(std::unique_ptr<TdsTestServer> tds) : tds_(std::move(tds)) {}

  int tds_port() const override { return tds_ ? tds_->port() : 0; }
  std::vector<std::vector<uint8_t>> Logins() override {
    return tds_ ? tds_->logins() : std::vector<std::vector<uint8_t>>{};
  }
  std::vector<std::string> Batches() override {
    return tds_ ? tds_->batches() : std::vector<std::string>{};
  }
  void SetTriggerCount(std::optional<int64_t> count) override {
    if (tds_) tds_->SetTriggerCount(count);
  }
  void SetFault(TdsFault fault) override {
    if (tds_) tds_->SetFault(fault);
  }
  void Stop() override {
    if (tds_) tds_->Stop();
  }

 private:
  std::unique_ptr<TdsTestServer> tds_;
};

}  // namespace

void UseDriverList(const std::string& odbcsysini, int postgres_port) {
  setenv("ODBCSYSINI", odbcsysini.c_str(), 1);
  setenv("PGPORT", std::to_string(postgres_port).c_str(), 1);
}

std::unique_ptr<SuiteServers> StartServersInProcess(int postgres_port, bool freetds) {
  if (!freetds) {
    UseTestOdbcDriver(postgres_port);
    return std::make_unique<InProcessServers>(nullptr);
  }
  auto tds = std::make_unique<TdsTestServer>(postgres_port);
  if (!tds->Start()) return nullptr;
  UseFreeTdsDriver();
  return std::make_unique<InProcessServers>(std::move(tds));
}

}  // namespace db_test
