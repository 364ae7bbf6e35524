#include "frame/qt/client_area.h"

#include <algorithm>

namespace frame {

ClientSize ClientAreaSize(const WindowDefinition& definition) {
  ClientSize size{
      .width = definition.rect.width - kFrameBorderWidth,
      .height = definition.rect.height - kCaptionAndBorderHeight -
                (definition.menu.empty() ? 0 : kMenuBarHeight),
  };
  for (const ControlDefinition& control : definition.controls) {
    if (control.parent.control || IsComponent(control.kind)) continue;
    size.width = std::max(size.width, control.rect.left + control.rect.width);
    size.height = std::max(size.height, control.rect.top + control.rect.height);
  }
  return size;
}

}  // namespace frame
