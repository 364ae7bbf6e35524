// The two ways to read a whole result that the benchmark compares. Each
// connects first (not timed), then opens the query and reads every field of
// every row, and answers how long that took.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace bench {

struct Reading {
  std::chrono::nanoseconds elapsed{};
  uint64_t rows = 0;
  uint64_t bytes = 0;  // of every field's text, so that nothing is read for nothing
  std::string error;   // empty when it worked
};

inline constexpr const char* kQuery = "SELECT * FROM dbo.Bench";
// Read the same way before the timed read: what a process sets up once (the
// driver's first statement, text converters) is not what is measured.
inline constexpr const char* kWarmUpQuery = "SELECT * FROM dbo.Bench WHERE id = 1";

// The floor: the driver manager's wide API, every column fetched as text.
Reading ReadWithRawOdbc(const std::string& connection_text);

// The programs' path: a record set opened through the services, every field
// read by its column name.
Reading ReadWithRecordSet(int port);

}  // namespace bench
