// Dates and times in SQL Server's binary forms, from PostgreSQL's ISO text
// ("YYYY-MM-DD HH:MM:SS.ffffff"). None when the text is no such value or one
// out of the type's range.
#pragma once

#include <optional>
#include <string_view>

#include "tests/servers/tds/tds_bytes.h"

namespace db_test::tds {

// datetime2 and time keep 100 ns units.
inline constexpr uint8_t kTimeScale = 7;

// Days since 1900-01-01 and ticks of 1/300 s.
std::optional<Bytes> EncodeDateTime(std::string_view text);
// Days since 1900-01-01 and minutes, both in two bytes.
std::optional<Bytes> EncodeSmallDateTime(std::string_view text);
// The time of day, then days since 0001-01-01.
std::optional<Bytes> EncodeDateTime2(std::string_view text);
std::optional<Bytes> EncodeDate(std::string_view text);
std::optional<Bytes> EncodeTime(std::string_view text);

}  // namespace db_test::tds
