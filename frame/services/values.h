// Values that handlers hand to ToText, ToInteger and the message box, and the clock.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "frame/text/gbk.h"
#include "frame/window/window_model.h"

namespace frame {

// Days since 1899-12-30 00:00 with the time of day as the fraction (an
// automation date). Before that day the fraction still counts forward from
// midnight: -1.25 is 1899-12-29 06:00.
struct DateTime {
  double days;
};

// The raw data bytes of an array of a numeric kind, or of a byte array.
struct ArrayBytes {
  std::vector<uint8_t> bytes;
};

// The element kinds an array value may hold: numbers and bytes.
template <typename T>
concept ArrayElement = std::is_arithmetic_v<T> && !std::is_same_v<T, bool>;

class Value {
 public:
  enum class Kind {
    kEmpty,
    kByte,
    kShort,
    kInt,
    kInt64,
    kFloat,
    kDouble,
    kBool,
    kDateTime,
    kText,
    kSubroutine,
    kArray,
  };

  // The alternatives are in the order of Kind.
  using Storage = std::variant<std::monostate, uint8_t, int16_t, int32_t, int64_t, float, double,
                               bool, DateTime, Text, Subroutine, ArrayBytes>;

  // Explicit throughout, so that Value("abc") is a text and never a bool.
  Value() = default;
  explicit Value(uint8_t v) : storage_(v) {}
  explicit Value(int16_t v) : storage_(v) {}
  explicit Value(int32_t v) : storage_(v) {}
  explicit Value(int64_t v) : storage_(v) {}
  explicit Value(float v) : storage_(v) {}
  explicit Value(double v) : storage_(v) {}
  explicit Value(bool v) : storage_(v) {}
  explicit Value(DateTime v) : storage_(v) {}
  explicit Value(Text v) : storage_(std::move(v)) {}
  explicit Value(std::string_view v) : storage_(Text(v)) {}
  // An absent text is the empty text.
  explicit Value(const char* v) : storage_(v != nullptr ? Text(v) : Text()) {}
  explicit Value(Subroutine v) : storage_(v) {}

  // An array value from its elements, kept as their data bytes.
  template <ArrayElement T>
  static Value Array(const std::vector<T>& elements) {
    ArrayBytes data;
    data.bytes.resize(elements.size() * sizeof(T));
    if (!elements.empty()) std::memcpy(data.bytes.data(), elements.data(), data.bytes.size());
    Value value;
    value.storage_ = std::move(data);
    return value;
  }

  Kind kind() const { return static_cast<Kind>(storage_.index()); }
  const Storage& storage() const { return storage_; }

 private:
  Storage storage_;
};

// The value as text: integers in decimal, float "%.6g", double "%.13g" (always
// with '.'), bool "真"/"假", a date-time in the form 2015年10月1日8时5分, a text
// as is, an array's bytes up to the first zero byte; anything else is empty.
Text ToText(const Value& value);

// The value as a 32-bit integer. A text is read like atoi after full-width GBK
// forms become ASCII, wrapping on overflow; float and double truncate toward
// zero and give INT32_MIN when NaN or out of range; date-time and the other
// kinds give 0.
int32_t ToInteger(const Value& value);

// The automation date of a proleptic Gregorian date and time. Hours, minutes
// and seconds outside their usual range carry into the neighbouring fields.
DateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second);

// The local date and time now, to the whole second.
DateTime CurrentDateTime();

}  // namespace frame
