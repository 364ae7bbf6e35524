// How a settings write names its temporary file, on every platform:
// "<prefix><writer's process ID>-<six letters or digits>", so that the name
// says which program made the file and whether its writer still lives.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace frame {

inline constexpr std::string_view kTemporaryPrefix = ".settings-tmp-";
inline constexpr std::size_t kTemporaryRandomLength = 6;

// The name's start, up to and with the dash before the random part.
std::string TemporaryNameStart(uint32_t process_id);

// The writer's process ID when `name` is one of our temporary files.
std::optional<uint32_t> TemporaryWriter(std::string_view name);

}  // namespace frame
