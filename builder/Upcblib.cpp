#include "builder/Upcblib.h"

namespace qv {

// The library builder arrives with the PCB object model; until then the command only answers.
int32_t LaunchBuildPCBLibrary(IUnknown*, char*) { return 0; }

}  // namespace qv
