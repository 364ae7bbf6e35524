// Large chunks of memory straight from the system, for stored results.
#pragma once

#include <cstddef>

namespace frame {

inline constexpr size_t kHugePage = 2 * 1024 * 1024;

// `size` bytes (a multiple of kHugePage), backed by huge pages and aligned to
// them where the system gives them unasked. Throws std::bad_alloc.
char* MapHugePages(size_t size);
void UnmapHugePages(char* base, size_t size);

}  // namespace frame
