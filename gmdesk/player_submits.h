// The four submits of 分组框5: yellow, purple, cyan and all areas.
#pragma once

#include "gmdesk/player_areas.h"

namespace gmdesk {

void StartAreaSubmit(AreaIndex area);

// 按钮3, 按钮15 and 按钮16: the area of that index alone.
template <AreaIndex kArea>
void OnSubmitAreaClick() {
  StartAreaSubmit(kArea);
}

void OnSubmitAllClick();  // 按钮17

}  // namespace gmdesk
