// The client area of a window definition. Definitions store the outer size of
// a Windows window with a fixed frame; their control rectangles are relative
// to the client area inside it.
#pragma once

#include <cstdint>

#include "frame/window/window_model.h"

namespace frame {

struct ClientSize {
  int32_t width = 0;
  int32_t height = 0;
  friend constexpr bool operator==(ClientSize, ClientSize) = default;
};

// Windows' metrics for a fixed-frame window: a 3-pixel border on each side,
// a caption, and a one-line menu bar.
inline constexpr int32_t kFrameBorderWidth = 6;
inline constexpr int32_t kCaptionAndBorderHeight = 29;
inline constexpr int32_t kMenuBarHeight = 20;

// The client area Windows would give the definition, grown where needed so
// that every control placed on the window lies inside it.
ClientSize ClientAreaSize(const WindowDefinition& definition);

}  // namespace frame
