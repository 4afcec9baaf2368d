#pragma once
#include <string>
#include <vector>

#include "host/client/HostClient.h"
#include "host/client/HostEditor.h"

namespace qvhost {

// The client that the executable's exported ClientAPI_GetClientInterface hands out; none until
// the host sets it.
void SetExportedClient(HostClient* client);
// The editor that the exported VFSAPI_VFSCreateFile writes library documents with; none until the
// host sets it, and then "PCBLib" files cannot be created.
void SetExportedEditor(const HostEditor* editor);
// The files that VFSAPI_VFSCreateFile created, in order.
const std::vector<std::string>& CreatedFiles();

}  // namespace qvhost
