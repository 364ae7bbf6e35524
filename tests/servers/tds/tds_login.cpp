#include "tests/servers/tds/tds_login.h"

#include <algorithm>

#include "tests/servers/tds/tds_text.h"
#include "tests/servers/tds/tds_tokens.h"

namespace db_test::tds {
namespace {

// Offsets of LOGIN7's fixed part.
constexpr size_t kFixedPartSize = 94;
constexpr size_t kTdsVersionAt = 4;
constexpr size_t kUserNameAt = 40;
constexpr size_t kPasswordAt = 44;
constexpr size_t kAppNameAt = 48;
constexpr size_t kDatabaseAt = 68;

constexpr uint32_t kDefaultPacketSize = 4096;

// The bytes of one variable field: its offset and its length in UTF-16 units
// stand at `at` in the fixed part.
std::optional<std::span<const uint8_t>> Field(std::span<const uint8_t> record, size_t at) {
  ByteReader reader(record.subspan(at));
  auto offset = reader.U16();
  auto units = reader.U16();
  if (!offset || !units || *offset + *units * 2u > record.size()) return std::nullopt;
  return record.subspan(*offset, *units * 2u);
}

}  // namespace

std::optional<Login7> DecodeLogin7(std::span<const uint8_t> record) {
  if (record.size() < kFixedPartSize) return std::nullopt;
  Login7 login;
  ByteReader fixed(record);
  fixed.Skip(kTdsVersionAt);
  login.tds_version = fixed.U32().value_or(0);
  login.packet_size = fixed.U32().value_or(0);
  auto user = Field(record, kUserNameAt);
  auto password = Field(record, kPasswordAt);
  auto application = Field(record, kAppNameAt);
  auto database = Field(record, kDatabaseAt);
  if (!user || !password || !application || !database) return std::nullopt;
  login.user = Utf8FromUtf16(*user);
  login.password = RevealPassword(*password);
  login.application = Utf8FromUtf16(*application);
  login.database = Utf8FromUtf16(*database);
  return login;
}

std::string RevealPassword(std::span<const uint8_t> obfuscated) {
  Bytes plain;
  for (uint8_t byte : obfuscated) {
    uint8_t swapped = byte ^ 0xA5;
    plain.push_back(static_cast<uint8_t>(swapped << 4 | swapped >> 4));
  }
  return Utf8FromUtf16(plain);
}

Bytes PreloginAnswer() {
  struct Option {
    uint8_t token;
    Bytes data;
  };
  const Option options[] = {
      {0x00, {16, 0, 0x03, 0xE8, 0, 0}},  // version 16.0.1000, sub-build 0
      {0x01, {0x02}},                     // encryption: not available
      {0x02, {0x00}},                     // instance: matched
      {0x03, {}},                         // thread id
      {0x04, {0x00}},                     // MARS off
  };
  ByteWriter out;
  uint16_t offset = sizeof options / sizeof options[0] * 5 + 1;
  for (const Option& option : options) {
    out.U8(option.token);
    out.U16BigEndian(offset);
    out.U16BigEndian(static_cast<uint16_t>(option.data.size()));
    offset = static_cast<uint16_t>(offset + option.data.size());
  }
  out.U8(0xFF);
  for (const Option& option : options)
    out.Append(option.data);
  return out.Take();
}

uint32_t AgreedPacketSize(const Login7& login) {
  if (login.packet_size == 0) return kDefaultPacketSize;
  return std::clamp<uint32_t>(login.packet_size, 512, 32767);
}

void WriteLoginAccepted(ByteWriter& out, const Login7& login) {
  WriteDatabaseChange(out, login.database, "master");
  WriteMessage(out, {.number = 5701,
                     .state = 2,
                     .severity = 0,
                     .text = "Changed database context to '" + login.database + "'."});
  WriteCollationChange(out);
  WriteLanguageChange(out, "us_english");
  WriteMessage(out, {.number = 5703,
                     .state = 1,
                     .severity = 0,
                     .text = "Changed language setting to us_english."});
  WriteLoginAck(out, std::min(login.tds_version, kTds74));
  WritePacketSizeChange(out, AgreedPacketSize(login));
  WriteDone(out, {});
}

void WriteLoginRefused(ByteWriter& out, const Login7& login,
                       std::optional<std::string_view> unopened_database) {
  if (unopened_database) {
    WriteMessage(out, {.number = 4060,
                       .state = 1,
                       .severity = 11,
                       .text = "Cannot open database \"" + std::string(*unopened_database) +
                               "\" requested by the login. The login failed."});
  }
  WriteMessage(out, {.number = 18456,
                     .state = 1,
                     .severity = 14,
                     .text = "Login failed for user '" + login.user + "'."});
  WriteDone(out, {.status = kDoneError});
}

}  // namespace db_test::tds
