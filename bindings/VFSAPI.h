#pragma once
// The host's virtual file system functions, bound by name from the host executable when the
// library loads and cleared when it unloads. Two of them are called, through the wrappers below;
// with a function unbound its wrapper answers False or does nothing.
#include <array>
#include <cstddef>
#include <string_view>

#include "bindings/VfsApiContract.h"

namespace qv {

// The file system function names, in binding order.
inline constexpr std::array<std::string_view, 78> VfsApiNames = {
    "VFSAPI_VFS_MapVirtualDrive",
    "VFSAPI_VFS_UnMapVirtualDrive",
    "VFSAPI_VFS_RenameVirtualDrive",
    "VFSAPI_VFS_GetMappedDriveCount",
    "VFSAPI_VFS_GetMappedDriveName",
    "VFSAPI_VFSAssign",
    "VFSAPI_VFSAssignFile",
    "VFSAPI_VFSCloseFile",
    "VFSAPI_VFS_Reset",
    "VFSAPI_VFS_Rewrite",
    "VFSAPI_VFS_Truncate",
    "VFSAPI_VFS_Seek",
    "VFSAPI_VFSBlockRead",
    "VFSAPI_VFSBlockWrite",
    "VFSAPI_VFS_EOF",
    "VFSAPI_VFS_FilePos",
    "VFSAPI_VFS_FileSize",
    "VFSAPI_VFS_IOResult",
    "VFSAPI_VFS_CreateDir",
    "VFSAPI_VFSCreateFile",
    "VFSAPI_VFS_DeleteDir",
    "VFSAPI_VFS_DeleteFile",
    "VFSAPI_VFS_RenameFile",
    "VFSAPI_CopyFileToVFSFile",
    "VFSAPI_CopyVFSFileToFile",
    "VFSAPI_VFS_ExportToFile",
    "VFSAPI_VFS_ImportFile",
    "VFSAPI_VFS_ChangeFileName",
    "VFSAPI_VFS_MakeShortCut",
    "VFSAPI_VFS_CopyFile",
    "VFSAPI_VFS_CopyLink",
    "VFSAPI_VFS_MoveFile",
    "VFSAPI_VFS_MakePath",
    "VFSAPI_VFS_DirectoryExists",
    "VFSAPI_VFS_IsValidPath",
    "VFSAPI_VFS_FileExists",
    "VFSAPI_VFS_IsVFSFileName",
    "VFSAPI_VFS_IsNullAddress",
    "VFSAPI_VFS_FileSizeByName",
    "VFSAPI_VFS_GetExternalPathForDrive",
    "VFSAPI_VFS_GetExternalPathForFile",
    "VFSAPI_VFS_GetFullPathForFile",
    "VFSAPI_VFS_GetFullPathDisplay",
    "VFSAPI_VFS_ExpandRelativePath",
    "VFSAPI_VFS_ExtractFileDir",
    "VFSAPI_VFS_ExtractFilePath",
    "VFSAPI_VFS_ExtractFileDrive",
    "VFSAPI_VFS_ExtractFileOffset",
    "VFSAPI_VFS_ExtractFileExt",
    "VFSAPI_VFS_ExtractFileName",
    "VFSAPI_VFS_ExtractRelativePath",
    "VFSAPI_VFS_PreviousFolder",
    "VFSAPI_VFS_ProcessPath",
    "VFSAPI_VFS_ResolveShortCut",
    "VFSAPI_VFS_FindClose",
    "VFSAPI_VFS_FindNext",
    "VFSAPI_VFS_FindFirst",
    "VFSAPI_VFS_StreamCreate",
    "VFSAPI_VFS_StreamDestroy",
    "VFSAPI_VFS_StreamLoadFromFile",
    "VFSAPI_VFS_StreamRead",
    "VFSAPI_VFS_StreamSaveToFile",
    "VFSAPI_VFS_StreamSeek",
    "VFSAPI_VFS_StreamSetSize",
    "VFSAPI_VFS_StreamWrite",
    "VFSAPI_VFS_GetFileAttributesByName",
    "VFSAPI_VFS_GetFileEditorName",
    "VFSAPI_VFS_RestoreFromRecycleBin",
    "VFSAPI_VFS_SetFileAttributesByName",
    "VFSAPI_VFS_SetFileEditorName",
    "VFSAPI_VFS_ExportToFileEx",
    "VFSAPI_VFS_ImportFileEx",
    "VFSAPI_VFS_CopyFileEx",
    "VFSAPI_VFS_CopyLinkEx",
    "VFSAPI_VFS_MoveFileEx",
    "VFSAPI_VFS_GetShortcutInfo",
    "VFSAPI_VFS_UpdateShortCut",
    "VFSAPI_VFS_CreateStorageDevice",
};

// Binds every name from the host executable; names it does not export stay unbound.
void BindVfsApi();
// Clears every entry, so that later calls behave as unbound.
void UnbindVfsApi();
// The bound address of the name at `index`, or none.
void (*VfsApiEntry(std::size_t index))();

// True when the host says the file exists (the low byte of its answer); False when unbound.
bool VFSAPI_VFS_FileExists(const char* fileName);
// Asks the host to create a document file of `kind`; `extra` is handed over as it is (an empty
// text as a pointer to an empty string, never as none). Does nothing when unbound.
void VFSAPI_VFSCreateFile(const char* fileName, const char* kind, const char* extra);

}  // namespace qv
