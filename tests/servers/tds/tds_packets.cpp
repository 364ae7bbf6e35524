#include "tests/servers/tds/tds_packets.h"

#include <sys/socket.h>

#include <cerrno>

namespace db_test::tds {
namespace {

constexpr size_t kHeaderSize = 8;
constexpr uint8_t kEndOfMessage = 0x01;

bool ReadExactly(int socket, uint8_t* target, size_t count) {
  while (count > 0) {
    ssize_t got = recv(socket, target, count, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    target += got;
    count -= static_cast<size_t>(got);
  }
  return true;
}

}  // namespace

bool SendAll(int socket, std::span<const uint8_t> bytes) {
  const uint8_t* data = bytes.data();
  size_t count = bytes.size();
  while (count > 0) {
    ssize_t sent = send(socket, data, count, MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    data += sent;
    count -= static_cast<size_t>(sent);
  }
  return true;
}

std::optional<Message> ReadMessage(int socket) {
  Message message{};
  for (bool first = true;; first = false) {
    uint8_t header[kHeaderSize];
    if (!ReadExactly(socket, header, sizeof header)) return std::nullopt;
    size_t length = static_cast<size_t>(header[2] << 8 | header[3]);
    if (length < kHeaderSize) return std::nullopt;
    auto type = static_cast<PacketType>(header[0]);
    if (first) {
      message.type = type;
    } else if (type != message.type) {
      return std::nullopt;
    }
    size_t old_size = message.payload.size();
    message.payload.resize(old_size + length - kHeaderSize);
    if (!ReadExactly(socket, message.payload.data() + old_size, length - kHeaderSize)) {
      return std::nullopt;
    }
    if (header[1] & kEndOfMessage) return message;
  }
}

ResponseStream::ResponseStream(int socket, uint16_t spid, size_t packet_size)
    : socket_(socket), spid_(spid), payload_size_(packet_size - kHeaderSize) {}

ResponseStream::ResponseStream(Bytes& held, uint16_t spid, size_t packet_size)
    : socket_(-1), held_(&held), spid_(spid), payload_size_(packet_size - kHeaderSize) {}

void ResponseStream::Flush() {
  const Bytes& bytes = tokens_.bytes();
  while (bytes.size() - sent_ > payload_size_) {
    Send(PacketType::kTabularResult, std::span(bytes).subspan(sent_, payload_size_), false);
    sent_ += payload_size_;
  }
}

bool ResponseStream::Finish(PacketType type) {
  Flush();
  Send(type, std::span(tokens_.bytes()).subspan(sent_), true);
  tokens_ = ByteWriter();
  sent_ = 0;
  return !failed_;
}

void ResponseStream::Send(PacketType type, std::span<const uint8_t> payload, bool last) {
  if (failed_) return;
  ByteWriter packet;
  packet.U8(static_cast<uint8_t>(type));
  packet.U8(last ? kEndOfMessage : 0);
  packet.U16BigEndian(static_cast<uint16_t>(payload.size() + kHeaderSize));
  packet.U16BigEndian(spid_);
  packet.U8(packet_number_++);
  packet.U8(0);
  packet.Append(payload);
  if (held_ != nullptr) {
    held_->insert(held_->end(), packet.bytes().begin(), packet.bytes().end());
    return;
  }
  failed_ = !SendAll(socket_, packet.bytes());
}

}  // namespace db_test::tds
