#include <sys/mman.h>

#include <cstdint>
#include <new>

#include "frame/db/huge_pages.h"

namespace frame {

char* MapHugePages(size_t size) {
  // Mapped with room to spare, then trimmed to the part that is aligned.
  const size_t span = size + kHugePage;
  void* mapped = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  char* raw = static_cast<char*>(mapped);
  const uintptr_t at = reinterpret_cast<uintptr_t>(raw);
  char* base = raw + ((at + kHugePage - 1) / kHugePage * kHugePage - at);
  if (base > raw) munmap(raw, static_cast<size_t>(base - raw));
  if (raw + span > base + size) munmap(base + size, static_cast<size_t>(raw + span - base - size));
  // Only a hint: where huge pages are off, the chunk works the same.
  madvise(base, size, MADV_HUGEPAGE);
  return base;
}

void UnmapHugePages(char* base, size_t size) {
  munmap(base, size);
}

}  // namespace frame
