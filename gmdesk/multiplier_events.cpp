#include "gmdesk/multiplier_events.h"

// Not built yet.

namespace gmdesk {

void OnGoldLoadClick() {}
void OnGoldEventSelected() {}
void SubmitGoldEvent() {}
void OnExpLoadClick() {}
void OnExpEventSelected() {}
void SubmitExpEvent() {}
void OnDropLoadClick() {}
void OnDropEventSelected() {}
void SubmitDropEvent() {}

}  // namespace gmdesk
