#include "gmdesk/currency_top_up.h"

// Not built yet.

namespace gmdesk {

void OnCurrencyKindSelected() {}
void AddAccountCurrency() {}

}  // namespace gmdesk
