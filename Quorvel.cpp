// The library's entry: starting and stopping its units, and the exported ServerFactory.
#include "Quorvel.h"

#include "platform/CallingConvention.h"
#include "runtime/Boundary.h"
#include "runtime/InterfaceRef.h"
#include "ui/DrawingBuffer.h"

namespace qv {
namespace {
// Starts the units when the system loads the library and stops them when it unloads it.
struct LibraryLifetime {
  LibraryLifetime() { StartLibraryUnits(); }
  ~LibraryLifetime() { StopLibraryUnits(); }
  LibraryLifetime(const LibraryLifetime&) = delete;
  LibraryLifetime& operator=(const LibraryLifetime&) = delete;
};
const LibraryLifetime lifetime;
}  // namespace

}  // namespace qv

// Creates the server module "Quorvel" for the host's client and hands its interface to the
// caller with one counted reference, releasing what the caller's variable held.
extern "C" QV_EXPORT void QV_STDCALL ServerFactory(qv::IServerModule** result,
                                                   qv::IClient* client) {
  qv::GuardBoundary("ServerFactory", [&] {
    qv::InterfaceRef<qv::IClient> holdClient(client);
    auto* module = new qv::TQuorvelServerModule(client);
    qv::StoreInterface<qv::IServerModule>(result, module);
  });
}

// Describes the process-wide off-screen drawing buffer of the themed controls (see
// ui/DrawingBuffer.h for the record's layout on each platform).
extern "C" QV_EXPORT void QV_STDCALL GetGlobalBuffer(qv::ui::GlobalBufferRecord* record) {
  qv::GuardBoundary("GetGlobalBuffer", [&] {
    if (record != nullptr) qv::ui::FillGlobalBufferRecord(*record);
  });
}
