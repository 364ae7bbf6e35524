// A column value as a backend hands it over, and the text a handler reads.
#pragma once

#include <string>

#include "frame/text/gbk.h"

namespace frame {

// The kinds of value that read differently. Every column type of a driver
// maps to one of them.
enum class FieldKind {
  kNull,
  kInteger,         // 2 and 4 bytes: "%d" of its low 32 bits
  kBigInt,          // 8 bytes: "%lld"
  kUnsignedBigInt,  // unsigned 8 bytes: "%llu"
  kTinyInt,         // shown as its low byte, 0 to 255
  kReal,            // single precision, "%.4f" when that reads back to it
  kDouble,          // double precision, "%.8f" when that reads back to it
  kDecimal,         // exact decimal, at least 8 places
  kCurrency,        // money: the number with its significant decimals
  kDateTime,        // "YYYY-MM-DD HH:MM:SS"
  kBit,             // "TRUE" or "FALSE"
  kText,            // the text itself
  kGuid,            // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
  kBinary,          // "[BLOB]"
  kUnknown,         // "UN_KNOW"
};

// `raw` is the value as plain text: decimal digits for integers and decimals
// ("-12.5"), any round-trip form for floats, "YYYY-MM-DD HH:MM:SS" for
// date-times, "1"/"0" for bits, GBK for texts, the 32 hex digits (hyphens
// and braces optional) for a GUID. Binary and unknown values ignore it.
struct FieldValue {
  FieldKind kind = FieldKind::kNull;
  std::string raw;

  friend bool operator==(const FieldValue&, const FieldValue&) = default;
};

// The text form of a value. Every number reads back as the very value it
// shows, so a box written back unchanged leaves its column unchanged.
// Independent of the C locale: Qt's programs set it from the environment,
// and a decimal comma must not reach a handler.
Text FieldText(const FieldValue& value);

}  // namespace frame
