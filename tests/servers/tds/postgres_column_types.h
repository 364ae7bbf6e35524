// The declared types of a result's columns, from PostgreSQL's catalog. A
// table column declared with a domain reports the domain's base type in the
// result, so the domain comes from the catalog, read on a connection of the
// lookup's own (the batch's connection is busy while results arrive).
#pragma once

#include <libpq-fe.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/servers/tds/tds_type_map.h"

namespace db_test::tds {

// libpq connection keywords and values.
using ConnectionParameters = std::vector<std::pair<std::string, std::string>>;

PGconn* ConnectToPostgres(const ConnectionParameters& parameters);

class PostgresColumnTypes {
 public:
  explicit PostgresColumnTypes(ConnectionParameters parameters)
      : parameters_(std::move(parameters)) {}
  PostgresColumnTypes(const PostgresColumnTypes&) = delete;
  PostgresColumnTypes& operator=(const PostgresColumnTypes&) = delete;
  ~PostgresColumnTypes();

  PostgresType TypeOf(const PGresult* result, int column);

 private:
  struct Domain {
    std::string name;  // empty: the column has a plain type
    int32_t modifier = -1;
  };

  std::string BaseName(Oid type);
  std::optional<Domain> DomainOf(Oid table, int column);
  // The rows of a query with text parameters; none when it fails.
  std::optional<std::vector<std::vector<std::string>>> Query(
      const char* sql, const std::vector<std::string>& values);

  ConnectionParameters parameters_;
  PGconn* connection_ = nullptr;
  std::map<Oid, std::string> base_names_;
  std::map<std::pair<Oid, int>, Domain> domains_;
};

}  // namespace db_test::tds
