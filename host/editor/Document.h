#pragma once
// The editor's documents and objects. Every board, object, view and iterator is an entry of one
// handle table, looked up by number in constant time; a handle is never given out twice, so a stale
// handle finds an empty entry. A primitive inside a component keeps its geometry in the component's
// own frame and shows board coordinates derived from the component's placement, so turning or
// flipping a component and turning it back leaves its primitives exactly as they were.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "host/editor/Records.h"

namespace gorvath {

class Document;
class Editor;

enum class EntryType : uint8_t { Object, Board, View, Iterator };

struct Entry {
  explicit Entry(EntryType t) : type(t) {}
  virtual ~Entry() = default;
  const EntryType type;
  ObjectHandle handle = 0;
};

struct Object : Entry {
  explicit Object(ObjectId k) : Entry(EntryType::Object), kind(k) {}
  const ObjectId kind;
  Document* document = nullptr;  // the board or library holding it; none while free
  Object* owner = nullptr;       // the component holding a primitive
  CommonRecord common;
  ObjectHandle net = 0;
};

template <class R>
struct RecordObject : Object {
  RecordObject(ObjectId k, R r) : Object(k), rec(std::move(r)) {}
  R rec;
};
using ArcObject = RecordObject<ArcRecord>;
using PadObject = RecordObject<PadRecord>;
using ViaObject = RecordObject<ViaRecord>;
using TrackObject = RecordObject<TrackRecord>;
using TextObject = RecordObject<TextRecord>;
using FillObject = RecordObject<FillRecord>;
using CoordinateObject = RecordObject<CoordinateRecord>;
using DimensionObject = RecordObject<DimensionRecord>;
using PolygonObject = RecordObject<PolygonRecord>;
using FromToObject = RecordObject<FromToRecord>;
using ManualFromToObject = RecordObject<ManualFromToRecord>;
using NetObject = RecordObject<NetRecord>;
using ClassObject = RecordObject<ClassRecord>;
using RuleObject = RecordObject<RuleRecord>;

struct ComponentObject : Object {
  ComponentObject() : Object(kComponent) {}
  ComponentRecord rec;
  ObjectHandle nameText = 0;                       // the designator text, one of its own texts
  ObjectHandle commentText = 0;                    // the comment text, one of its own texts
  std::array<std::vector<Object*>, 7> primitives;  // by kind 1 to 6, in the order added
  bool Flipped() const { return common.Layer == kBottomLayer; }
};

// How a component's own frame maps onto the board: mirrored in X when on the bottom side, turned
// by the rotation, moved to the location. Multiples of 90 degrees are exact integer maps.
struct Placement {
  Coord x = 0, y = 0;
  double rotation = 0.0;
  bool flipped = false;
  const std::array<LayerId, kLayerCount>* flipLayers = nullptr;

  bool Identity() const { return x == 0 && y == 0 && rotation == 0.0 && !flipped; }
  void ToBoard(Coord& px, Coord& py) const;
  void FromBoard(Coord& px, Coord& py) const;
  double AngleToBoard(double a) const;
  double AngleFromBoard(double a) const;
  LayerId LayerToBoard(LayerId layer) const;  // the flip map is its own inverse
};
Placement PlacementOf(const Object& object);

class Iterator : public Entry {
 public:
  explicit Iterator(std::vector<ObjectHandle> items)
      : Entry(EntryType::Iterator), items_(std::move(items)) {}
  ObjectHandle First(const Editor& editor);
  ObjectHandle Next(const Editor& editor);

 private:
  ObjectHandle Advance(const Editor& editor);
  std::vector<ObjectHandle> items_;
  std::size_t position_ = 0;
};

struct View : Entry {
  explicit View(Document* d) : Entry(EntryType::View), document(d) {}
  Document* document;
};

// A board or a library. A library's footprints are components on its board; objects added to a
// library's board join the footprint being edited.
class Document : public Entry {
 public:
  Document(Editor& editor, std::string fileName, bool isLibrary);
  ~Document() override;

  Editor& editor() { return editor_; }
  const std::string& FileName() const { return fileName_; }
  void SetFileName(std::string name) { fileName_ = std::move(name); }
  bool IsLibrary() const { return isLibrary_; }

  BoardRecord board = DefaultBoardRecord();
  // The sided layer each layer becomes when a component flips: copper, overlay, paste and solder
  // top to bottom, mid layers in reverse stack order. Kept in step with the layer stack.
  const std::array<LayerId, kLayerCount>& FlipLayers() const { return flipLayers_; }
  void UpdateLayerStack();

  // Objects directly on the board (components and footprints included), in the order added.
  const std::vector<Object*>& Objects() const { return objects_; }
  // Takes a free object onto the board (or, for a primitive in a library, into the footprint
  // being edited). False when the object cannot go there.
  bool Add(Object& object);
  // Removes a footprint and destroys its primitives.
  void Remove(ComponentObject& component);

