// The login exchange: the PRELOGIN answer (no encryption), LOGIN7 as the
// client sends it, and the tokens that accept or refuse a login.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tests/servers/tds/tds_bytes.h"

namespace db_test::tds {

inline constexpr uint32_t kTds74 = 0x74000004;

// The fields of LOGIN7 that the server uses, texts in UTF-8.
struct Login7 {
  uint32_t tds_version = 0;
  uint32_t packet_size = 0;
  std::string user;
  std::string password;  // revealed from its obfuscated form
  std::string application;
  std::string database;
};

// None when the bytes are no LOGIN7 record.
std::optional<Login7> DecodeLogin7(std::span<const uint8_t> record);

// LOGIN7 sends each byte of the UTF-16LE password with its halves swapped
// and XORed with 0xA5; this undoes it.
std::string RevealPassword(std::span<const uint8_t> obfuscated);

// The answer to any PRELOGIN: server version, encryption not available.
Bytes PreloginAnswer();

// The packet size both sides use from the login on.
uint32_t AgreedPacketSize(const Login7& login);

// What SQL Server sends for a login it accepts: database, collation and
// language changes, LOGINACK, the packet size and a final DONE.
void WriteLoginAccepted(ByteWriter& out, const Login7& login);
// Error 18456 and a DONE with the error bit; no LOGINACK. A database that
// cannot be opened is named first, in error 4060.
void WriteLoginRefused(ByteWriter& out, const Login7& login,
                       std::optional<std::string_view> unopened_database);

}  // namespace db_test::tds
