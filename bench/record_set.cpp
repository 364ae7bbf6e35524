#include <array>

#include "bench/paths.h"
#include "frame/db/db_services.h"
#include "frame/db/odbc/odbc_backend.h"
#include "tests/support/db_test_window.h"
#include "tests/support/headless_program.h"

namespace bench {
namespace {

using db_test::kConnection;
using db_test::kRecords;
using db_test::kWindowId;

bool ReadAll(const char* query, Reading& reading) {
  static constexpr std::array<const char*, 5> kColumns = {"id", "amount", "name", "stamp", "key"};
  frame::AttachRecordSet(kWindowId, kRecords, kConnection);
  if (!frame::OpenRecordSet(kWindowId, kRecords, query)) return false;
  frame::MoveFirstRecord(kWindowId, kRecords);
  frame::Text text;
  while (!frame::AtEndOfRecords(kWindowId, kRecords)) {
    ++reading.rows;
    for (const char* column : kColumns) {
      frame::ReadFieldText(kWindowId, kRecords, column, text);
      reading.bytes += text.size();
    }
    frame::MoveNextRecord(kWindowId, kRecords);
  }
  frame::CloseRecordSet(kWindowId, kRecords);
  return true;
}

}  // namespace

Reading ReadWithRecordSet(int port) {
  Reading reading;
  testing_support::HeadlessProgram program(db_test::kProgram, frame::OdbcComponentFactory(port));
  if (!program.Start() ||
      !frame::ConnectSqlServer(kWindowId, kConnection, "127.0.0.1", "bench", "sa", "")) {
    reading.error = "record set: connect failed";
    return reading;
  }
  Reading warm_up;
  if (!ReadAll(kWarmUpQuery, warm_up)) {
    reading.error = "record set: open failed";
    return reading;
  }
  auto start = std::chrono::steady_clock::now();
  if (!ReadAll(kQuery, reading)) {
    reading.error = "record set: open failed";
    return reading;
  }
  reading.elapsed = std::chrono::steady_clock::now() - start;
  return reading;
}

}  // namespace bench
