#include "frame/window/ip_address_rules.h"

#include <algorithm>
#include <cstdio>

namespace frame {
namespace {

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

}  // namespace

std::optional<std::string> HeldIpField(std::string_view digits) {
  if (digits.size() > kIpFieldDigits || !std::all_of(digits.begin(), digits.end(), IsDigit)) {
    return std::nullopt;
  }
  std::optional<int32_t> value = IpFieldValue(digits);
  if (value && *value > kMaxIpFieldValue) return std::to_string(kMaxIpFieldValue);
  return std::string(digits);
}

std::optional<int32_t> IpFieldValue(std::string_view held) {
  if (held.empty()) return std::nullopt;
  int32_t value = 0;
  for (char c : held) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return std::min(value, kMaxIpFieldValue);
}

IpAddress ParseIpAddress(std::string_view dotted) {
  IpAddress address;
  std::string_view rest = dotted;
  for (auto& field : address) {
    size_t dot = rest.find('.');
    std::optional<std::string> held = HeldIpField(rest.substr(0, dot));
    if (held) field = IpFieldValue(*held);
    rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
  }
  return address;
}

std::optional<IpAddress> ParseEnteredIpAddress(std::string_view dotted) {
  IpAddress address;
  if (dotted.empty()) return address;
  std::string_view rest = dotted;
  for (size_t i = 0; i < address.size(); ++i) {
    size_t dot = rest.find('.');
    if ((dot == std::string_view::npos) != (i == address.size() - 1)) return std::nullopt;
    std::optional<std::string> held = HeldIpField(rest.substr(0, dot));
    if (!held) return std::nullopt;
    address[i] = IpFieldValue(*held);
    rest = dot == std::string_view::npos ? std::string_view() : rest.substr(dot + 1);
  }
  return address;
}

std::string FormatIpAddress(const IpAddress& address) {
  if (std::none_of(address.begin(), address.end(),
                   [](const auto& field) { return field.has_value(); })) {
    return {};
  }
  char buffer[20];
  std::snprintf(buffer, sizeof buffer, "%d.%d.%d.%d", address[0].value_or(0),
                address[1].value_or(0), address[2].value_or(0), address[3].value_or(0));
  return buffer;
}

IpFieldKey IpFieldKeyOf(std::string_view held, char16_t key) {
  if (key == u'.') return held.empty() ? IpFieldKey::kRefuse : IpFieldKey::kMoveOn;
  if (IsDigit(key) && held.size() < kIpFieldDigits) return IpFieldKey::kTake;
  return IpFieldKey::kRefuse;
}

}  // namespace frame
