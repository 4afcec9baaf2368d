#include "host/client/HostEditor.h"

namespace qvhost {

namespace {
template <class P>
bool Resolve(const qv::platform::LoadedLibrary& editor, const char* name, P& target,
             std::string& error) {
  target = reinterpret_cast<P>(editor.Symbol(name));
  if (target == nullptr && error.empty())
    error = "the PCB editor does not export " + std::string(name);
  return target != nullptr;
}
}  // namespace

bool HostEditor::Bind(const qv::platform::LoadedLibrary& editor, std::string& error) {
  error.clear();
  bool ok = Resolve(editor, "Gorvath_OpenDocument", open_, error);
  ok = Resolve(editor, "Gorvath_CreateLibraryFile", createLibrary_, error) && ok;
  ok = Resolve(editor, "Gorvath_SaveDocument", save_, error) && ok;
  ok = Resolve(editor, "Gorvath_SetCurrentDocument", setCurrent_, error) && ok;
  ok = Resolve(editor, "Gorvath_DocumentCount", count_, error) && ok;
  ok = Resolve(editor, "Gorvath_DocumentAt", at_, error) && ok;
  ok = Resolve(editor, "Gorvath_DocumentFileName", fileName_, error) && ok;
  ok = Resolve(editor, "Gorvath_DocumentIsLibrary", isLibrary_, error) && ok;
  ok = Resolve(editor, "Gorvath_DocumentChanged", changed_, error) && ok;
  ok = Resolve(editor, "Gorvath_DocumentSummary", summary_, error) && ok;
  ok = Resolve(editor, "Gorvath_GetView", view_, error) && ok;
  ok = Resolve(editor, "Gorvath_RunProcess", run_, error) && ok;
  ok = Resolve(editor, "Gorvath_SetTrace", setTrace_, error) && ok;
  ok = Resolve(editor, "Gorvath_CallCount", callCount_, error) && ok;
  ok = Resolve(editor, "Gorvath_LastError", lastError_, error) && ok;
  if (!ok) open_ = nullptr;
  return ok;
}

uint32_t HostEditor::Open(const std::string& fileName, std::string& error) const {
  uint32_t board = open_(fileName.c_str());
  if (board == 0) error = lastError_();
  return board;
}

bool HostEditor::CreateLibraryFile(const std::string& fileName, std::string& error) const {
  if (createLibrary_(fileName.c_str()) != 0) return true;
  error = lastError_();
  return false;
}

bool HostEditor::Save(uint32_t board, std::string& error) const {
  if (save_(board, nullptr) != 0) return true;
  error = lastError_();
  return false;
}

bool HostEditor::Save(uint32_t board, const std::string& fileName, std::string& error) const {
  if (save_(board, fileName.c_str()) != 0) return true;
  error = lastError_();
  return false;
}

bool HostEditor::RunProcess(uint32_t board, const std::string& name, const std::string& parameters,
                            std::string& error) const {
  uint32_t view = view_(board);
  if (view != 0 && run_(name.c_str(), parameters.c_str(), view) != 0) return true;
  error = lastError_();
  return false;
}

void HostEditor::Trace(std::function<void(const char*)> sink) {
  sink_ = std::move(sink);
  if (sink_)
    setTrace_([](const char* line, void* self) { static_cast<HostEditor*>(self)->sink_(line); },
              this);
  else
    setTrace_(nullptr, nullptr);
}

std::vector<HostEditor::DocumentInfo> HostEditor::Documents() const {
  std::vector<DocumentInfo> result;
  for (int32_t i = 0, n = count_(); i < n; ++i) {
    DocumentInfo d;
    d.Board = at_(i);
    d.FileName = fileName_(d.Board);
    d.IsLibrary = isLibrary_(d.Board) == 1;
    d.Changed = changed_(d.Board) != 0;
    summary_(d.Board, &d.Components, &d.Primitives);
    result.push_back(std::move(d));
  }
  return result;
}

}  // namespace qvhost
