#include <windows.h>

#include <new>

#include "frame/db/huge_pages.h"

namespace frame {

// Windows gives large pages only to accounts with a privilege that the
// operators' accounts lack, so these are ordinary pages; VirtualAlloc's
// 64 KiB granularity is alignment enough for them.
char* MapHugePages(size_t size) {
  void* base = VirtualAlloc(nullptr, size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (base == nullptr) throw std::bad_alloc();
  return static_cast<char*>(base);
}

void UnmapHugePages(char* base, size_t /*size*/) {
  VirtualFree(base, 0, MEM_RELEASE);
}

}  // namespace frame
