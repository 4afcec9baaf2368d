#include "builder/Upcblib.h"

#include <array>
#include <cmath>
#include <string>

#include "bindings/PCBProcs.h"
#include "bindings/VFSAPI.h"
#include "pcb/Pcbtypes.h"
#include "platform/Path.h"
#include "runtime/ClientProcs.h"
#include "runtime/EDAClientMessageBox.h"
#include "runtime/RT_ServerImplementation.h"
#include "runtime/Rt_Param.h"

namespace qv {

namespace {

TLibraryBuilder* currentLibraryBuilder = nullptr;

constexpr uint32_t ComponentsOnly = 1u << ComponentObject;
constexpr uint8_t BoardIterationMethod = 0;
constexpr uint8_t ComponentIterationMethod = 2;
constexpr LayerId TopLayer = 1;
constexpr std::string_view LibraryKind = "PCBLib";
constexpr std::string_view DefaultLibraryComponent = "PCBComponent_1";

// Makes a builder the current one for as long as it lives.
class CurrentBuilderScope {
 public:
  explicit CurrentBuilderScope(TLibraryBuilder& builder) { currentLibraryBuilder = &builder; }
  ~CurrentBuilderScope() { currentLibraryBuilder = nullptr; }
  CurrentBuilderScope(const CurrentBuilderScope&) = delete;
  CurrentBuilderScope& operator=(const CurrentBuilderScope&) = delete;
};

// Turns a board component to the top layer with rotation 0 for as long as it lives, and turns it
// back (layer, then rotation, then location, each sent at once) on every way out.
class TurnedToTop {
 public:
  explicit TurnedToTop(TPcbComponent& component)
      : component_(component),
        rotation_(component.Rotation),
        layer_(component.Layer),
        x_(component.X),
        y_(component.Y) {
    component_.Layer = TopLayer;
    component_.TransferRecord(qmUpdate);
    component_.Rotation = 0.0;
    component_.TransferRecord(qmUpdate);
  }
  ~TurnedToTop() {
    component_.Layer = layer_;
    component_.TransferRecord(qmUpdate);
    component_.Rotation = rotation_;
    component_.TransferRecord(qmUpdate);
    component_.X = x_;
    component_.Y = y_;
    component_.TransferRecord(qmUpdate);
  }
  TurnedToTop(const TurnedToTop&) = delete;
  TurnedToTop& operator=(const TurnedToTop&) = delete;

 private:
  TPcbComponent& component_;
  double rotation_;
  LayerId layer_;
  Coord x_;
  Coord y_;
};

// An editor iterator over one kind of object in a container, destroyed on every way out.
class EditorIterator {
 public:
  EditorIterator(ObjectHandle container, ObjectId kind, uint8_t method, LayerId layer)
      : handle_(PcbApi_CreateIterator(container, kind, method, layer)) {}
  ~EditorIterator() { PcbApi_DestroyIterator(handle_); }
  EditorIterator(const EditorIterator&) = delete;
  EditorIterator& operator=(const EditorIterator&) = delete;
  ObjectHandle First() { return PcbApi_GetFirstObject(handle_); }
  ObjectHandle Next() { return PcbApi_GetNextObject(handle_); }

