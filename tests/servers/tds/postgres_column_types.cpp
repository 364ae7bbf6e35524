#include "tests/servers/tds/postgres_column_types.h"

namespace db_test::tds {

PGconn* ConnectToPostgres(const ConnectionParameters& parameters) {
  std::vector<const char*> keywords;
  std::vector<const char*> values;
  for (const auto& [keyword, value] : parameters) {
    keywords.push_back(keyword.c_str());
    values.push_back(value.c_str());
  }
  keywords.push_back(nullptr);
  values.push_back(nullptr);
  PGconn* connection = PQconnectdbParams(keywords.data(), values.data(), 0);
  if (PQstatus(connection) != CONNECTION_OK) {
    PQfinish(connection);
    return nullptr;
  }
  // Notices ("table does not exist, skipping") would go to the test's output.
  PQsetNoticeProcessor(
      connection, [](void*, const char*) {}, nullptr);
  return connection;
}

PostgresColumnTypes::~PostgresColumnTypes() {
  if (connection_ != nullptr) PQfinish(connection_);
}

PostgresType PostgresColumnTypes::TypeOf(const PGresult* result, int column) {
  PostgresType type{.base = BaseName(PQftype(result, column)), .modifier = PQfmod(result, column)};
  Oid table = PQftable(result, column);
  int table_column = PQftablecol(result, column);
  if (table != InvalidOid && table_column > 0) {
    if (auto domain = DomainOf(table, table_column); domain && !domain->name.empty()) {
      type.domain = domain->name;
      type.modifier = domain->modifier;
    }
  }
  return type;
}

std::string PostgresColumnTypes::BaseName(Oid type) {
  if (auto known = base_names_.find(type); known != base_names_.end()) return known->second;
  auto rows = Query("SELECT typname FROM pg_type WHERE oid = $1", {std::to_string(type)});
  if (!rows || rows->empty()) return "";
  return base_names_[type] = rows->front().front();
}

std::optional<PostgresColumnTypes::Domain> PostgresColumnTypes::DomainOf(Oid table, int column) {
  auto key = std::make_pair(table, column);
  if (auto known = domains_.find(key); known != domains_.end()) return known->second;
  auto rows = Query(
      "SELECT CASE WHEN t.typtype = 'd' THEN t.typname ELSE '' END, t.typtypmod "
      "FROM pg_attribute a JOIN pg_type t ON t.oid = a.atttypid "
      "WHERE a.attrelid = $1 AND a.attnum = $2",
      {std::to_string(table), std::to_string(column)});
  // A table made by the running batch is not visible here yet: not kept.
  if (!rows || rows->empty()) return std::nullopt;
  Domain domain{.name = rows->front()[0], .modifier = std::stoi(rows->front()[1])};
  return domains_[key] = domain;
}

std::optional<std::vector<std::vector<std::string>>> PostgresColumnTypes::Query(
    const char* sql, const std::vector<std::string>& values) {
  if (connection_ == nullptr) connection_ = ConnectToPostgres(parameters_);
  if (connection_ == nullptr) return std::nullopt;
  std::vector<const char*> parameters;
  for (const std::string& value : values)
    parameters.push_back(value.c_str());
  PGresult* result = PQexecParams(connection_, sql, static_cast<int>(parameters.size()), nullptr,
                                  parameters.data(), nullptr, nullptr, 0);
  std::optional<std::vector<std::vector<std::string>>> rows;
  if (PQresultStatus(result) == PGRES_TUPLES_OK) {
    rows.emplace();
    for (int row = 0; row < PQntuples(result); ++row) {
      auto& cells = rows->emplace_back();
      for (int column = 0; column < PQnfields(result); ++column)
        cells.emplace_back(PQgetvalue(result, row, column));
    }
  }
  PQclear(result);
  return rows;
}

}  // namespace db_test::tds
