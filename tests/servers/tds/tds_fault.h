// The faults the TDS test server can play, apart from the server itself so
// that suites which only switch them need nothing of libpq.
#pragma once

#include <chrono>

namespace db_test {

// Faults the server can be switched into; each applies to what arrives
// after the switch, until the next one.
enum class TdsFault {
  kNone,
  kSilent,          // reads batches and attentions, answers nothing
  kDropConnection,  // closes the connection when a batch arrives
  kRefuseLogin,     // answers a login with error 18456
  kAckCancelLate,   // cancels at an attention at once but answers it kLateCancelAck later
  kNeverAckCancel,  // cancels at an attention and never answers it
  // Sends the first part of an answer's first packet, then one byte every
  // kTrickleInterval; at an attention, the rest and the answer to it.
  kTrickle,
};

inline constexpr std::chrono::milliseconds kLateCancelAck{3000};
inline constexpr std::chrono::milliseconds kTrickleInterval{100};

}  // namespace db_test
