#include "frame/db/field_value.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

#include "frame/db/text_forms.h"

namespace frame {
namespace {

template <class Number>
std::optional<Number> ParseNumber(std::string_view raw) {
  Number value{};
  auto [end, error] = std::from_chars(raw.data(), raw.data() + raw.size(), value);
  if (error != std::errc() || end != raw.data() + raw.size()) return std::nullopt;
  return value;
}

// The bits of an integer value of any width, as the 64-bit pattern.
std::optional<uint64_t> ParseIntegerBits(std::string_view raw) {
  if (auto value = ParseNumber<int64_t>(raw)) return static_cast<uint64_t>(*value);
  return ParseNumber<uint64_t>(raw);
}

}  // namespace

Text FieldText(const FieldValue& value) {
  const std::string& raw = value.raw;
  Text text;
  switch (value.kind) {
    case FieldKind::kNull:
      break;
    case FieldKind::kInteger:
      if (auto bits = ParseIntegerBits(raw)) {
        AppendIntegerText(int64_t{static_cast<int32_t>(static_cast<uint32_t>(*bits))}, text);
      }
      break;
    case FieldKind::kBigInt:
      if (auto bits = ParseIntegerBits(raw)) AppendIntegerText(static_cast<int64_t>(*bits), text);
      break;
    case FieldKind::kUnsignedBigInt:
      if (auto bits = ParseIntegerBits(raw)) AppendIntegerText(*bits, text);
      break;
    case FieldKind::kTinyInt:
      if (auto bits = ParseIntegerBits(raw)) AppendIntegerText(uint64_t{*bits & 0xFF}, text);
      break;
    case FieldKind::kReal:
      if (auto number = ParseNumber<float>(raw)) AppendFloatText(*number, text);
      break;
    case FieldKind::kDouble:
      if (auto number = ParseNumber<double>(raw)) AppendFloatText(*number, text);
      break;
    case FieldKind::kDecimal:
      AppendDecimalText(raw, 8, text);
      break;
    case FieldKind::kCurrency:
      AppendDecimalText(raw, 0, text);
      break;
    case FieldKind::kDateTime:
    case FieldKind::kText:
      text = raw;
      break;
    case FieldKind::kBit:
      text = raw == "1" || raw == "true" ? "TRUE" : "FALSE";
      break;
    case FieldKind::kGuid:
      if (auto guid = ParseGuid(raw)) AppendGuidText(*guid, text);
      break;
    case FieldKind::kBinary:
      text = "[BLOB]";
      break;
    case FieldKind::kUnknown:
      text = "UN_KNOW";
      break;
  }
  return text;
}

}  // namespace frame
