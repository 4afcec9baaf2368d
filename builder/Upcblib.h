#pragma once
// The "BuildPCBLibrary" command: builds a footprint library beside the board open in the editor,
// one footprint per distinct footprint name, drawn from the first component of that name after
// turning it to the top layer with rotation 0, with the component's location as origin.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pcb/Pcbclass.h"
#include "runtime/InterfaceRef.h"
#include "runtime/RT_ClientServerInterface.h"

namespace qv {

// The builder's own primitive wrappers.
class TArc final : public TPcbArc {
 public:
  using TPcbArc::TPcbArc;
};
class TPad final : public TPcbPad {
 public:
  using TPcbPad::TPcbPad;
};
class TVia final : public TPcbVia {
 public:
  using TPcbVia::TPcbVia;
};
class TTrack final : public TPcbTrack {
 public:
  using TPcbTrack::TPcbTrack;
};
class TText final : public TPcbText {
 public:
  using TPcbText::TPcbText;
};
class TFill final : public TPcbFill {
 public:
  using TPcbFill::TPcbFill;
};

// The messages the command shows.
inline constexpr std::string_view NoBoardMessage = "No board is currently open.";
inline constexpr std::string_view BoardIsLibraryMessage = "The current board is a library...";
inline constexpr std::string_view NoLibraryDocumentMessage = "Could not create a library document";

// The library file name for a board file: its directory part (up to the platform's last
// directory separator) and its name without the last extension, then `counter` when it is not 0,
// then ".PcbLib".
std::string LibraryFileName(std::string_view boardFileName, int counter);
// A location in whole mils, halves to even, as the decimal text the editor takes.
std::string MilsText(Coord value);

class TLibraryBuilder {
 public:
  explicit TLibraryBuilder(TPcbBoard& board);
  // Sends the board back (qmUpdate), frees the footprint wrappers, releases the library document.
  ~TLibraryBuilder();
  TLibraryBuilder(const TLibraryBuilder&) = delete;
  TLibraryBuilder& operator=(const TLibraryBuilder&) = delete;

  void Execute();

  const std::vector<std::unique_ptr<TPcbComponent>>& Footprints() const { return footprints_; }
  // The library file chosen by the last run; empty before.
  const std::string& LibraryFileNameChosen() const { return libraryFileName_; }

  // Keeps a component as a footprint unless one of the same name is kept already.
  void AddDistinctFootprint(ObjectHandle component);
  // Copies one primitive of the component being built into the library footprint.
  void CopyPrimitive(ObjectHandle primitive);

 private:
  void CollectFootprints();
  bool CreateLibraryDocument();
  void BuildFootprints();
  void BuildFootprint(TPcbComponent& component);
  void CreateLibraryComponent(std::string_view pattern);
  void CopyComponentPrimitives(const TPcbComponent& component);
  void SetComponentReference(Coord x, Coord y);
  void ZoomAll();
  void DeleteDefaultComponent();
  void SelectFirstComponent();
  // Runs a host process on the library document with parameters set one name at a time.
  void LaunchProcess(std::string_view name,
                     std::initializer_list<std::pair<std::string_view, std::string_view>> params);
  // Finishes a new library primitive: sends it, adds it to the library board.
  void AddToLibrary(TPCBObject& created);

  // Reads the primitive as `Wrapper`, creates a new object of its kind with the fields a footprint
  // takes, and adds it to the library.
  template <class Wrapper>
  void CopyAs(ObjectHandle primitive);

  TPcbBoard& board_;
  std::vector<std::unique_ptr<TPcbComponent>> footprints_;
  std::unique_ptr<TPcbBoard> libraryBoard_;
  InterfaceRef<IServerDocument> libraryDocument_;
  std::string libraryFileName_;
};

// The builder that is running, reached by the iteration callbacks; none outside a run.
TLibraryBuilder* CurrentLibraryBuilder();

// The command's body: reads the current board and builds its library, telling the user when
// there is no board or the board is a library.
void BuildLibraryFromCurrentBoard();

// The command's launch procedure: ignores its context and parameters, builds, and answers 0.
int32_t LaunchBuildPCBLibrary(IUnknown* context, char* parameters);

}  // namespace qv
