#pragma once
// One run of the stand-in host: load the PCB editor, then the module; create the server module
// for the host's client; give it idle time; launch a command; release the module; unload it.
#include <functional>
#include <memory>
#include <string>

#include "host/client/HostClient.h"
#include "platform/Module.h"

namespace qvhost {

struct SessionPaths {
  std::string Module;  // the module's file (Quorvel.so / Quorvel.dll)
  std::string Editor;  // the PCB editor's file (Gorvath.so / Gorvath.dll); empty: no editor
};

// The folder of the running executable, with its trailing separator.
std::string ExecutableFolder();
// The module and editor files beside the running executable.
SessionPaths DefaultSessionPaths();

class HostSession {
 public:
  explicit HostSession(HostClient& client) : client_(client) {}
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  // Loads the editor (when a path is given) and then the module; false with `error` set when a
  // file cannot be loaded or the module lacks ServerFactory.
  bool Load(const SessionPaths& paths, std::string& error);
  // Calls ServerFactory with the host's client; false when the module handed out nothing.
  bool CreateServerModule(std::string& error);
  // Gives the module one pass of idle time.
  void GiveIdleTime();
  // Launches `command` through the module's command launcher and returns its result.
  int32_t LaunchCommand(const std::string& command, std::string parameters = {});
  // Releases the host's reference to the server module (destroying it) and unloads the module.
  bool Unload(std::string& error);

  qv::IServerModule* ServerModule() const { return module_; }
  const qv::platform::LoadedLibrary* Editor() const { return editor_.get(); }

 private:
  HostClient& client_;
  std::unique_ptr<qv::platform::LoadedLibrary> editor_;
  std::unique_ptr<qv::platform::LoadedLibrary> library_;
  qv::IServerModule* module_ = nullptr;
};

}  // namespace qvhost
