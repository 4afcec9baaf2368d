// The library's entry: its units' start and stop, and the exported ServerFactory.
#include "Quorvel.h"

#include <array>

#include "builder/Upcblib.h"
#include "platform/CallingConvention.h"
#include "runtime/Boundary.h"
#include "runtime/ClientProcs.h"

namespace qv {

TQuorvelServerModule::TQuorvelServerModule(IClient* client) : TServerModule(client, "Quorvel") {
  Construct();
}

IServerDocument* TQuorvelServerModule::NewDocumentObject(int32_t, int32_t) { return nullptr; }

void TQuorvelServerModule::RegisterCommands() {
  CommandLauncherObject()->RegisterCommand("BuildPCBLibrary", &LaunchBuildPCBLibrary, nullptr);
}

namespace {
constexpr std::array units{
    LibraryUnit{"client access", &StartClientAccess, nullptr},
};
}  // namespace

std::span<const LibraryUnit> LibraryUnits() { return units; }

void StartLibraryUnits() {
  for (const LibraryUnit& unit : units) GuardBoundary(unit.Name, unit.Start);
}

void StopLibraryUnits() {
  for (auto it = units.rbegin(); it != units.rend(); ++it)
    if (it->Stop != nullptr) GuardBoundary(it->Name, it->Stop);
}

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
