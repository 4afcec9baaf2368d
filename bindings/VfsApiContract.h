#pragma once
// The host's virtual file system functions that the module calls, as they cross the boundary.
#include <cstdint>

#include "platform/CallingConvention.h"

namespace qv {

// True (low byte non-zero) when the file exists.
using VFSAPI_VFS_FileExists_Proc = int32_t(QV_STDCALL*)(const char* fileName);
// Creates a document file of the given kind; the result carries no meaning for the module.
using VFSAPI_VFSCreateFile_Proc = int32_t(QV_STDCALL*)(const char* fileName, const char* kind,
                                                       const char* extra);

}  // namespace qv
