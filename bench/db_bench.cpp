// How fast the database components are against the driver's own floor, on
// a private PostgreSQL with live-looking rows:
//
// - a record set reading a whole result: pairs of runs in interleaved order,
//   each run in a child process of its own so that its peak memory is its
//   own; prints the median and spread of the time ratio (ours / floor) and
//   both peak memories;
// - short statements (a one-row UPDATE through ExecuteSql, a one-row SELECT
//   through a record set): both paths connected in this process, then pairs
//   of blocks of statements in alternating order; prints the median and
//   spread of the time ratio, and the time and CPU time (all threads) per
//   statement.
//
//   db_bench [--rows 100000,1000000] [--pairs 9] [--statements 2000]
//            [--only ours|floor]
//
// --rows 0 or --statements 0 skips that part. --only runs one record-set
// path once per size in this process, for a profiler, and prints its time
// and the page faults of the whole run.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/paths.h"
#include "bench/statements.h"
#include "tests/servers/postgres_test_server.h"

namespace {

struct Run {
  bench::Reading reading;
  long peak_kib = 0;
};

// Runs one path in a child process; its peak memory comes from the kernel.
Run InChild(const std::function<bench::Reading()>& path) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) std::abort();
  pid_t child = fork();
  if (child == 0) {
    close(pipe_fds[0]);
    bench::Reading reading = path();
    long long fields[3] = {static_cast<long long>(reading.elapsed.count()),
                           static_cast<long long>(reading.rows),
                           static_cast<long long>(reading.bytes)};
    if (!reading.error.empty()) fields[1] = -1;
    ssize_t written = write(pipe_fds[1], fields, sizeof fields);
    _exit(written == sizeof fields ? 0 : 1);
  }
  close(pipe_fds[1]);
  long long fields[3] = {0, -1, 0};
  ssize_t got = read(pipe_fds[0], fields, sizeof fields);
  close(pipe_fds[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  Run run;
  run.peak_kib = usage.ru_maxrss;
  if (got != sizeof fields || fields[1] < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    run.reading.error = "the run failed";
    return run;
  }
  run.reading.elapsed = std::chrono::nanoseconds(fields[0]);
  run.reading.rows = static_cast<uint64_t>(fields[1]);
  run.reading.bytes = static_cast<uint64_t>(fields[2]);
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::vector<long> Numbers(const char* list) {
  std::vector<long> numbers;
  for (const char* p = list; *p != '\0';) {
    char* end = nullptr;
    numbers.push_back(std::strtol(p, &end, 10));
    p = *end == ',' ? end + 1 : end;
    if (end == p && *p != '\0') break;
  }
  return numbers;
}

constexpr const char* kTable = R"sql(
DROP TABLE IF EXISTS dbo.Bench;
CREATE TABLE dbo.Bench (id integer, amount decimal(18, 2), name varchar(32), stamp timestamp,
  key uuid);
INSERT INTO dbo.Bench
  SELECT g, g * 1.25 - 50000, '玩家' || g || '号''s', timestamp '2015-10-01' + g * interval '1 minute',
    md5(g::text)::uuid
  FROM generate_series(1, %ld) AS g;
)sql";

std::chrono::nanoseconds CpuTime() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return std::chrono::seconds(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         std::chrono::microseconds(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
}

struct Block {
  double wall_us = 0;  // per statement
  double cpu_us = 0;
  bool ok = true;
};

Block TimeBlock(bench::StatementPath& path, bool (bench::StatementPath::*statement)(), long count) {
  Block block;
  auto cpu = CpuTime();
  auto start = std::chrono::steady_clock::now();
  for (long i = 0; i < count && block.ok; ++i)
    block.ok = (path.*statement)();
  auto wall = std::chrono::steady_clock::now() - start;
  block.wall_us = std::chrono::duration<double, std::micro>(wall).count() / count;
  block.cpu_us = std::chrono::duration<double, std::micro>(CpuTime() - cpu).count() / count;
  return block;
}

bool TimeStatements(int port, const std::string& connection_text, long count, long pairs) {
  std::unique_ptr<bench::StatementPath> raw = bench::RawOdbcStatements(connection_text);
  std::unique_ptr<bench::StatementPath> ours = bench::ServiceStatements(port);
  if (!raw->connected() || !ours->connected()) {
    std::fprintf(stderr, "a statement path did not connect\n");
    return false;
  }
  std::printf("\n%-9s %10s %5s  %-24s %9s %9s  %9s %9s\n", "statement", "statements", "pairs",
              "time ours/floor median", "floor us", "ours us", "floor cpu", "ours cpu");
  struct Kind {
    const char* name;
    bool (bench::StatementPath::*run)();
  };
  for (Kind kind : {Kind{"UPDATE", &bench::StatementPath::Update},
                    Kind{"SELECT", &bench::StatementPath::Select}}) {
    // What a process sets up once is not what is measured.
    TimeBlock(*raw, kind.run, 200);
    TimeBlock(*ours, kind.run, 200);
    std::vector<double> ratios, raw_us, our_us, raw_cpu, our_cpu;
    for (long pair = 0; pair < pairs; ++pair) {
      Block a, b;
      if (pair % 2 == 0) {
        a = TimeBlock(*raw, kind.run, count);
        b = TimeBlock(*ours, kind.run, count);
      } else {
        b = TimeBlock(*ours, kind.run, count);
        a = TimeBlock(*raw, kind.run, count);
      }
      if (!a.ok || !b.ok) {
        std::fprintf(stderr, "a %s failed\n", kind.name);
        return false;
      }
      ratios.push_back(b.wall_us / a.wall_us);
      raw_us.push_back(a.wall_us);
      our_us.push_back(b.wall_us);
      raw_cpu.push_back(a.cpu_us);
      our_cpu.push_back(b.cpu_us);
    }
    char spread[64];
    std::snprintf(spread, sizeof spread, "%.2fx [%.2f-%.2f]", Median(ratios),
                  *std::min_element(ratios.begin(), ratios.end()),
                  *std::max_element(ratios.begin(), ratios.end()));
    std::printf("%-9s %10ld %5ld  %-24s %9.1f %9.1f  %9.1f %9.1f\n", kind.name, count, pairs,
                spread, Median(raw_us), Median(our_us), Median(raw_cpu), Median(our_cpu));
    std::fflush(stdout);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<long> sizes = {100000, 1000000};
  long pairs = 9;
  long statements = 2000;
  std::string only;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--rows") == 0) sizes = Numbers(argv[i + 1]);
    if (std::strcmp(argv[i], "--pairs") == 0) pairs = std::max(1L, std::atol(argv[i + 1]));
    if (std::strcmp(argv[i], "--statements") == 0) statements = std::atol(argv[i + 1]);
    if (std::strcmp(argv[i], "--only") == 0) only = argv[i + 1];
  }
  if (!only.empty() && only != "ours" && only != "floor") {
    std::fprintf(stderr, "--only takes ours or floor\n");
    return 2;
  }

  db_test::PostgresTestServer server;
  if (!server.Start() || !server.RunSql("postgres", "CREATE DATABASE bench") ||
      !server.RunSql("bench", "CREATE SCHEMA dbo")) {
    std::fprintf(stderr, "the PostgreSQL server did not start\n");
    return 1;
  }
  db_test::UseTestOdbcDriver(server.port());
  const int port = server.port();
  const std::string connection_text =
      "DRIVER=SQL Server;SERVER=127.0.0.1;UID=sa;PWD=;DATABASE=bench;PORT=" + std::to_string(port) +
      ";";
  auto raw = [&] { return bench::ReadWithRawOdbc(connection_text); };
  auto ours = [&] { return bench::ReadWithRecordSet(port); };

  std::erase_if(sizes, [](long rows) { return rows <= 0; });
  if (only.empty() && !sizes.empty()) {
    std::printf("%9s %5s  %-24s %9s %9s  %9s %9s %6s\n", "rows", "pairs", "time ours/floor median",
                "floor ms", "ours ms", "floor MiB", "ours MiB", "ratio");
  }
  for (long rows : sizes) {
    std::vector<char> sql(std::strlen(kTable) + 32);
    std::snprintf(sql.data(), sql.size(), kTable, rows);
    if (!server.RunSql("bench", sql.data()) ||
        !server.RunSql("bench", "VACUUM ANALYZE dbo.Bench")) {
      std::fprintf(stderr, "the table of %ld rows was not made\n", rows);
      return 1;
    }
    if (!only.empty()) {
      rusage before{}, after{};
      getrusage(RUSAGE_SELF, &before);
      bench::Reading reading = only == "ours" ? ours() : raw();
      getrusage(RUSAGE_SELF, &after);
      if (!reading.error.empty()) {
        std::fprintf(stderr, "%s\n", reading.error.c_str());
        return 1;
      }
      std::printf("%9ld %s: %.1f ms, %ld page faults\n", rows, only.c_str(),
                  std::chrono::duration<double, std::milli>(reading.elapsed).count(),
                  after.ru_minflt - before.ru_minflt);
      continue;
    }
    InChild(raw);  // warm the server's cache
    InChild(ours);
    std::vector<double> ratios, raw_ms, our_ms, raw_mib, our_mib;
    for (long pair = 0; pair < pairs; ++pair) {
      Run a, b;
      if (pair % 2 == 0) {
        a = InChild(raw);
        b = InChild(ours);
      } else {
        b = InChild(ours);
        a = InChild(raw);
      }
      if (!a.reading.error.empty() || !b.reading.error.empty() ||
          a.reading.rows != static_cast<uint64_t>(rows) || b.reading.rows != a.reading.rows) {
        std::fprintf(stderr, "a run failed or read the wrong number of rows\n");
        return 1;
      }
      double floor = std::chrono::duration<double, std::milli>(a.reading.elapsed).count();
      double mine = std::chrono::duration<double, std::milli>(b.reading.elapsed).count();
      ratios.push_back(mine / floor);
      raw_ms.push_back(floor);
      our_ms.push_back(mine);
      raw_mib.push_back(a.peak_kib / 1024.0);
      our_mib.push_back(b.peak_kib / 1024.0);
    }
    char spread[64];
    std::snprintf(spread, sizeof spread, "%.2fx [%.2f-%.2f]", Median(ratios),
                  *std::min_element(ratios.begin(), ratios.end()),
                  *std::max_element(ratios.begin(), ratios.end()));
    std::printf("%9ld %5ld  %-24s %9.1f %9.1f  %9.1f %9.1f %5.2fx\n", rows, pairs, spread,
                Median(raw_ms), Median(our_ms), Median(raw_mib), Median(our_mib),
                Median(our_mib) / Median(raw_mib));
    std::fflush(stdout);
  }
  if (only.empty() && statements > 0) {
    if (!server.RunSql("bench", bench::kShortTable)) {
      std::fprintf(stderr, "the table of short statements was not made\n");
      return 1;
    }
    if (!TimeStatements(port, connection_text, statements, pairs)) return 1;
  }
  return 0;
}
