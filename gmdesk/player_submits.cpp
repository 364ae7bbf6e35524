#include "gmdesk/player_submits.h"

// Not built yet.

namespace gmdesk {

void OnSubmitYellowClick() {}
void OnSubmitPurpleClick() {}
void OnSubmitCyanClick() {}
void OnSubmitAllClick() {}

}  // namespace gmdesk
