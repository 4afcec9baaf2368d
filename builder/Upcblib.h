#pragma once
// The "BuildPCBLibrary" command: builds a footprint library from the board open in the editor.
#include <cstdint>

#include "runtime/RT_ClientServerInterface.h"

namespace qv {

// The command's launch procedure: ignores its context and parameters, builds, and answers 0.
int32_t LaunchBuildPCBLibrary(IUnknown* context, char* parameters);

}  // namespace qv