 private:
  ObjectHandle handle_;
};

// The fields each kind of primitive takes from its source; the rest keep the new object's
// defaults, and none of them joins a net or a board component.
void CopyCommon(const TPCBObject& from, TPCBObject& to) {
  to.X = from.X;
  to.Y = from.Y;
  to.Flags = from.Flags;
  to.Layer = from.Layer;
  to.CommonByte = from.CommonByte;
}
void CopyKind(const TPcbArc& from, TPcbArc& to) {
  to.Radius = from.Radius;
  to.StartAngle = from.StartAngle;
  to.EndAngle = from.EndAngle;
  to.LineWidth = from.LineWidth;
}
void CopyKind(const TPcbPad& from, TPcbPad& to) {
  to.TopXSize = from.TopXSize;
  to.TopYSize = from.TopYSize;
  to.MidXSize = from.MidXSize;
  to.MidYSize = from.MidYSize;
  to.BottomXSize = from.BottomXSize;
  to.BottomYSize = from.BottomYSize;
  to.HoleSize = from.HoleSize;
  to.TopShape = from.TopShape;
  to.MidShape = from.MidShape;
  to.BottomShape = from.BottomShape;
  to.Name = from.Name;
  to.PadByte2 = from.PadByte2;
  to.Rotation = from.Rotation;
}
void CopyKind(const TPcbVia& from, TPcbVia& to) {
  to.Size = from.Size;
  to.HoleSize = from.HoleSize;
  to.LowLayer = from.LowLayer;
  to.HighLayer = from.HighLayer;
}
void CopyKind(const TPcbTrack& from, TPcbTrack& to) {
  to.X2 = from.X2;
  to.Y2 = from.Y2;
  to.Width = from.Width;
}
void CopyKind(const TPcbText& from, TPcbText& to) {
  to.Size = from.Size;
  to.Font = from.Font;
  to.Rotation = from.Rotation;
  to.Mirrored = from.Mirrored;
  to.Text = from.Text;
  to.LineWidth = from.LineWidth;
}
void CopyKind(const TPcbFill& from, TPcbFill& to) {
  to.X2 = from.X2;
  to.Y2 = from.Y2;
  to.Rotation = from.Rotation;
}

}  // namespace

TLibraryBuilder* CurrentLibraryBuilder() { return currentLibraryBuilder; }

std::string LibraryFileName(std::string_view boardFileName, int counter) {
  std::size_t cut = boardFileName.find_last_of(platform::DirectorySeparators());
  std::string_view dir =
      cut == std::string_view::npos ? std::string_view() : boardFileName.substr(0, cut + 1);
  std::string_view name =
      cut == std::string_view::npos ? boardFileName : boardFileName.substr(cut + 1);
  if (std::size_t dot = name.rfind('.'); dot != std::string_view::npos) name = name.substr(0, dot);
  name = name.substr(0, 255);
  std::string candidate(dir);
  candidate += name;
  if (counter != 0) candidate += std::to_string(counter);
  candidate += ".PcbLib";
  return candidate;
}

std::string MilsText(Coord value) {
  // nearbyint rounds in the current rounding mode, which is round-to-nearest, halves to even.
  return std::to_string(static_cast<long long>(std::nearbyint(CoordToMils(value))));
}

TLibraryBuilder::TLibraryBuilder(TPcbBoard& board) : board_(board) {}

TLibraryBuilder::~TLibraryBuilder() {
  board_.TransferRecord(qmUpdate);
  footprints_.clear();
  libraryDocument_.Reset();
}

void TLibraryBuilder::Execute() {
  CollectFootprints();
  if (footprints_.empty()) return;
  if (!CreateLibraryDocument()) {
    ShowInformation(NoLibraryDocumentMessage);
    return;
  }
  libraryBoard_ = std::make_unique<TPcbBoard>(PcbApi_GetCurrentBoardHandle());
  libraryBoard_->TransferRecord(qmGet);
  BuildFootprints();
  DeleteDefaultComponent();
  SelectFirstComponent();
  libraryBoard_->TransferRecord(qmUpdate);
  libraryBoard_.reset();
}

void TLibraryBuilder::CollectFootprints() {
  IterateBoardObjects(
      board_, [this](ObjectHandle component) { AddDistinctFootprint(component); }, ComponentsOnly,
      AllLayers, BoardIterationMethod);
}

void TLibraryBuilder::AddDistinctFootprint(ObjectHandle handle) {
  auto component = std::make_unique<TPcbComponent>(handle);
  component->TransferRecord(qmGet);
  // Footprint names compare byte for byte: case-sensitive, no trimming.
  for (const auto& kept : footprints_)
    if (kept->Pattern.View() == component->Pattern.View()) return;
  footprints_.push_back(std::move(component));
}

bool TLibraryBuilder::CreateLibraryDocument() {
  std::string boardFile(board_.FileName.View());
  int counter = 0;
  std::string candidate = LibraryFileName(boardFile, counter);
  while (VFSAPI_VFS_FileExists(candidate.c_str()))
    candidate = LibraryFileName(boardFile, ++counter);
  std::string kind(LibraryKind);
  VFSAPI_VFSCreateFile(candidate.c_str(), kind.c_str(), "");
  libraryFileName_ = candidate;

  InterfaceRef<IClient> client = CurrentClient();
  if (!client) return false;
  client->NotifyBeforeOpen();
  client->OpenDocument(kind.c_str(), candidate.c_str(), libraryDocument_.Receive());
  client->NotifyAfterOpen(-1);
  // Without an opened library that the editor now shows, the footprints would be drawn into the
  // source board itself.
  if (!libraryDocument_) return false;
  ObjectHandle current = PcbApi_GetCurrentBoardHandle();
  return current != 0 && current != board_.Handle;
}

void TLibraryBuilder::BuildFootprints() {
  for (auto& component : footprints_) BuildFootprint(*component);
}

void TLibraryBuilder::BuildFootprint(TPcbComponent& component) {
  TurnedToTop turned(component);
  CreateLibraryComponent(component.Pattern.View());
  CopyComponentPrimitives(component);
  SetComponentReference(component.X, component.Y);
  ZoomAll();
}

void TLibraryBuilder::CreateLibraryComponent(std::string_view pattern) {
  LaunchProcess("PCB:CreateComponent", {{"FootPrint", pattern}});
}

void TLibraryBuilder::CopyComponentPrimitives(const TPcbComponent& component) {
  for (ObjectId kind = ArcObject; kind <= FillObject; ++kind) {
    EditorIterator it(component.Handle, kind, ComponentIterationMethod, 0);
    for (ObjectHandle h = it.First(); h != 0; h = it.Next()) CopyPrimitive(h);
  }
}

template <class Wrapper>
void TLibraryBuilder::CopyAs(ObjectHandle primitive) {
  Wrapper source(primitive);
  source.TransferRecord(qmGet);
  Wrapper created(PcbApi_CreateObject(source.ObjectId));
  created.TransferRecord(qmGet);  // the new object's defaults
  CopyCommon(source, created);
  CopyKind(source, created);
  AddToLibrary(created);
}

void TLibraryBuilder::AddToLibrary(TPCBObject& created) {
  created.TransferRecord(qmSet);
  libraryBoard_->AddObject(created.Handle);
}

void TLibraryBuilder::CopyPrimitive(ObjectHandle primitive) {
  switch (PcbApi_GetObjectIdFromObjectHandle(primitive)) {
    case ArcObject: CopyAs<TArc>(primitive); break;
    case PadObject: CopyAs<TPad>(primitive); break;
    case ViaObject: CopyAs<TVia>(primitive); break;
    case TrackObject: CopyAs<TTrack>(primitive); break;
    case TextObject: CopyAs<TText>(primitive); break;
    case FillObject: CopyAs<TFill>(primitive); break;
    default: break;  // other kinds inside a component are not part of a footprint
  }
  libraryBoard_->TransferRecord(qmSet);
}

void TLibraryBuilder::SetComponentReference(Coord x, Coord y) {
  std::string mx = MilsText(x);
  std::string my = MilsText(y);
  LaunchProcess("PCB:SetComponentReference", {{"Location.X", mx}, {"Location.Y", my}});
}

void TLibraryBuilder::ZoomAll() { LaunchProcess("PCB:Zoom", {{"Action", "All"}}); }

void TLibraryBuilder::DeleteDefaultComponent() {
  LaunchProcess("PCB:DeleteComponentFromLibrary", {{"FootPrint", DefaultLibraryComponent}});
}

void TLibraryBuilder::SelectFirstComponent() { LaunchProcess("PCB:FirstComponent", {}); }

void TLibraryBuilder::LaunchProcess(
    std::string_view name,
    std::initializer_list<std::pair<std::string_view, std::string_view>> params) {
  auto buffer = std::make_unique<std::array<char, ParameterBufferSize>>();
  (*buffer)[0] = '\0';
  for (const auto& [key, value] : params) SetParameterValue(*buffer, key, value);
  InterfaceRef<IUnknown> view;
  if (libraryDocument_) libraryDocument_->GetView(0, view.Receive());
  RunProcess(name, buffer->data(), static_cast<int32_t>(buffer->size()), view.Get());
}

void BuildLibraryFromCurrentBoard() {
  ObjectHandle handle = PcbApi_GetCurrentBoardHandle();
  if (handle == 0) {
    ShowError(NoBoardMessage);
    return;
  }
  TPcbBoard board(handle);
  board.TransferRecord(qmGet);
  if (board.IsLibrary != 0) {
    ShowError(BoardIsLibraryMessage);
    return;
  }
  TLibraryBuilder builder(board);
  CurrentBuilderScope scope(builder);
  builder.Execute();
}

int32_t LaunchBuildPCBLibrary(IUnknown*, char*) {
  BuildLibraryFromCurrentBoard();
  return 0;
}

}  // namespace qv
