#pragma once
// The stand-in PCB editor's control functions, exported by Gorvath.so / Gorvath.dll beside its
// PcbApi family, for the stand-in host: open and save document files, choose the current document,
// hand out views and run the editor's "PCB:" processes on them, trace the calls the module makes
// and count them. A document is known by its board handle (the value PcbApi_GetCurrentBoardHandle
// answers for it). Texts are zero-terminated; a returned text stays valid until the next call.
// Each function has a pointer type (suffix _Proc) for hosts that look the functions up by name.
#include <cstdint>

extern "C" {

// Reads a document file (".PcbDoc" board, ".PcbLib" library, any letter case) and returns its
// board handle; a file already open returns the open document. 0 on failure, with
// Gorvath_LastError() saying "file:line: what was wrong".
uint32_t Gorvath_OpenDocument(const char* fileName);
// Writes a new library document file holding one empty footprint "PCBComponent_1". Refuses to
// replace an existing file. 1 on success, 0 on failure (see Gorvath_LastError).
int32_t Gorvath_CreateLibraryFile(const char* fileName);
// Writes a document to `fileName`, or to its own file when `fileName` is null or empty; a write
// to its own file marks it unchanged. Nothing is written on failure. 1 on success, 0 on failure.
int32_t Gorvath_SaveDocument(uint32_t board, const char* fileName);
// Makes a document the current one (0: none). 1 on success, 0 for an unknown board.
int32_t Gorvath_SetCurrentDocument(uint32_t board);
// Closes a document; its handles become stale. 1 on success.
int32_t Gorvath_CloseDocument(uint32_t board);
// Closes every document and frees every object and iterator.
void Gorvath_CloseAll(void);
// The open documents, in the order opened.
int32_t Gorvath_DocumentCount(void);
uint32_t Gorvath_DocumentAt(int32_t index);
// The document's file name; "" for an unknown board.
const char* Gorvath_DocumentFileName(uint32_t board);
// 1 when the document is a library, 0 for a board, -1 for an unknown handle.
int32_t Gorvath_DocumentIsLibrary(uint32_t board);
// 1 when the document changed since it was opened or last saved to its own file.
int32_t Gorvath_DocumentChanged(uint32_t board);
// Footprints (components) of the document and the primitives they and the board hold.
int32_t Gorvath_DocumentSummary(uint32_t board, int32_t* components, int32_t* primitives);
// The document's view: the context the "PCB:" processes act on. 0 for an unknown board.
uint32_t Gorvath_GetView(uint32_t board);
// Runs a "PCB:" process with its "|"-separated Name=Value parameter text on the document of a
// view. 1 when the process ran, 0 otherwise (see Gorvath_LastError).
int32_t Gorvath_RunProcess(const char* name, const char* parameters, uint32_t view);
// Receives one line per editor call: the function, its arguments and (for pointers) the values
// behind them after the call, and the result. A null sink ends tracing.
typedef void (*Gorvath_TraceSink)(const char* line, void* context);
void Gorvath_SetTrace(Gorvath_TraceSink sink, void* context);
// PcbApi calls made since the editor was loaded.
uint64_t Gorvath_CallCount(void);
// The message of the last failed control call.
const char* Gorvath_LastError(void);

typedef uint32_t (*Gorvath_OpenDocument_Proc)(const char*);
typedef int32_t (*Gorvath_CreateLibraryFile_Proc)(const char*);
typedef int32_t (*Gorvath_SaveDocument_Proc)(uint32_t, const char*);
typedef int32_t (*Gorvath_SetCurrentDocument_Proc)(uint32_t);
typedef int32_t (*Gorvath_CloseDocument_Proc)(uint32_t);
typedef void (*Gorvath_CloseAll_Proc)(void);
typedef int32_t (*Gorvath_DocumentCount_Proc)(void);
typedef uint32_t (*Gorvath_DocumentAt_Proc)(int32_t);
typedef const char* (*Gorvath_DocumentFileName_Proc)(uint32_t);
typedef int32_t (*Gorvath_DocumentIsLibrary_Proc)(uint32_t);
typedef int32_t (*Gorvath_DocumentChanged_Proc)(uint32_t);
typedef int32_t (*Gorvath_DocumentSummary_Proc)(uint32_t, int32_t*, int32_t*);
typedef uint32_t (*Gorvath_GetView_Proc)(uint32_t);
typedef int32_t (*Gorvath_RunProcess_Proc)(const char*, const char*, uint32_t);
typedef void (*Gorvath_SetTrace_Proc)(Gorvath_TraceSink, void*);
typedef uint64_t (*Gorvath_CallCount_Proc)(void);
typedef const char* (*Gorvath_LastError_Proc)(void);
}
