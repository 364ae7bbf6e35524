// The value of a control property: a flag, a 32-bit integer or a text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "frame/text/gbk.h"

namespace frame {

class PropertyValue {
 public:
  PropertyValue() = default;
  PropertyValue(bool flag) : value_(flag) {}
  PropertyValue(int32_t number) : value_(number) {}
  PropertyValue(Text text) : value_(std::move(text)) {}
  PropertyValue(std::string_view text) : value_(Text(text)) {}
  PropertyValue(const char* text) : value_(Text(text != nullptr ? text : "")) {}

  bool IsEmpty() const { return std::holds_alternative<std::monostate>(value_); }

  // Reads convert the way a handler would expect: a missing value is false, 0 or "".
  bool AsBool() const;
  int32_t AsInt() const;
  Text AsText() const;

  friend bool operator==(const PropertyValue&, const PropertyValue&) = default;

 private:
  std::variant<std::monostate, bool, int32_t, Text> value_;
};

inline bool PropertyValue::AsBool() const {
  if (auto* flag = std::get_if<bool>(&value_)) return *flag;
  if (auto* number = std::get_if<int32_t>(&value_)) return *number != 0;
  return false;
}

inline int32_t PropertyValue::AsInt() const {
  if (auto* number = std::get_if<int32_t>(&value_)) return *number;
  if (auto* flag = std::get_if<bool>(&value_)) return *flag ? 1 : 0;
  return 0;
}

inline Text PropertyValue::AsText() const {
  if (auto* text = std::get_if<Text>(&value_)) return *text;
  if (auto* number = std::get_if<int32_t>(&value_)) return std::to_string(*number);
  return {};
}

}  // namespace frame
