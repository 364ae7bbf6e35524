#include "frame/db/odbc/registered_driver.h"

#include <cstdlib>
#include <mutex>
#include <optional>

#include "frame/db/connection_text.h"
#include "frame/db/odbc/odbc_text.h"
#include "frame/text/ascii.h"

namespace frame {
namespace {

// The value of `key` in a driver's attributes, "key=value" texts each ended
// by a zero unit, the list by an empty one.
std::string AttributeValue(const SQLWCHAR* attributes, size_t units, std::string_view key) {
  size_t at = 0;
  while (at < units && attributes[at] != 0) {
    size_t end = at;
    while (end < units && attributes[end] != 0)
      ++end;
    std::string pair = Utf8FromUtf16(Utf16Units(attributes + at), end - at);
    size_t equals = pair.find('=');
    if (equals != std::string::npos &&
        EqualIgnoringAsciiCase(std::string_view(pair).substr(0, equals), key)) {
      return pair.substr(equals + 1);
    }
    at = end + 1;
  }
  return {};
}

}  // namespace

std::string RegisteredDriverFile(SQLHENV environment, std::string_view name) {
  // The driver list is walked on the environment handle itself: two walks
  // at once would each see part of it.
  static std::mutex walking;
  std::lock_guard lock(walking);
  SQLWCHAR description[256];
  SQLWCHAR attributes[4096];
  SQLUSMALLINT direction = SQL_FETCH_FIRST;
  for (;;) {
    SQLSMALLINT description_units = 0;
    SQLSMALLINT attribute_units = 0;
    SQLRETURN ret = SQLDriversW(environment, direction, description, 256, &description_units,
                                attributes, 4096, &attribute_units);
    direction = SQL_FETCH_NEXT;
    if (!SQL_SUCCEEDED(ret)) break;
    if (description_units >= 256 ||
        !EqualIgnoringAsciiCase(
            Utf8FromUtf16(Utf16Units(description), static_cast<size_t>(description_units)), name)) {
      continue;
    }
    size_t units = attribute_units < 4096 ? static_cast<size_t>(attribute_units) : 4095;
    attributes[units] = 0;
    return AttributeValue(attributes, units, "Driver");
  }
  return {};
}

DbResult<Text> RegisteredDriverText(SQLHENV environment, std::string_view connection_text,
                                    int default_port) {
  std::optional<std::string> driver = ConnectionItem(connection_text, "DRIVER");
  const std::string file = driver ? RegisteredDriverFile(environment, *driver) : std::string();
  return DriverConnectionText(
      connection_text, TextRulesForDriver(file, default_port, std::getenv("TDSVER") != nullptr));
}

}  // namespace frame
