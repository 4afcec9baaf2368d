#pragma once
// The stand-in PCB editor as the host drives it: its control functions (GorvathControl.h), looked
// up by name in the editor module that the host session loaded.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host/editor/GorvathControl.h"
#include "platform/Module.h"

namespace qvhost {

class HostEditor {
 public:
  // Looks up every control function; false, with `error` naming the first missing one.
  bool Bind(const qv::platform::LoadedLibrary& editor, std::string& error);
  bool Bound() const { return open_ != nullptr; }

  // Opens a document file; its board handle, or 0 with `error` set ("file:line: what").
  uint32_t Open(const std::string& fileName, std::string& error) const;
  bool CreateLibraryFile(const std::string& fileName, std::string& error) const;
  bool MakeCurrent(uint32_t board) const { return setCurrent_(board) != 0; }
  bool Save(uint32_t board, std::string& error) const;
  // Writes the document to another file; its own file is left as it is.
  bool Save(uint32_t board, const std::string& fileName, std::string& error) const;
  // Runs a "PCB:" process on the document of a board; false with `error` set when it did not run.
  bool RunProcess(uint32_t board, const std::string& name, const std::string& parameters,
                  std::string& error) const;
  // Reports every editor call to `sink`, one line each; an empty sink ends tracing.
  void Trace(std::function<void(const char*)> sink);
  uint64_t CallCount() const { return callCount_(); }

  struct DocumentInfo {
    uint32_t Board = 0;
    std::string FileName;
    bool IsLibrary = false;
    bool Changed = false;
    int32_t Components = 0;
    int32_t Primitives = 0;
  };
  std::vector<DocumentInfo> Documents() const;

 private:
  Gorvath_OpenDocument_Proc open_ = nullptr;
  Gorvath_CreateLibraryFile_Proc createLibrary_ = nullptr;
  Gorvath_SaveDocument_Proc save_ = nullptr;
  Gorvath_SetCurrentDocument_Proc setCurrent_ = nullptr;
  Gorvath_DocumentCount_Proc count_ = nullptr;
  Gorvath_DocumentAt_Proc at_ = nullptr;
  Gorvath_DocumentFileName_Proc fileName_ = nullptr;
  Gorvath_DocumentIsLibrary_Proc isLibrary_ = nullptr;
  Gorvath_DocumentChanged_Proc changed_ = nullptr;
  Gorvath_DocumentSummary_Proc summary_ = nullptr;
  Gorvath_GetView_Proc view_ = nullptr;
  Gorvath_RunProcess_Proc run_ = nullptr;
  Gorvath_SetTrace_Proc setTrace_ = nullptr;
  Gorvath_CallCount_Proc callCount_ = nullptr;
  Gorvath_LastError_Proc lastError_ = nullptr;
  std::function<void(const char*)> sink_;
};

}  // namespace qvhost
