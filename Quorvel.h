#pragma once
// The module "Quorvel": its server module and the order in which its units start and stop.
#include <span>
#include <string_view>

#include "runtime/RT_ServerImplementation.h"

namespace qv {

class TQuorvelServerModule final : public TServerModule {
 public:
  explicit TQuorvelServerModule(IClient* client);

 protected:
  // The module makes no documents of its own.
  IServerDocument* NewDocumentObject(int32_t a, int32_t b) override;
  // Registers "BuildPCBLibrary".
  void RegisterCommands() override;
};

// One unit of the library: started in dependency order when the library loads, stopped in reverse
// order when it unloads.
struct LibraryUnit {
  std::string_view Name;
  void (*Start)();
  void (*Stop)();  // may be none
};
std::span<const LibraryUnit> LibraryUnits();
void StartLibraryUnits();
void StopLibraryUnits();

}  // namespace qv
