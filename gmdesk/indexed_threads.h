// Thread bodies for the rows of a table: StartThread takes a plain function,
// so each row gets one that calls the body with the row's index.
#pragma once

#include <array>
#include <cstddef>
#include <utility>

#include "frame/runtime/runtime.h"

namespace gmdesk {

template <void (*kBody)(size_t), size_t kIndex>
void IndexedThread() {
  kBody(kIndex);
}

template <void (*kBody)(size_t), size_t... kIndices>
constexpr std::array<frame::Subroutine, sizeof...(kIndices)> IndexedThreadsOf(
    std::index_sequence<kIndices...>) {
  return {&IndexedThread<kBody, kIndices>...};
}

// The thread body of row i is element i.
template <void (*kBody)(size_t), size_t kRows>
inline constexpr std::array<frame::Subroutine, kRows> kIndexedThreads =
    IndexedThreadsOf<kBody>(std::make_index_sequence<kRows>());

}  // namespace gmdesk
