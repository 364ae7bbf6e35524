#include "gmdesk/confirm_exit.h"

// Not built yet.

namespace gmdesk {

void ConfirmExit() {}

}  // namespace gmdesk
