// TDS packet framing: an eight-byte header, then up to the agreed packet
// size of payload; a message ends with the packet that has the EOM bit.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "tests/servers/tds/tds_bytes.h"

namespace db_test::tds {

enum class PacketType : uint8_t {
  kSqlBatch = 0x01,
  kRpc = 0x03,
  kTabularResult = 0x04,
  kAttention = 0x06,
  kLogin7 = 0x10,
  kPrelogin = 0x12,
};

struct Message {
  PacketType type;
  Bytes payload;
};

// Reads the packets of one message from a blocking socket. None when the
// peer closed it or sent something that is no TDS packet.
std::optional<Message> ReadMessage(int socket);

// Sends bytes as they are (packets already framed). False when the peer
// is gone.
bool SendAll(int socket, std::span<const uint8_t> bytes);

// Tokens of one answer, sent in packets of the agreed size as they fill;
// Finish() sends the rest with the EOM bit. A failed send is remembered and
// makes every later one a no-op.
class ResponseStream {
 public:
  ResponseStream(int socket, uint16_t spid, size_t packet_size);
  // Keeps the packets in `held` instead, for an answer sent out later.
  ResponseStream(Bytes& held, uint16_t spid, size_t packet_size);

  ByteWriter& tokens() { return tokens_; }
  // Sends the packets that are full.
  void Flush();
  bool Finish(PacketType type = PacketType::kTabularResult);
  bool failed() const { return failed_; }

 private:
  void Send(PacketType type, std::span<const uint8_t> payload, bool last);

  int socket_;
  Bytes* held_ = nullptr;
  uint16_t spid_;
  size_t payload_size_;
  uint8_t packet_number_ = 1;
  ByteWriter tokens_;
  size_t sent_ = 0;  // bytes of tokens_ already sent
  bool failed_ = false;
};

}  // namespace db_test::tds
