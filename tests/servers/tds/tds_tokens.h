// The tokens of a TDS answer other than result sets: DONE and its kin,
// server messages, environment changes and the login acknowledgement.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tests/servers/tds/tds_bytes.h"

namespace db_test::tds {

enum class DoneToken : uint8_t { kDone = 0xFD, kDoneProc = 0xFE, kDoneInProc = 0xFF };

// Bits of a DONE token's status.
inline constexpr uint16_t kDoneFinal = 0x00;
inline constexpr uint16_t kDoneMore = 0x01;
inline constexpr uint16_t kDoneError = 0x02;
inline constexpr uint16_t kDoneCount = 0x10;
inline constexpr uint16_t kDoneAttention = 0x20;

// The statement kinds a DONE token names (its CurCmd).
inline constexpr uint16_t kCommandNone = 0x00;
inline constexpr uint16_t kCommandSelect = 0xC1;
inline constexpr uint16_t kCommandInsert = 0xC3;
inline constexpr uint16_t kCommandDelete = 0xC4;
inline constexpr uint16_t kCommandUpdate = 0xC5;

struct Done {
  DoneToken token = DoneToken::kDone;
  uint16_t status = kDoneFinal;
  uint16_t command = kCommandNone;
  uint64_t row_count = 0;
};

// An ERROR (severity above 10) or INFO message.
struct ServerMessage {
  int32_t number = 0;
  uint8_t state = 1;
  uint8_t severity = 16;
  std::string text;  // UTF-8
};

// The collation every character column and the database carry:
// Chinese_PRC_CI_AS, whose code page is 936.
inline constexpr uint8_t kChinesePrcCiAs[5] = {0x04, 0x08, 0xD0, 0x00, 0x00};

void WriteDone(ByteWriter& out, const Done& done);
void WriteMessage(ByteWriter& out, const ServerMessage& message);
void WriteReturnStatus(ByteWriter& out, int32_t status);
void WriteDatabaseChange(ByteWriter& out, std::string_view database, std::string_view old);
void WriteLanguageChange(ByteWriter& out, std::string_view language);
void WriteCollationChange(ByteWriter& out);
void WritePacketSizeChange(ByteWriter& out, uint32_t packet_size);
void WriteLoginAck(ByteWriter& out, uint32_t tds_version);

}  // namespace db_test::tds
