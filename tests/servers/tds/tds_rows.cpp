#include "tests/servers/tds/tds_rows.h"

#include <algorithm>

#include "tests/servers/tds/tds_dates.h"
#include "tests/servers/tds/tds_tokens.h"

namespace db_test::tds {
namespace {

constexpr uint8_t kColumnMetadataToken = 0x81;
constexpr uint8_t kRowToken = 0xD1;
constexpr uint8_t kNullBitmapRowToken = 0xD2;
constexpr uint16_t kNullable = 0x0001;
constexpr uint16_t kMaxMarker = 0xFFFF;
constexpr uint64_t kPlpNull = ~uint64_t{0};
constexpr uint16_t kShortNull = 0xFFFF;
constexpr size_t kPlpChunk = 8000;

// How a type's values are framed on the wire.
enum class Framing { kByteLength, kShortLength, kPlp, kTextPointer };

Framing FramingOf(SqlServerType type) {
  switch (type) {
    case SqlServerType::kVarChar:
    case SqlServerType::kChar:
    case SqlServerType::kNVarChar:
    case SqlServerType::kNChar:
      return Framing::kShortLength;
    case SqlServerType::kVarCharMax:
    case SqlServerType::kNVarCharMax:
    case SqlServerType::kVarBinaryMax:
      return Framing::kPlp;
    case SqlServerType::kText:
    case SqlServerType::kNText:
      return Framing::kTextPointer;
    default:
      return Framing::kByteLength;
  }
}

void WriteTypeInfo(ByteWriter& out, const TdsColumn& column) {
  auto fixed = [&out](uint8_t type, uint8_t length) {
    out.U8(type);
    out.U8(length);
  };
  auto character = [&out](uint8_t type, uint16_t length) {
    out.U8(type);
    out.U16(length);
    out.Append(kChinesePrcCiAs);
  };
  auto large = [&out](uint8_t type, uint32_t length) {
    out.U8(type);
    out.U32(length);
    out.Append(kChinesePrcCiAs);
    out.U8(0);  // no table name parts
  };
  auto short_length = static_cast<uint16_t>(column.max_length);
  switch (column.type) {
    case SqlServerType::kTinyInt:
      return fixed(0x26, 1);
    case SqlServerType::kSmallInt:
      return fixed(0x26, 2);
    case SqlServerType::kInt:
      return fixed(0x26, 4);
    case SqlServerType::kBigInt:
      return fixed(0x26, 8);
    case SqlServerType::kBit:
      return fixed(0x68, 1);
    case SqlServerType::kReal:
      return fixed(0x6D, 4);
    case SqlServerType::kFloat:
      return fixed(0x6D, 8);
    case SqlServerType::kDecimal:
      fixed(0x6A, static_cast<uint8_t>(1 + DecimalWidth(column.precision)));
      out.U8(column.precision);
      out.U8(column.scale);
      return;
    case SqlServerType::kMoney:
      return fixed(0x6E, 8);
    case SqlServerType::kSmallMoney:
      return fixed(0x6E, 4);
    case SqlServerType::kDateTime:
      return fixed(0x6F, 8);
    case SqlServerType::kSmallDateTime:
      return fixed(0x6F, 4);
    case SqlServerType::kDateTime2:
      return fixed(0x2A, kTimeScale);
    case SqlServerType::kDate:
      return out.U8(0x28);
    case SqlServerType::kTime:
      return fixed(0x29, kTimeScale);
    case SqlServerType::kUniqueIdentifier:
      return fixed(0x24, 16);
    case SqlServerType::kVarChar:
      return character(0xA7, short_length);
    case SqlServerType::kChar:
      return character(0xAF, short_length);
    case SqlServerType::kVarCharMax:
      return character(0xA7, kMaxMarker);
    case SqlServerType::kNVarChar:
      return character(0xE7, short_length);
    case SqlServerType::kNChar:
      return character(0xEF, short_length);
    case SqlServerType::kNVarCharMax:
      return character(0xE7, kMaxMarker);
    case SqlServerType::kText:
      return large(0x23, 0x7FFFFFFF);
    case SqlServerType::kNText:
      return large(0x63, 0x7FFFFFFE);
    case SqlServerType::kVarBinaryMax:
      out.U8(0xA5);
      out.U16(kMaxMarker);
      return;
  }
}

void WriteValue(ByteWriter& out, SqlServerType type, const std::optional<Bytes>& value) {
  switch (FramingOf(type)) {
    case Framing::kByteLength:
      out.U8(value ? static_cast<uint8_t>(value->size()) : 0);
      break;
    case Framing::kShortLength:
      out.U16(value ? static_cast<uint16_t>(value->size()) : kShortNull);
      break;
    case Framing::kPlp:
      out.U64(value ? value->size() : kPlpNull);
      if (!value) return;
      for (size_t at = 0; at < value->size(); at += kPlpChunk) {
        std::span<const uint8_t> chunk = std::span(*value).subspan(at);
        chunk = chunk.first(std::min(chunk.size(), kPlpChunk));
        out.U32(static_cast<uint32_t>(chunk.size()));
        out.Append(chunk);
      }
      out.U32(0);
      return;
    case Framing::kTextPointer:
      if (!value) {
        out.U8(0);
        return;
      }
      out.U8(16);
      out.Append(Bytes(16, 0xAB));  // text pointer
      out.Append(Bytes(8, 0x01));   // timestamp
      out.U32(static_cast<uint32_t>(value->size()));
      break;
  }
  if (value) out.Append(*value);
}

}  // namespace

void WriteColumnMetadata(ByteWriter& out, std::span<const TdsColumn> columns) {
  out.U8(kColumnMetadataToken);
  out.U16(static_cast<uint16_t>(columns.size()));
  for (const TdsColumn& column : columns) {
    out.U32(0);  // user type
    out.U16(kNullable);
    WriteTypeInfo(out, column);
    out.BVarChar(column.name);
  }
}

void WriteRow(ByteWriter& out, std::span<const TdsColumn> columns,
              std::span<const std::optional<Bytes>> values) {
  bool any_null = false;
  for (const auto& value : values)
    any_null = any_null || !value;
  if (!any_null) {
    out.U8(kRowToken);
    for (size_t i = 0; i < columns.size(); ++i)
      WriteValue(out, columns[i].type, values[i]);
    return;
  }
  out.U8(kNullBitmapRowToken);
  Bytes bitmap((columns.size() + 7) / 8, 0);
  for (size_t i = 0; i < columns.size(); ++i) {
    if (!values[i]) bitmap[i / 8] |= static_cast<uint8_t>(1 << (i % 8));
  }
  out.Append(bitmap);
  for (size_t i = 0; i < columns.size(); ++i) {
    if (values[i]) WriteValue(out, columns[i].type, values[i]);
  }
}

}  // namespace db_test::tds
