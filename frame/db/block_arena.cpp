#include "frame/db/block_arena.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

namespace frame {
namespace {

constexpr size_t kFirstChunk = 64 * 1024;
constexpr size_t kHugePage = 2 * 1024 * 1024;
constexpr size_t kLargestChunk = 2 * kHugePage;

size_t RoundUp(size_t n, size_t to) {
  return (n + to - 1) / to * to;
}

}  // namespace

BlockArena::BlockArena(BlockArena&& other) noexcept
    : chunks_(std::exchange(other.chunks_, {})),
      next_(std::exchange(other.next_, nullptr)),
      end_(std::exchange(other.end_, nullptr)) {}

BlockArena& BlockArena::operator=(BlockArena&& other) noexcept {
  if (this != &other) {
    Release();
    chunks_ = std::exchange(other.chunks_, {});
    next_ = std::exchange(other.next_, nullptr);
    end_ = std::exchange(other.end_, nullptr);
  }
  return *this;
}

BlockArena::~BlockArena() {
  Release();
}

char* BlockArena::Take(size_t bytes) {
  if (static_cast<size_t>(end_ - next_) < bytes) AddChunk(bytes);
  char* taken = next_;
  next_ += bytes;
  return taken;
}

void BlockArena::AddChunk(size_t at_least) {
  size_t size = chunks_.empty() ? kFirstChunk : std::min(chunks_.back().size * 2, kLargestChunk);
  size = std::max(size, at_least);
  chunks_.reserve(chunks_.size() + 1);  // so that nothing below can leak a chunk
  Chunk chunk;
  if (size < kHugePage) {
    chunk = {static_cast<char*>(::operator new(size)), size, false};
  } else {
    // Mapped with room to spare, then trimmed to the part that is aligned.
    size = RoundUp(size, kHugePage);
    size_t span = size + kHugePage;
    void* mapped = mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    char* raw = static_cast<char*>(mapped);
    char* base = raw + (RoundUp(reinterpret_cast<uintptr_t>(raw), kHugePage) -
                        reinterpret_cast<uintptr_t>(raw));
    if (base > raw) munmap(raw, static_cast<size_t>(base - raw));
    if (raw + span > base + size)
      munmap(base + size, static_cast<size_t>(raw + span - base - size));
    // Only a hint: where huge pages are off, the chunk works the same.
    madvise(base, size, MADV_HUGEPAGE);
    chunk = {base, size, true};
  }
  chunks_.push_back(chunk);
  next_ = chunk.base;
  end_ = chunk.base + chunk.size;
}

void BlockArena::Release() {
  for (const Chunk& chunk : chunks_) {
    if (chunk.mapped) {
      munmap(chunk.base, chunk.size);
    } else {
      ::operator delete(chunk.base);
    }
  }
  chunks_.clear();
  next_ = nullptr;
  end_ = nullptr;
}

}  // namespace frame
