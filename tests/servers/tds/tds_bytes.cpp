#include "tests/servers/tds/tds_bytes.h"

#include "tests/servers/tds/tds_text.h"

namespace db_test::tds {

Bytes LittleEndian(uint64_t value, size_t width) {
  Bytes bytes(width);
  for (size_t i = 0; i < width; ++i)
    bytes[i] = static_cast<uint8_t>(value >> (8 * i));
  return bytes;
}

void ByteWriter::U16(uint16_t value) {
  U8(static_cast<uint8_t>(value));
  U8(static_cast<uint8_t>(value >> 8));
}

void ByteWriter::U16BigEndian(uint16_t value) {
  U8(static_cast<uint8_t>(value >> 8));
  U8(static_cast<uint8_t>(value));
}

void ByteWriter::U32(uint32_t value) {
  U16(static_cast<uint16_t>(value));
  U16(static_cast<uint16_t>(value >> 16));
}

void ByteWriter::U64(uint64_t value) {
  U32(static_cast<uint32_t>(value));
  U32(static_cast<uint32_t>(value >> 32));
}

void ByteWriter::Utf16(std::string_view utf8) {
  Append(Utf16FromUtf8(utf8));
}

void ByteWriter::BVarChar(std::string_view utf8) {
  Bytes text = Utf16FromUtf8(utf8);
  U8(static_cast<uint8_t>(text.size() / 2));
  Append(text);
}

void ByteWriter::UsVarChar(std::string_view utf8) {
  Bytes text = Utf16FromUtf8(utf8);
  U16(static_cast<uint16_t>(text.size() / 2));
  Append(text);
}

void ByteWriter::PatchU16(size_t at, uint16_t value) {
  bytes_.at(at) = static_cast<uint8_t>(value);
  bytes_.at(at + 1) = static_cast<uint8_t>(value >> 8);
}

std::optional<uint8_t> ByteReader::U8() {
  auto bytes = Take(1);
  if (!bytes) return std::nullopt;
  return (*bytes)[0];
}

std::optional<uint16_t> ByteReader::U16() {
  auto bytes = Take(2);
  if (!bytes) return std::nullopt;
  return static_cast<uint16_t>((*bytes)[0] | (*bytes)[1] << 8);
}

std::optional<uint16_t> ByteReader::U16BigEndian() {
  auto bytes = Take(2);
  if (!bytes) return std::nullopt;
  return static_cast<uint16_t>((*bytes)[0] << 8 | (*bytes)[1]);
}

std::optional<uint32_t> ByteReader::U32() {
  auto low = U16();
  auto high = U16();
  if (!low || !high) return std::nullopt;
  return static_cast<uint32_t>(*low) | static_cast<uint32_t>(*high) << 16;
}

std::optional<std::span<const uint8_t>> ByteReader::Take(size_t count) {
  if (count > bytes_.size() - position_) return std::nullopt;
  std::span<const uint8_t> taken = bytes_.subspan(position_, count);
  position_ += count;
  return taken;
}

}  // namespace db_test::tds
