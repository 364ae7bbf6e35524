#include "frame/settings/temporary_names.h"

#include <algorithm>

namespace frame {

std::string TemporaryNameStart(uint32_t process_id) {
  return std::string(kTemporaryPrefix) + std::to_string(process_id) + "-";
}

std::optional<uint32_t> TemporaryWriter(std::string_view name) {
  if (!name.starts_with(kTemporaryPrefix)) return std::nullopt;
  name.remove_prefix(kTemporaryPrefix.size());
  const std::size_t dash = name.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  const std::string_view pid = name.substr(0, dash);
  const std::string_view random = name.substr(dash + 1);
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  auto alphanumeric = [&](char c) {
    return digit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  };
  if (pid.empty() || !std::all_of(pid.begin(), pid.end(), digit) || pid[0] == '0' ||
      pid.size() > 9 || random.size() != kTemporaryRandomLength ||
      !std::all_of(random.begin(), random.end(), alphanumeric)) {
    return std::nullopt;
  }
  uint32_t value = 0;
  for (const char c : pid)
    value = value * 10 + static_cast<uint32_t>(c - '0');
  return value;
}

}  // namespace frame
