#include "gmdesk/server_settings.h"

// Not built yet.

namespace gmdesk {

void LoadServerConfig() {}
void OnConnectMenu() {}

}  // namespace gmdesk
