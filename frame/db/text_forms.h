// The text forms of column values, made by hand: each appends to a text that
// the caller keeps, so a read loop reuses one buffer and a result being
// stored writes straight into its own. Independent of the C locale.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace frame {

// A date-time to the second, as ODBC's timestamp holds it.
struct Timestamp {
  int16_t year = 0;
  uint8_t month = 0;
  uint8_t day = 0;
  uint8_t hour = 0;
  uint8_t minute = 0;
  uint8_t second = 0;

  friend bool operator==(const Timestamp&, const Timestamp&) = default;
};

// A GUID's 16 bytes in the order of its text.
using Guid = std::array<uint8_t, 16>;

void AppendIntegerText(int64_t value, std::string& out);
void AppendIntegerText(uint64_t value, std::string& out);

// "%.4f" (single) or "%.8f" (double) when that reads back to the very same
// value, else the shortest plain decimal that does: no value is rounded away.
void AppendFloatText(float value, std::string& out);
void AppendFloatText(double value, std::string& out);

// An exact decimal from its digits ("-12.5", ".5"), never through a double:
// `places` decimals, or every digit up to the last that is not zero when
// there are more. A text that is no decimal number is appended unchanged.
void AppendDecimalText(std::string_view digits, size_t places, std::string& out);

// "YYYY-MM-DD HH:MM:SS".
void AppendDateTimeText(const Timestamp& value, std::string& out);

// The 32 hex digits of a GUID in either case, hyphens and braces optional;
// none when the text holds anything else or another count of digits.
std::optional<Guid> ParseGuid(std::string_view text);
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
void AppendGuidText(const Guid& guid, std::string& out);

}  // namespace frame