  // Iteration snapshot: objects of a kind on a layer (layer 0: on any layer).
  std::vector<ObjectHandle> Select(ObjectId kind, LayerId layer) const;
  // Re-files an object (and a component's primitives) after its board layer may have changed.
  void Unindex(const Object& object);
  void Index(const Object& object);

  ComponentObject* CurrentFootprint() const { return currentFootprint_; }
  void SetCurrentFootprint(ComponentObject* footprint) { currentFootprint_ = footprint; }
  std::vector<ComponentObject*> Footprints() const;

  uint64_t changes = 0;  // bumped by every change, so the host knows what to save
  ObjectHandle view = 0;

 private:
  using IndexSet = std::set<ObjectHandle>;  // handles grow with creation: creation order
  void IndexOne(const Object& object, bool insert);

  Editor& editor_;
  std::string fileName_;
  bool isLibrary_;
  std::array<LayerId, kLayerCount> flipLayers_{};
  std::vector<Object*> objects_;
  std::array<IndexSet, kMaxKind + 1> byKind_;
  std::array<std::array<IndexSet, kLayerCount>, kMaxKind + 1> byKindLayer_;
  ComponentObject* currentFootprint_ = nullptr;
};

// The board layer an object is found on: derived through its component's placement.
LayerId BoardLayer(const Object& object);

// An object's fields as the board shows them, and taking such fields back. A primitive inside a
// component keeps its own-frame values wherever the incoming board value equals the one derived
// from them, so a record read and sent back unchanged changes nothing, at any angle.
template <class R>
void ReadView(const RecordObject<R>& object, CommonRecord& common, R& rec);
template <class R>
void WriteView(RecordObject<R>& object, const CommonRecord& common, const R& rec);
void ReadComponent(const ComponentObject& component, CommonRecord& common, ComponentRecord& rec);
// Applies a component record; a changed side, rotation or location moves its primitives with it.
void WriteComponent(ComponentObject& component, const CommonRecord& common,
                    const ComponentRecord& rec);

// Takes a free primitive into a component; its board values become values in the component's
// frame. False when the object is not a free primitive.
bool AddToComponent(ComponentObject& component, Object& primitive);

// A pad's size and shape on a board layer: its own entry for the layer, else the top, mid or
// bottom values.
PadLayer PadOnLayer(const PadObject& pad, LayerId boardLayer);
void SetPadOnLayer(PadObject& pad, LayerId boardLayer, const PadLayer& value);

template <class T>
constexpr EntryType TypeOf() {
  if constexpr (std::is_base_of_v<Object, T>)
    return EntryType::Object;
  else if constexpr (std::is_same_v<T, Document>)
    return EntryType::Board;
  else if constexpr (std::is_same_v<T, View>)
    return EntryType::View;
  else
    return EntryType::Iterator;
}

class Editor {
 public:
  Editor() = default;
  Editor(const Editor&) = delete;
  Editor& operator=(const Editor&) = delete;

  // The entry of a handle if it is of type T (Object and its kinds, Document, View, Iterator).
  template <class T>
  T* Find(ObjectHandle handle) const {
    Entry* e = FindEntry(handle);
    if (!e || e->type != TypeOf<T>()) return nullptr;
    if constexpr (std::is_base_of_v<Object, T> && !std::is_same_v<Object, T>)
      return dynamic_cast<T*>(e);
    else
      return static_cast<T*>(e);
  }
  Entry* FindEntry(ObjectHandle handle) const {
    return handle < entries_.size() ? entries_[handle].get() : nullptr;
  }
  Object* FindObject(ObjectHandle handle) const;
  Document* FindBoard(ObjectHandle handle) const;

  // Creates a free object of a kind with its defaults; none for a kind the editor has not.
  Object* CreateObject(ObjectId kind);
  Document& CreateDocument(std::string fileName, bool isLibrary);
  ObjectHandle CreateIterator(std::vector<ObjectHandle> items);
  bool DestroyIterator(ObjectHandle handle);
  ObjectHandle ViewOf(Document& document);
  void CloseDocument(Document& document);
  void CloseAll();
  // Destroys an object and everything it holds; its handle becomes stale.
  void Destroy(Object& object);

  Document* Current() const { return current_; }
  void SetCurrent(Document* document) { current_ = document; }
  std::vector<Document*> Documents() const;
  Document* FindDocumentByFile(std::string_view fileName) const;

 private:
  ObjectHandle Register(std::unique_ptr<Entry> entry);
  std::vector<std::unique_ptr<Entry>> entries_{1};  // handle 0 is none
  std::vector<ObjectHandle> documents_;
  Document* current_ = nullptr;
};

// The "PCB:" processes on the library document of a view. True when the process ran.
bool RunProcess(Editor& editor, std::string_view name, std::string_view parameters,
                ObjectHandle view, std::string& error);

}  // namespace gorvath
