#include "tests/servers/tds/tds_tokens.h"

namespace db_test::tds {
namespace {

constexpr uint8_t kErrorToken = 0xAA;
constexpr uint8_t kInfoToken = 0xAB;
constexpr uint8_t kLoginAckToken = 0xAD;
constexpr uint8_t kEnvChangeToken = 0xE3;
constexpr uint8_t kReturnStatusToken = 0x79;

constexpr const char* kServerName = "tds-test";

// A token whose two-byte length follows its type: `body` fills it.
template <class Body>
void WriteSized(ByteWriter& out, uint8_t token, Body body) {
  out.U8(token);
  size_t length_at = out.size();
  out.U16(0);
  body();
  out.PatchU16(length_at, static_cast<uint16_t>(out.size() - length_at - 2));
}

}  // namespace

void WriteDone(ByteWriter& out, const Done& done) {
  out.U8(static_cast<uint8_t>(done.token));
  out.U16(done.status);
  out.U16(done.command);
  out.U64(done.row_count);
}

void WriteMessage(ByteWriter& out, const ServerMessage& message) {
  WriteSized(out, message.severity > 10 ? kErrorToken : kInfoToken, [&] {
    out.U32(static_cast<uint32_t>(message.number));
    out.U8(message.state);
    out.U8(message.severity);
    out.UsVarChar(message.text);
    out.BVarChar(kServerName);
    out.BVarChar("");  // procedure
    out.U32(1);        // line
  });
}

void WriteReturnStatus(ByteWriter& out, int32_t status) {
  out.U8(kReturnStatusToken);
  out.U32(static_cast<uint32_t>(status));
}

void WriteDatabaseChange(ByteWriter& out, std::string_view database, std::string_view old) {
  WriteSized(out, kEnvChangeToken, [&] {
    out.U8(1);
    out.BVarChar(database);
    out.BVarChar(old);
  });
}

void WriteLanguageChange(ByteWriter& out, std::string_view language) {
  WriteSized(out, kEnvChangeToken, [&] {
    out.U8(2);
    out.BVarChar(language);
    out.BVarChar("");
  });
}

void WriteCollationChange(ByteWriter& out) {
  WriteSized(out, kEnvChangeToken, [&] {
    out.U8(7);
    out.U8(sizeof kChinesePrcCiAs);
    out.Append(kChinesePrcCiAs);
    out.U8(0);
  });
}

void WritePacketSizeChange(ByteWriter& out, uint32_t packet_size) {
  WriteSized(out, kEnvChangeToken, [&] {
    out.U8(4);
    out.BVarChar(std::to_string(packet_size));
    out.BVarChar(std::to_string(packet_size));
  });
}

void WriteLoginAck(ByteWriter& out, uint32_t tds_version) {
  WriteSized(out, kLoginAckToken, [&] {
    out.U8(1);  // T-SQL
    // The version goes out most significant byte first, unlike LOGIN7's.
    out.U16BigEndian(static_cast<uint16_t>(tds_version >> 16));
    out.U16BigEndian(static_cast<uint16_t>(tds_version));
    out.BVarChar("TDS test server");
    out.U8(16);  // version 16.0.1000.0
    out.U8(0);
    out.U16BigEndian(1000);
  });
}

}  // namespace db_test::tds
