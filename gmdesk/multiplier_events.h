// The handlers of the multiplier pages of 选择夹2: each serves the page of
// its index in kMultiplierPages.
#pragma once

#include "gmdesk/multiplier_pages.h"

namespace gmdesk {

void StartEventLoad(MultiplierPageIndex page);
void ShowPickedEvent(MultiplierPageIndex page);
void SubmitEvent(MultiplierPageIndex page);

template <MultiplierPageIndex kPage>
void OnEventLoadClick() {
  StartEventLoad(kPage);
}
template <MultiplierPageIndex kPage>
void OnEventSelected() {
  ShowPickedEvent(kPage);
}
template <MultiplierPageIndex kPage>
void OnEventSubmitClick() {
  SubmitEvent(kPage);
}

}  // namespace gmdesk
