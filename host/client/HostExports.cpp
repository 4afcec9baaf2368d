// The functions that the host executable exports by name for the module to bind.
#include "host/client/HostExports.h"

#include "platform/CallingConvention.h"
#include "runtime/InterfaceRef.h"

namespace qvhost {
namespace {
HostClient* exportedClient = nullptr;
}
void SetExportedClient(HostClient* client) { exportedClient = client; }
}  // namespace qvhost

// Stores the host's client interface, with a counted reference, into the caller's variable.
extern "C" QV_EXPORT void QV_STDCALL ClientAPI_GetClientInterface(qv::IClient** result) {
  if (result == nullptr) return;
  qv::IClient* client = qvhost::exportedClient;
  if (client != nullptr) client->AddRef();
  *result = client;
}
