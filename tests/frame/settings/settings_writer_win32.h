// What the suites and settings_writer.exe agree on.
#pragma once

#include <cstdint>
#include <string>

// A manual-reset event that the writer sets once it is about to write.
inline std::wstring ReadyEventName(uint32_t process_id) {
  return L"settings-writer-ready-" + std::to_wstring(process_id);
}
