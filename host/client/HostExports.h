#pragma once
#include "host/client/HostClient.h"

namespace qvhost {

// The client that the executable's exported ClientAPI_GetClientInterface hands out; none until
// the host sets it.
void SetExportedClient(HostClient* client);

}  // namespace qvhost
