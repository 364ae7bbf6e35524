#include "gmdesk/account_query.h"

// Not built yet.

namespace gmdesk {

void QueryAccount() {}
void OnCharacterSelected() {}

}  // namespace gmdesk
