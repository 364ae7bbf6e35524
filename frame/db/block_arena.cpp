#include "frame/db/block_arena.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <utility>

#include "frame/db/huge_pages.h"

namespace frame {
namespace {

constexpr size_t kFirstChunk = 64 * 1024;
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
    size = RoundUp(size, kHugePage);
    chunk = {MapHugePages(size), size, true};
  }
  chunks_.push_back(chunk);
  next_ = chunk.base;
  end_ = chunk.base + chunk.size;
}

void BlockArena::Release() {
  for (const Chunk& chunk : chunks_) {
    if (chunk.mapped) {
      UnmapHugePages(chunk.base, chunk.size);
    } else {
      ::operator delete(chunk.base);
    }
  }
  chunks_.clear();
  next_ = nullptr;
  end_ = nullptr;
}

}  // namespace frame
