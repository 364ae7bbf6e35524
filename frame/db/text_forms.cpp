#include "frame/db/text_forms.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace frame {
namespace {

template <class Integer>
void AppendInteger(Integer value, std::string& out) {
  char buffer[24];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, end);
}

template <class Float>
void AppendFloat(Float value, int places, std::string& out) {
  // The widest double in plain notation, the smallest subnormal, fits.
  char buffer[400];
  char* const last = buffer + sizeof buffer;
  if (std::isfinite(value)) {
    auto fixed = std::to_chars(buffer, last, value, std::chars_format::fixed, places);
    if (fixed.ec == std::errc()) {
      Float back{};
      auto parsed = std::from_chars(buffer, fixed.ptr, back);
      if (parsed.ec == std::errc() && parsed.ptr == fixed.ptr && back == value) {
        out.append(buffer, fixed.ptr);
        return;
      }
    }
    auto shortest = std::to_chars(buffer, last, value, std::chars_format::fixed);
    if (shortest.ec == std::errc()) {
      out.append(buffer, shortest.ptr);
      return;
    }
  }
  auto general = std::to_chars(buffer, last, value);  // "nan", "inf", "-inf"
  if (general.ec == std::errc()) out.append(buffer, general.ptr);
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// printf's "%0<width>d".
void AppendPadded(int value, int width, std::string& out) {
  char digits[12];
  auto [end, error] = std::to_chars(digits, digits + sizeof digits, std::abs(value));
  int count = static_cast<int>(end - digits) + (value < 0 ? 1 : 0);
  if (value < 0) out += '-';
  if (count < width) out.append(static_cast<size_t>(width - count), '0');
  out.append(digits, end);
}

// The value of each hex digit; -1 for every other byte.
constexpr std::array<int8_t, 256> kHexValues = [] {
  std::array<int8_t, 256> values{};
  values.fill(-1);
  for (int i = 0; i < 10; ++i)
    values['0' + i] = static_cast<int8_t>(i);
  for (int i = 0; i < 6; ++i) {
    values['a' + i] = static_cast<int8_t>(10 + i);
    values['A' + i] = static_cast<int8_t>(10 + i);
  }
  return values;
}();

int HexValue(char c) {
  return kHexValues[static_cast<unsigned char>(c)];
}

// A GUID's text as drivers send it: where its hyphens are, and where each
// byte's two digits start.
constexpr std::array<size_t, 4> kHyphens = {8, 13, 18, 23};
constexpr std::array<size_t, 16> kByteDigits = {0,  2,  4,  6,  9,  11, 14, 16,
                                                19, 21, 24, 26, 28, 30, 32, 34};

}  // namespace

void AppendIntegerText(int64_t value, std::string& out) {
  AppendInteger(value, out);
}

void AppendIntegerText(uint64_t value, std::string& out) {
  AppendInteger(value, out);
}

void AppendFloatText(float value, std::string& out) {
  AppendFloat(value, 4, out);
}

void AppendFloatText(double value, std::string& out) {
  AppendFloat(value, 8, out);
}

void AppendDecimalText(std::string_view digits, size_t places, std::string& out) {
  std::string_view rest = digits;
  bool negative = false;
  if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
    negative = rest.front() == '-';
    rest.remove_prefix(1);
  }
  std::string_view integer = rest;
  std::string_view fraction;
  if (size_t point = rest.find('.'); point != std::string_view::npos) {
    integer = rest.substr(0, point);
    fraction = rest.substr(point + 1);
  }
  if ((integer.empty() && fraction.empty()) || !AllDigits(integer) || !AllDigits(fraction)) {
    out += digits;
    return;
  }
  while (integer.size() > 1 && integer.front() == '0')
    integer.remove_prefix(1);
  if (integer.empty()) integer = "0";
  size_t significant = fraction.find_last_not_of('0') + 1;  // 0 when all are zeros
  bool sign = negative && (significant > 0 || integer != "0");
  size_t kept = std::max(significant, places);
  size_t copied = std::min(kept, fraction.size());
  // Written at once: this runs for every decimal of a result.
  size_t at = out.size();
  out.resize(at + sign + integer.size() + (kept > 0 ? 1 + kept : 0));
  char* p = out.data() + at;
  if (sign) *p++ = '-';
  p = std::copy(integer.begin(), integer.end(), p);
  if (kept == 0) return;
  *p++ = '.';
  p = std::copy_n(fraction.begin(), copied, p);
  std::fill_n(p, kept - copied, '0');
}

void AppendDateTimeText(const Timestamp& value, std::string& out) {
  if (value.year >= 0 && value.year <= 9999 && value.month < 100 && value.day < 100 &&
      value.hour < 100 && value.minute < 100 && value.second < 100) {
    char text[] = "0000-00-00 00:00:00";
    auto two = [&](int at, int n) {
      text[at] = static_cast<char>('0' + n / 10);
      text[at + 1] = static_cast<char>('0' + n % 10);
    };
    two(0, value.year / 100);
    two(2, value.year % 100);
    two(5, value.month);
    two(8, value.day);
    two(11, value.hour);
    two(14, value.minute);
    two(17, value.second);
    out.append(text, sizeof text - 1);
    return;
  }
  AppendPadded(value.year, 4, out);
  out += '-';
  AppendPadded(value.month, 2, out);
  out += '-';
  AppendPadded(value.day, 2, out);
  out += ' ';
  AppendPadded(value.hour, 2, out);
  out += ':';
  AppendPadded(value.minute, 2, out);
  out += ':';
  AppendPadded(value.second, 2, out);
}

std::optional<Guid> ParseGuid(std::string_view text) {
  Guid guid{};
  if (text.size() == 36 &&
      std::all_of(kHyphens.begin(), kHyphens.end(), [&](size_t at) { return text[at] == '-'; })) {
    int invalid = 0;
    for (size_t i = 0; i < guid.size(); ++i) {
      int high = HexValue(text[kByteDigits[i]]);
      int low = HexValue(text[kByteDigits[i] + 1]);
      invalid |= high | low;
      guid[i] = static_cast<uint8_t>(high << 4 | low);
    }
    if (invalid >= 0) return guid;
    return std::nullopt;
  }
  size_t digits = 0;
  for (char c : text) {
    if (c == '-' || c == '{' || c == '}') continue;
    int nibble = HexValue(c);
    if (nibble < 0 || digits == 32) return std::nullopt;
    guid[digits / 2] = static_cast<uint8_t>(guid[digits / 2] << 4 | nibble);
    ++digits;
  }
  if (digits != 32) return std::nullopt;
  return guid;
}

void AppendGuidText(const Guid& guid, std::string& out) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  char text[38];
  char* p = text;
  *p++ = '{';
  for (size_t i = 0; i < guid.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) *p++ = '-';
    *p++ = kHex[guid[i] >> 4];
    *p++ = kHex[guid[i] & 0xF];
  }
  *p++ = '}';
  out.append(text, p);
}

}  // namespace frame
