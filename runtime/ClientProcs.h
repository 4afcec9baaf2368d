#pragma once
// The host client's exported function family (bound by name at load) and the services built on
// the client interface: running host processes and finding the window that owns the module's
// dialogs.
#include <array>
#include <cstdint>
#include <string_view>

#include "platform/Module.h"
#include "runtime/RT_ClientServerInterface.h"

namespace qv {

using ClientAPI_GetClientInterface_Proc = void(QV_STDCALL*)(IClient** result);

// The 77 client API names in binding order.
extern const std::array<std::string_view, 77> ClientApiNames;

// The client API table: one entry per name, none where the host does not export it.
struct ClientApiTable {
  std::array<platform::SymbolAddress, 77> Entries{};
  platform::SymbolAddress Find(std::string_view name) const;
};
const ClientApiTable& ClientApi();

// The module handle of the process's main executable (the host).
platform::ModuleHandle GetHostModuleHandle();
// Fills the client API table from the host executable. Binding again gives the same table.
void BindClientApi();
// Stores the host's client interface (counted) into `client` when the host exports
// ClientAPI_GetClientInterface; otherwise leaves the variable unchanged.
void GetClientInterface(IClient** client);
// The load-time step: bind the table and make the host's client the current client.
void StartClientAccess();

// Runs a host process through the current client's IProcessRunner; false when there is no
// current client or the host reports failure. The buffer is passed by address, untouched.
bool RunProcess(std::string_view name, char* parameters, int32_t size, IUnknown* context);
// The window that owns the module's dialogs; none without a current client.
WindowHandle GetClientWindow();
// True on systems newer than the 5.0 generation.
bool IsWindowsXPOrLater();

}  // namespace qv
