// The server module "Quorvel" and the list of the library's units.
#include "Quorvel.h"

#include <array>

#include "bindings/PCBProcs.h"
#include "bindings/VFSAPI.h"
#include "builder/Upcblib.h"
#include "runtime/Boundary.h"
#include "runtime/ClientProcs.h"
#include "services/Rt_forms.h"
#include "ui/DrawingBuffer.h"

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
    LibraryUnit{"drawing buffer", &ui::StartProcessDrawingBuffer, &ui::StopDrawingBuffer},
    LibraryUnit{"form hooks", &InstallFormHooks, &RemoveFormHooks},
    LibraryUnit{"client access", &StartClientAccess, nullptr},
    LibraryUnit{"PcbApi binding", &BindPcbApi, nullptr},
    LibraryUnit{"VFSAPI binding", &BindVfsApi, &UnbindVfsApi},
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

}  // namespace qv
