#include "runtime/ClientProcs.h"

#include <stdexcept>
#include <string>

#include "platform/System.h"
#include "runtime/InterfaceRef.h"
#include "runtime/RT_ServerImplementation.h"

namespace qv {

const std::array<std::string_view, 77> ClientApiNames = {
    "ClientApi_GetCurrentUserID",
    "ClientApi_QueryEntity",
    "ClientApi_QueryDocumentEntity",
    "ClientApi_GetDocumentEntityAbsoluteAddress",
    "ClientApi_GetDocumentOwnerBinder",
    "ClientApi_GetEditorKindByAddress",
    "ClientApi_CreateIterator",
    "ClientApi_DestroyIterator",
    "ClientApi_GetFirstEntity",
    "ClientApi_GetNextEntity",
    "ClientApi_OpenDocumentEntity",
    "ClientApi_SetAsCurrentDocument",
    "ClientApi_RunDocumentPropertiesDialog",
    "ClientApi_RepopulateDocumentEntity",
    "ClientApi_FindChildDocumentInBinder",
    "ClientApi_FindDocumentByNameInSameFolder",
    "ClientApi_FindDocumentInstanceAlreadyOpen",
    "ClientApi_FindBinderFromAnyDataHandle",
    "ClientApi_FindEntityByStorageName",
    "ClientApi_FindEntityByDataHandle",
    "ClientApi_PerformBackupSaveForDocumentEntity",
    "ClientApi_SendCommandToModule",
    "ClientApi_PerformSaveForDocumentEntity",
    "ClientApi_PerformLoadForDocumentEntity",
    "ClientAPI_CreateDocumentLoader",
    "ClientApi_DestroyDocumentLoader",
    "ClientApi_DestroyDocumentLoaderEx",
    "ClientApi_LoadDocument",
    "ClientApi_ShowDocument",
    "ClientAPI_AddKeyStrokeDontLaunch",
    "ClientAPI_LaunchCurrentHotkey",
    "ClientAPI_AddKeyStrokeAndLaunch",
    "ClientAPI_CheckProcessParameters",
    "ClientAPI_GetClientInterface",
    "ClientAPI_GetPrefAnimatedPanels",
    "ClientAPI_GetPrefSaveToolsLayout",
    "ClientAPI_GetPrefAutoTransparency",
    "ClientAPI_GetPrefDynamicAutoTransparency",
    "ClientAPI_GetPrefSuppressStartupScreen",
    "ClientAPI_GetPrefSuppressProductStartup",
    "ClientAPI_GetPrefTransparencyHighest",
    "ClientAPI_GetPrefTransparencyLowest",
    "ClientAPI_GetPrefTransparencyForce",
    "ClientAPI_SetPrefAnimatedPanels",
    "ClientAPI_SetPrefSaveToolsLayout",
    "ClientAPI_SetPrefAutoTransparency",
    "ClientAPI_SetPrefDynamicAutoTransparency",
    "ClientAPI_SetPrefSuppressStartupScreen",
    "ClientAPI_SetPrefSuppressProductStartup",
    "ClientAPI_SetPrefTransparencyHighest",
    "ClientAPI_SetPrefTransparencyLowest",
    "ClientAPI_SetPrefTransparencyForce",
    "ClientAPI_GetPrefPopupDelay",
    "ClientAPI_SetPrefPopupDelay",
    "ClientAPI_GetPrefHideDelay",
    "ClientAPI_SetPrefHideDelay",
    "ClientAPI_GetPrefAnimationSpeed",
    "ClientAPI_SetPrefAnimationSpeed",
    "ClientAPI_ShowProductStartup",
    "ClientAPI_HideProductStartup",
    "ClientAPI_ConvertFileNameToWildCard",
    "ClientAPI_EraseFile",
    "ClientAPI_ExistSpecific",
    "ClientAPI_ExtractFileDirFromPath",
    "ClientAPI_ExtractFileExtFromPath",
    "ClientAPI_ExtractFileNameFromPath",
    "ClientAPI_ExtractWholeFileNameFromPath",
    "ClientAPI_FilePathInShort",
    "ClientAPI_GetPCharFromFile",
    "ClientAPI_ForceFileNameExtension",
    "ClientAPI_GetFileSize",
    "ClientAPI_IsFileReadOnly",
    "ClientAPI_MakeNewBackUp",
    "ClientAPI_RemoveModuleFromMemory",
    "ClientAPI_SameFileName",
    "ClientAPI_SetFileFromPChar",
    "ClientAPI_ConvertFileNameToExeFileName",
};

namespace {
ClientApiTable clientApi;
}  // namespace

platform::SymbolAddress ClientApiTable::Find(std::string_view name) const {
  for (std::size_t i = 0; i < ClientApiNames.size(); ++i)
    if (ClientApiNames[i] == name) return Entries[i];
  return nullptr;
}

const ClientApiTable& ClientApi() { return clientApi; }

platform::ModuleHandle GetHostModuleHandle() { return platform::HostModule(); }

void BindClientApi() {
  platform::ModuleHandle host = GetHostModuleHandle();
  for (std::size_t i = 0; i < ClientApiNames.size(); ++i) {
    std::string name(ClientApiNames[i]);
    clientApi.Entries[i] = platform::FindSymbol(host, name.c_str());
  }
}

void GetClientInterface(IClient** client) {
  auto entry = clientApi.Find("ClientAPI_GetClientInterface");
  if (entry == nullptr) return;
  reinterpret_cast<ClientAPI_GetClientInterface_Proc>(entry)(client);
}

void StartClientAccess() {
  BindClientApi();
  IClient* temporary = nullptr;
  GetClientInterface(&temporary);
  // The current client is not counted; the temporary's own reference is given back at once.
  SetCurrentClient(temporary);
  if (temporary != nullptr) temporary->Release();
}

bool RunProcess(std::string_view name, char* parameters, int32_t size, IUnknown* context) {
  InterfaceRef<IUnknown> holdContext(context);
  InterfaceRef<IClient> client = CurrentClient();
  if (!client) return false;
  auto runner = InterfaceRef<IProcessRunner>::Query(client.Get(), IID_IProcessRunner);
  if (!runner) throw std::runtime_error("Interface not supported");
  std::string n(name);
  return runner->RunProcess(n.c_str(), parameters, size, context) != 0;
}

WindowHandle GetClientWindow() {
  InterfaceRef<IClient> client = CurrentClient();
  return client ? client->GetDialogOwnerWindow() : nullptr;
}

bool IsWindowsXPOrLater() {
  platform::OsVersion v = platform::OperatingSystemVersion();
  return v.Major > 5 || (v.Major == 5 && v.Minor > 0);
}

}  // namespace qv
