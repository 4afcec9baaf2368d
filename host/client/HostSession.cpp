#include "host/client/HostSession.h"

#include <filesystem>

#include "platform/MessageLoop.h"
#include "runtime/InterfaceRef.h"

namespace qvhost {

std::string ExecutableFolder() {
  std::filesystem::path exe = qv::platform::ModuleFileName(qv::platform::HostModule());
  std::string folder = exe.parent_path().string();
  if (!folder.empty()) folder += static_cast<char>(std::filesystem::path::preferred_separator);
  return folder;
}

SessionPaths DefaultSessionPaths() {
  std::string folder = ExecutableFolder();
  std::string suffix(qv::platform::LibrarySuffix());
  return {folder + "Quorvel" + suffix, folder + "Gorvath" + suffix};
}

HostSession::~HostSession() {
  std::string ignored;
  Unload(ignored);
}

bool HostSession::Load(const SessionPaths& paths, std::string& error) {
  // The editor comes first: the module binds the editor's functions while it loads.
  if (!paths.Editor.empty()) {
    editor_ = qv::platform::LoadedLibrary::Load(paths.Editor, error);
    if (!editor_) return false;
  }
  library_ = qv::platform::LoadedLibrary::Load(paths.Module, error);
  if (!library_) return false;
  if (library_->Symbol("ServerFactory") == nullptr) {
    error = paths.Module + ": the module does not export ServerFactory";
    library_.reset();
    return false;
  }
  return true;
}

bool HostSession::CreateServerModule(std::string& error) {
  using ServerFactoryProc = void(QV_STDCALL*)(qv::IServerModule**, qv::IClient*);
  auto factory = reinterpret_cast<ServerFactoryProc>(library_->Symbol("ServerFactory"));
  factory(&module_, &client_);
  if (module_ == nullptr) {
    error = "the module's ServerFactory handed out no server module";
    return false;
  }
  return true;
}

void HostSession::GiveIdleTime() {
  if (module_ == nullptr) return;
  // Idle processing ends by waiting for the next message; this host has no user to send one.
  qv::platform::PostWakeUpMessage();
  module_->ProcessIdle();
  qv::platform::DispatchWaitingMessages();
}

int32_t HostSession::LaunchCommand(const std::string& command, std::string parameters) {
  if (module_ == nullptr) return 0;
  qv::InterfaceRef<qv::ICommandLauncher> launcher;
  module_->GetCommandLauncher(launcher.Receive());
  if (!launcher) return 0;
  parameters.push_back('\0');
  return launcher->LaunchCommand(command.c_str(), parameters.data(), 0, nullptr);
}

bool HostSession::Unload(std::string& error) {
  if (module_ != nullptr) std::exchange(module_, nullptr)->Release();
  bool ok = true;
  if (library_) ok = library_->Unload(error);
  library_.reset();
  if (editor_) {
    std::string editorError;
    if (!editor_->Unload(editorError) && ok) {
      error = editorError;
      ok = false;
    }
  }
  editor_.reset();
  return ok;
}

}  // namespace qvhost
