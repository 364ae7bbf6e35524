// The two ways to run a short statement that the benchmark compares, each on
// a connection of its own opened when it is made (not timed).
#pragma once

#include <memory>
#include <string>

namespace bench {

inline constexpr const char* kShortTable = R"sql(
DROP TABLE IF EXISTS dbo.Short;
CREATE TABLE dbo.Short (id integer PRIMARY KEY, cash bigint, name varchar(32));
INSERT INTO dbo.Short VALUES (1, -9007199254740993, '玩家''一号'), (2, 0, NULL);
)sql";
inline constexpr const char* kUpdate = "UPDATE dbo.Short SET cash = cash + 100 WHERE id = 1";
inline constexpr const char* kSelect = "SELECT id, cash, name FROM dbo.Short WHERE id = 1";

class StatementPath {
 public:
  virtual ~StatementPath() = default;
  // False until the connection opened.
  virtual bool connected() const = 0;
  // One statement each, its whole result read; false when it failed.
  virtual bool Update() = 0;
  virtual bool Select() = 0;
};

// The floor: the driver manager's wide API, as the components call it (a
// statement handle each, under the components' time-out, every result read,
// every field fetched as text).
std::unique_ptr<StatementPath> RawOdbcStatements(const std::string& connection_text);

// The programs' path: ExecuteSql, and a record set opened, read by column
// name and closed, through the services.
std::unique_ptr<StatementPath> ServiceStatements(int port);

}  // namespace bench
