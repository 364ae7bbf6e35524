// Little-endian fields of the TDS protocol, written and read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace db_test::tds {

using Bytes = std::vector<uint8_t>;

// The low `width` bytes of a value, least significant first.
Bytes LittleEndian(uint64_t value, size_t width);

class ByteWriter {
 public:
  void U8(uint8_t value) { bytes_.push_back(value); }
  void U16(uint16_t value);
  void U16BigEndian(uint16_t value);
  void U32(uint32_t value);
  void U64(uint64_t value);
  void Append(std::span<const uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  }
  // UTF-8 in, UTF-16LE out, with no length before it.
  void Utf16(std::string_view utf8);
  // UTF-16LE after its length in code units: one byte (B_VARCHAR) or two (US_VARCHAR).
  void BVarChar(std::string_view utf8);
  void UsVarChar(std::string_view utf8);
  // Overwrites two bytes written before, for lengths known only afterwards.
  void PatchU16(size_t at, uint16_t value);

  size_t size() const { return bytes_.size(); }
  const Bytes& bytes() const { return bytes_; }
  Bytes Take() { return std::move(bytes_); }

 private:
  Bytes bytes_;
};

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  std::optional<uint8_t> U8();
  std::optional<uint16_t> U16();
  std::optional<uint16_t> U16BigEndian();
  std::optional<uint32_t> U32();
  std::optional<std::span<const uint8_t>> Take(size_t count);
  bool Skip(size_t count) { return Take(count).has_value(); }

  size_t position() const { return position_; }
  std::span<const uint8_t> rest() const { return bytes_.subspan(position_); }

 private:
  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
};

}  // namespace db_test::tds
