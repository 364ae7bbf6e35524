// Memory for the blocks of a stored result: handed out in order, given back
// all at once.
#pragma once

#include <cstddef>
#include <vector>

namespace frame {

// Chunks grow with the result. From 2 MiB on they are aligned to huge pages
// and marked for them: a large result then costs the kernel a page fault per
// 2 MiB rather than per 4 KiB, which is much of the time to store it.
class BlockArena {
 public:
  BlockArena() = default;
  BlockArena(BlockArena&& other) noexcept;
  BlockArena& operator=(BlockArena&& other) noexcept;
  ~BlockArena();

  // `bytes` that stay where they are while the arena lives; not zeroed.
  // Throws std::bad_alloc when there is no memory.
  char* Take(size_t bytes);

 private:
  struct Chunk {
    char* base = nullptr;
    size_t size = 0;
    bool mapped = false;  // by MapHugePages, else by operator new
  };

  void AddChunk(size_t at_least);
  void Release();

  std::vector<Chunk> chunks_;
  char* next_ = nullptr;
  char* end_ = nullptr;
};

}  // namespace frame
