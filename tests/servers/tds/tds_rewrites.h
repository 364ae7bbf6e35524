// The few T-SQL forms that PostgreSQL refuses and the tools (or the driver)
// send, turned into forms it takes. Quoted texts are never touched: every
// literal reaches PostgreSQL byte for byte.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace db_test::tds {

// The batch as PostgreSQL should run it; each rewrite made is added to `log`
// as "before => after".
std::string RewriteForPostgres(std::string_view batch, std::vector<std::string>& log);

}  // namespace db_test::tds
