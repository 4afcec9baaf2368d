#include "host/editor/Document.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace gorvath {

namespace {

Coord Saturate(int64_t v) {
  return static_cast<Coord>(
      std::clamp<int64_t>(v, std::numeric_limits<Coord>::min(), std::numeric_limits<Coord>::max()));
}

Coord RoundToCoord(double v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<Coord>::max();
  if (v <= -2147483648.0) return std::numeric_limits<Coord>::min();
  return static_cast<Coord>(std::llround(v));
}

// 0 to 3 for a whole number of quarter turns, -1 otherwise.
int QuarterTurns(double rotation) {
  double r = std::fmod(rotation, 360.0);
  if (r < 0) r += 360.0;
  if (r == 0.0) return 0;
  if (r == 90.0) return 1;
  if (r == 180.0) return 2;
  if (r == 270.0) return 3;
  return -1;
}

double Normalize(double a) {
  if (!std::isfinite(a)) return a;
  double r = std::fmod(a, 360.0);
  if (r < 0) r += 360.0;
  if (r >= 360.0) r -= 360.0;
  return r == 0.0 ? 0.0 : r;
}

template <class T>
void Rotate(T& x, T& y, double degrees) {
  switch (QuarterTurns(degrees)) {
    case 0:
      return;
    case 1: {
      T t = x;
      x = -y;
      y = t;
      return;
    }
    case 2:
      x = -x;
      y = -y;
      return;
    case 3: {
      T t = x;
      x = y;
      y = -t;
      return;
    }
    default: {
      double t = degrees * std::numbers::pi / 180.0;
      double c = std::cos(t), s = std::sin(t);
      double rx = static_cast<double>(x) * c - static_cast<double>(y) * s;
      double ry = static_cast<double>(x) * s + static_cast<double>(y) * c;
      if constexpr (std::is_integral_v<T>) {
        x = std::llround(rx);
        y = std::llround(ry);
      } else {
        x = rx;
        y = ry;
      }
    }
  }
}

const std::array<LayerId, kLayerCount>& SidedFlipLayers() {
  static const std::array<LayerId, kLayerCount> map = [] {
    std::array<LayerId, kLayerCount> m{};
    for (int i = 0; i < kLayerCount; ++i) m[i] = static_cast<LayerId>(i);
    auto pair = [&](int a, int b) {
      m[a] = static_cast<LayerId>(b);
      m[b] = static_cast<LayerId>(a);
    };
    pair(kTopLayer, kBottomLayer);
    pair(33, 34);  // overlay
    pair(35, 36);  // paste
    pair(37, 38);  // solder
    return m;
  }();
  return map;
}

// Arc angles: a mirrored arc runs the other way round, so its ends swap.
void ArcToBoard(const Placement& p, double& start, double& end) {
  if (!p.flipped && p.rotation == 0.0) return;
  double span = end - start;
  double s = p.flipped ? p.AngleToBoard(end) : p.AngleToBoard(start);
  double e = p.flipped ? p.AngleToBoard(start) : p.AngleToBoard(end);
  if (span == 360.0 || span == -360.0) e = s + 360.0;
  start = s;
  end = e;
}

void ArcFromBoard(const Placement& p, double& start, double& end) {
  if (!p.flipped && p.rotation == 0.0) return;
  double span = end - start;
  double s = p.flipped ? p.AngleFromBoard(end) : p.AngleFromBoard(start);
  double e = p.flipped ? p.AngleFromBoard(start) : p.AngleFromBoard(end);
  if (span == 360.0 || span == -360.0) e = s + 360.0;
  start = s;
  end = e;
}

// A fill is a rectangle of fixed extent turned about its centre: the centre moves, the extent
// stays and the fill's own rotation takes the turn.
void FillCornersToBoard(const Placement& p, Coord& x1, Coord& y1, Coord& x2, Coord& y2) {
  if (p.Identity()) return;
  int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
  double cx = x1 + dx / 2.0, cy = y1 + dy / 2.0;
  if (p.flipped) cx = -cx;
  Rotate(cx, cy, p.rotation);
  cx += p.x;
  cy += p.y;
  x1 = RoundToCoord(cx - dx / 2.0);
  y1 = RoundToCoord(cy - dy / 2.0);
  x2 = Saturate(x1 + dx);
  y2 = Saturate(y1 + dy);
}

void FillCornersFromBoard(const Placement& p, Coord& x1, Coord& y1, Coord& x2, Coord& y2) {
  if (p.Identity()) return;
  int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
  double cx = x1 + dx / 2.0 - p.x, cy = y1 + dy / 2.0 - p.y;
  Rotate(cx, cy, -p.rotation);
  if (p.flipped) cx = -cx;
  x1 = RoundToCoord(cx - dx / 2.0);
  y1 = RoundToCoord(cy - dy / 2.0);
  x2 = Saturate(x1 + dx);
  y2 = Saturate(y1 + dy);
}

}  // namespace

// ---- Placement ----

void Placement::ToBoard(Coord& px, Coord& py) const {
  if (Identity()) return;
  int64_t lx = flipped ? -int64_t(px) : int64_t(px), ly = py;
  Rotate(lx, ly, rotation);
  px = Saturate(lx + x);
  py = Saturate(ly + y);
}

void Placement::FromBoard(Coord& px, Coord& py) const {
  if (Identity()) return;
  int64_t lx = int64_t(px) - x, ly = int64_t(py) - y;
  Rotate(lx, ly, -rotation);
  if (flipped) lx = -lx;
  px = Saturate(lx);
  py = Saturate(ly);
}

double Placement::AngleToBoard(double a) const {
  if (!flipped && rotation == 0.0) return a;
  return Normalize((flipped ? 180.0 - a : a) + rotation);
}

double Placement::AngleFromBoard(double a) const {
  if (!flipped && rotation == 0.0) return a;
  double b = a - rotation;
  return Normalize(flipped ? 180.0 - b : b);
}

LayerId Placement::LayerToBoard(LayerId layer) const {
  if (!flipped || layer >= kLayerCount) return layer;
  return (flipLayers ? *flipLayers : SidedFlipLayers())[layer];
}

Placement PlacementOf(const Object& object) {
  Placement p;
  if (object.owner && object.owner->kind == kComponent) {
    const auto& c = static_cast<const ComponentObject&>(*object.owner);
    p.x = c.common.X;
    p.y = c.common.Y;
    p.rotation = c.rec.Rotation;
    p.flipped = c.Flipped();
    p.flipLayers = c.document ? &c.document->FlipLayers() : nullptr;
  }
  return p;
}

LayerId BoardLayer(const Object& object) {
  switch (object.kind) {
    case kNet:
    case kClass:
    case kRule:
    case kManualFromTo:
    case kFromTo:
      return kNoLayer;
    default:
      return PlacementOf(object).LayerToBoard(object.common.Layer);
  }
}

// ---- Iterator ----

ObjectHandle Iterator::Advance(const Editor& editor) {
  while (position_ < items_.size()) {
    ObjectHandle h = items_[position_];
    if (editor.FindObject(h)) return h;
    ++position_;  // destroyed since the iterator was made
  }
  return 0;
}

ObjectHandle Iterator::First(const Editor& editor) {
  position_ = 0;
  return Advance(editor);
}

ObjectHandle Iterator::Next(const Editor& editor) {
  if (position_ < items_.size()) ++position_;
  return Advance(editor);
}

// ---- Document ----

Document::Document(Editor& editor, std::string fileName, bool isLibrary)
    : Entry(EntryType::Board),
      editor_(editor),
      fileName_(std::move(fileName)),
      isLibrary_(isLibrary) {
  UpdateLayerStack();
}

Document::~Document() = default;

void Document::UpdateLayerStack() {
  flipLayers_ = SidedFlipLayers();
  // The mid layers in stack order, walking down from the top layer.
  std::vector<LayerId> mids;
  std::array<bool, kLayerCount> seen{};
  LayerId layer = kTopLayer;
  while (layer != 0 && layer <= kLastLayer && !seen[layer]) {
    seen[layer] = true;
    if (layer >= 2 && layer <= 31) mids.push_back(layer);
    layer = board.Layers[layer].NextLayer;
  }
  for (std::size_t i = 0; i < mids.size(); ++i) flipLayers_[mids[i]] = mids[mids.size() - 1 - i];
}

void Document::IndexOne(const Object& object, bool insert) {
  if (object.kind > kMaxKind) return;
  LayerId layer = BoardLayer(object);
  auto apply = [&](IndexSet& set) {
    if (insert)
      set.insert(object.handle);
    else
      set.erase(object.handle);
  };
  apply(byKind_[object.kind]);
  if (layer < kLayerCount) apply(byKindLayer_[object.kind][layer]);
}

void Document::Index(const Object& object) {
  IndexOne(object, true);
  if (object.kind == kComponent)
    for (const auto& list : static_cast<const ComponentObject&>(object).primitives)
      for (const Object* p : list) IndexOne(*p, true);
}

void Document::Unindex(const Object& object) {
  IndexOne(object, false);
  if (object.kind == kComponent)
    for (const auto& list : static_cast<const ComponentObject&>(object).primitives)
      for (const Object* p : list) IndexOne(*p, false);
}

std::vector<ObjectHandle> Document::Select(ObjectId kind, LayerId layer) const {
  if (kind > kMaxKind || layer >= kLayerCount) return {};
  const IndexSet& set = layer == 0 ? byKind_[kind] : byKindLayer_[kind][layer];
  return {set.begin(), set.end()};
}

bool Document::Add(Object& object) {
  if (object.document || object.owner) return false;
  if (isLibrary_ && IsPrimitiveKind(object.kind)) {
    if (!currentFootprint_) return false;
    return AddToComponent(*currentFootprint_, object);
  }
  object.document = this;
  if (object.kind == kComponent)
    for (auto& list : static_cast<ComponentObject&>(object).primitives)
      for (Object* p : list) p->document = this;
  objects_.push_back(&object);
  Index(object);
  if (isLibrary_ && object.kind == kComponent && !currentFootprint_)
    currentFootprint_ = static_cast<ComponentObject*>(&object);
  ++changes;
  return true;
}

void Document::Remove(ComponentObject& component) {
  if (component.document != this) return;
  Unindex(component);
  std::erase(objects_, &component);
  if (currentFootprint_ == &component) {
    auto footprints = Footprints();
    currentFootprint_ = footprints.empty() ? nullptr : footprints.front();
  }
  ++changes;
  editor_.Destroy(component);
}

std::vector<ComponentObject*> Document::Footprints() const {
  std::vector<ComponentObject*> result;
  for (Object* o : objects_)
    if (o->kind == kComponent) result.push_back(static_cast<ComponentObject*>(o));
  return result;
}

// ---- Editor ----

Object* Editor::FindObject(ObjectHandle handle) const {
  return Find<Object>(handle);
}

Document* Editor::FindBoard(ObjectHandle handle) const {
  return Find<Document>(handle);
}

ObjectHandle Editor::Register(std::unique_ptr<Entry> entry) {
  auto handle = static_cast<ObjectHandle>(entries_.size());
  entry->handle = handle;
  entries_.push_back(std::move(entry));
  return handle;
}

Object* Editor::CreateObject(ObjectId kind) {
  std::unique_ptr<Object> o;
  switch (kind) {
    case kArc:
      o = std::make_unique<ArcObject>(kind, ArcRecord{});
      break;
    case kPad:
      o = std::make_unique<PadObject>(kind, PadRecord{});
      break;
    case kVia:
      o = std::make_unique<ViaObject>(kind, ViaRecord{});
      break;
    case kTrack:
      o = std::make_unique<TrackObject>(kind, TrackRecord{});
      break;
    case kText:
      o = std::make_unique<TextObject>(kind, TextRecord{});
      break;
    case kFill:
      o = std::make_unique<FillObject>(kind, FillRecord{});
      break;
    case kFromTo:
      o = std::make_unique<FromToObject>(kind, FromToRecord{});
      break;
    case kNet:
      o = std::make_unique<NetObject>(kind, NetRecord{});
      break;
    case kComponent:
      o = std::make_unique<ComponentObject>();
      break;
    case kPolygon:
    case kBoardOutline:
      o = std::make_unique<PolygonObject>(kind, PolygonRecord{});
      break;
    case kDimension:
      o = std::make_unique<DimensionObject>(kind, DimensionRecord{});
      break;
    case kCoordinate:
      o = std::make_unique<CoordinateObject>(kind, CoordinateRecord{});
      break;
    case kClass:
      o = std::make_unique<ClassObject>(kind, ClassRecord{});
      break;
    case kRule:
      o = std::make_unique<RuleObject>(kind, RuleRecord{});
      break;
    case kManualFromTo:
      o = std::make_unique<ManualFromToObject>(kind, ManualFromToRecord{});
      break;
    default:
      return nullptr;
  }
  if (kind == kPad || kind == kVia) o->common.Layer = kMultiLayer;
  if (BoardLayer(*o) == kNoLayer) o->common.Layer = kNoLayer;
  Object* raw = o.get();
  Register(std::move(o));
  return raw;
}

Document& Editor::CreateDocument(std::string fileName, bool isLibrary) {
  auto doc = std::make_unique<Document>(*this, std::move(fileName), isLibrary);
  Document* raw = doc.get();
  documents_.push_back(Register(std::move(doc)));
  return *raw;
}

ObjectHandle Editor::CreateIterator(std::vector<ObjectHandle> items) {
  return Register(std::make_unique<Iterator>(std::move(items)));
}

bool Editor::DestroyIterator(ObjectHandle handle) {
  if (!Find<Iterator>(handle)) return false;
  entries_[handle].reset();
  return true;
}

ObjectHandle Editor::ViewOf(Document& document) {
  if (!Find<View>(document.view)) document.view = Register(std::make_unique<View>(&document));
  return document.view;
}

void Editor::Destroy(Object& object) {
  if (object.kind == kComponent) {
    for (auto& list : static_cast<ComponentObject&>(object).primitives)
      for (Object* p : list) entries_[p->handle].reset();
  }
  entries_[object.handle].reset();
}

void Editor::CloseDocument(Document& document) {
  if (current_ == &document) current_ = nullptr;
  for (Object* o : document.Objects()) Destroy(*o);
  if (Find<View>(document.view)) entries_[document.view].reset();
  ObjectHandle handle = document.handle;
  std::erase(documents_, handle);
  entries_[handle].reset();
}

void Editor::CloseAll() {
  for (Document* d : Documents()) CloseDocument(*d);
  for (auto& e : entries_)
    if (e) e.reset();  // free objects and iterators
}

std::vector<Document*> Editor::Documents() const {
  std::vector<Document*> result;
  for (ObjectHandle h : documents_)
    if (Document* d = FindBoard(h)) result.push_back(d);
  return result;
}

Document* Editor::FindDocumentByFile(std::string_view fileName) const {
  for (Document* d : Documents())
    if (d->FileName() == fileName) return d;
  return nullptr;
}

}  // namespace gorvath

// ---- Board views of records ----

namespace gorvath {

namespace {

void PointToBoard(const Placement& p, Coord& x, Coord& y) {
  p.ToBoard(x, y);
}

// Takes back a point: unchanged from the derived one keeps the stored one exactly.
void PointFromBoard(const Placement& p, Coord inX, Coord inY, Coord derivedX, Coord derivedY,
                    Coord& storedX, Coord& storedY) {
  if (inX == derivedX && inY == derivedY) return;
  p.FromBoard(inX, inY);
  storedX = inX;
  storedY = inY;
}

void AngleFromBoard(const Placement& p, double in, double derived, double& stored) {
  if (in == derived) return;
  stored = p.AngleFromBoard(in);
}

void CommonToBoard(const Placement& p, CommonRecord& c) {
  PointToBoard(p, c.X, c.Y);
  c.Layer = p.LayerToBoard(c.Layer);
}

void CommonFromBoard(const Placement& p, const CommonRecord& in, const CommonRecord& derived,
                     CommonRecord& stored, bool point = true) {
  CommonRecord next = in;
  next.X = stored.X;
  next.Y = stored.Y;
  if (point) PointFromBoard(p, in.X, in.Y, derived.X, derived.Y, next.X, next.Y);
  next.Layer = p.LayerToBoard(in.Layer);
  stored = next;
}

void SwapSides(PadRecord& r) {
  std::swap(r.TopXSize, r.BottomXSize);
  std::swap(r.TopYSize, r.BottomYSize);
  std::swap(r.TopShape, r.BottomShape);
}

void MapStack(const Placement& p, std::vector<PadLayer>& stack) {
  for (PadLayer& e : stack) e.Layer = p.LayerToBoard(e.Layer);
  std::sort(stack.begin(), stack.end(),
            [](const PadLayer& a, const PadLayer& b) { return a.Layer < b.Layer; });
}

// Per kind: the board view of stored values, and stored values from a board view.
template <class R>
void ToBoard(const Placement& p, CommonRecord& c, R&) {
  CommonToBoard(p, c);
}
template <class R>
void FromBoard(const Placement& p, const CommonRecord& c, const R& r, const CommonRecord& dc,
               const R&, CommonRecord& sc, R& sr) {
  CommonFromBoard(p, c, dc, sc);
  sr = r;
}

void ToBoard(const Placement& p, CommonRecord& c, ArcRecord& r) {
  CommonToBoard(p, c);
  ArcToBoard(p, r.StartAngle, r.EndAngle);
}
void FromBoard(const Placement& p, const CommonRecord& c, const ArcRecord& r,
               const CommonRecord& dc, const ArcRecord& dr, CommonRecord& sc, ArcRecord& sr) {
  CommonFromBoard(p, c, dc, sc);
  ArcRecord next = r;
  next.StartAngle = sr.StartAngle;
  next.EndAngle = sr.EndAngle;
  if (r.StartAngle != dr.StartAngle || r.EndAngle != dr.EndAngle) {
    next.StartAngle = r.StartAngle;
    next.EndAngle = r.EndAngle;
    ArcFromBoard(p, next.StartAngle, next.EndAngle);
  }
  sr = next;
}

void ToBoard(const Placement& p, CommonRecord& c, PadRecord& r) {
  CommonToBoard(p, c);
  r.Rotation = p.AngleToBoard(r.Rotation);
  if (p.flipped) SwapSides(r);
  MapStack(p, r.Stack);
}
void FromBoard(const Placement& p, const CommonRecord& c, const PadRecord& r,
               const CommonRecord& dc, const PadRecord& dr, CommonRecord& sc, PadRecord& sr) {
  CommonFromBoard(p, c, dc, sc);
  PadRecord next = r;
  next.Rotation = sr.Rotation;
  AngleFromBoard(p, r.Rotation, dr.Rotation, next.Rotation);
  if (p.flipped) SwapSides(next);
  MapStack(p, next.Stack);
  sr = std::move(next);
}

void ToBoard(const Placement& p, CommonRecord& c, ViaRecord& r) {
  CommonToBoard(p, c);
  if (p.flipped) {
    LayerId low = p.LayerToBoard(r.HighLayer), high = p.LayerToBoard(r.LowLayer);
    r.LowLayer = low;
    r.HighLayer = high;
  }
}
void FromBoard(const Placement& p, const CommonRecord& c, const ViaRecord& r,
               const CommonRecord& dc, const ViaRecord&, CommonRecord& sc, ViaRecord& sr) {
  CommonFromBoard(p, c, dc, sc);
  ViaRecord next = r;
  if (p.flipped) {  // the side swap is its own inverse
    next.LowLayer = p.LayerToBoard(r.HighLayer);
    next.HighLayer = p.LayerToBoard(r.LowLayer);
  }
  sr = next;
}

void ToBoard(const Placement& p, CommonRecord& c, TrackRecord& r) {
  CommonToBoard(p, c);
  PointToBoard(p, r.X2, r.Y2);
}
void FromBoard(const Placement& p, const CommonRecord& c, const TrackRecord& r,
               const CommonRecord& dc, const TrackRecord& dr, CommonRecord& sc, TrackRecord& sr) {
  CommonFromBoard(p, c, dc, sc);
  TrackRecord next = r;
  next.X2 = sr.X2;
  next.Y2 = sr.Y2;
  PointFromBoard(p, r.X2, r.Y2, dr.X2, dr.Y2, next.X2, next.Y2);
  sr = next;
}

void ToBoard(const Placement& p, CommonRecord& c, TextRecord& r) {
  CommonToBoard(p, c);
  r.Rotation = p.AngleToBoard(r.Rotation);
  if (p.flipped) r.Mirrored ^= 1;
}
void FromBoard(const Placement& p, const CommonRecord& c, const TextRecord& r,
               const CommonRecord& dc, const TextRecord& dr, CommonRecord& sc, TextRecord& sr) {
  CommonFromBoard(p, c, dc, sc);
  TextRecord next = r;
  next.Rotation = sr.Rotation;
  AngleFromBoard(p, r.Rotation, dr.Rotation, next.Rotation);
  if (p.flipped) next.Mirrored ^= 1;
  sr = std::move(next);
}

void ToBoard(const Placement& p, CommonRecord& c, FillRecord& r) {
  c.Layer = p.LayerToBoard(c.Layer);
  FillCornersToBoard(p, c.X, c.Y, r.X2, r.Y2);
  r.Rotation = p.AngleToBoard(r.Rotation);
}
void FromBoard(const Placement& p, const CommonRecord& c, const FillRecord& r,
               const CommonRecord& dc, const FillRecord& dr, CommonRecord& sc, FillRecord& sr) {
  Coord x1 = sc.X, y1 = sc.Y;
  CommonFromBoard(p, c, dc, sc, false);
  FillRecord next = r;
  next.Rotation = sr.Rotation;
  AngleFromBoard(p, r.Rotation, dr.Rotation, next.Rotation);
  if (c.X == dc.X && c.Y == dc.Y && r.X2 == dr.X2 && r.Y2 == dr.Y2) {
    sc.X = x1;
    sc.Y = y1;
    next.X2 = sr.X2;
    next.Y2 = sr.Y2;
  } else {
    sc.X = c.X;
    sc.Y = c.Y;
    FillCornersFromBoard(p, sc.X, sc.Y, next.X2, next.Y2);
  }
  sr = next;
}

}  // namespace

template <class R>
void ReadView(const RecordObject<R>& object, CommonRecord& common, R& rec) {
  common = object.common;
  rec = object.rec;
  Placement p = PlacementOf(object);
  if (!p.Identity()) ToBoard(p, common, rec);
}

template <class R>
void WriteView(RecordObject<R>& object, const CommonRecord& common, const R& rec) {
  Document* doc = object.document;
  // Re-filed only when its board layer changes: a record written back as read costs no index work.
  bool moves = doc && common.Layer != BoardLayer(object);
  if (moves) doc->Unindex(object);
  Placement p = PlacementOf(object);
  if (p.Identity()) {
    object.common = common;
    object.rec = rec;
  } else {
    CommonRecord dc;
    R dr;
    ReadView(object, dc, dr);
    FromBoard(p, common, rec, dc, dr, object.common, object.rec);
  }
  if (moves) doc->Index(object);
  if (doc) ++doc->changes;
}

template void ReadView(const ArcObject&, CommonRecord&, ArcRecord&);
template void ReadView(const PadObject&, CommonRecord&, PadRecord&);
template void ReadView(const ViaObject&, CommonRecord&, ViaRecord&);
template void ReadView(const TrackObject&, CommonRecord&, TrackRecord&);
template void ReadView(const TextObject&, CommonRecord&, TextRecord&);
template void ReadView(const FillObject&, CommonRecord&, FillRecord&);
template void ReadView(const CoordinateObject&, CommonRecord&, CoordinateRecord&);
template void ReadView(const DimensionObject&, CommonRecord&, DimensionRecord&);
template void ReadView(const PolygonObject&, CommonRecord&, PolygonRecord&);
template void ReadView(const FromToObject&, CommonRecord&, FromToRecord&);
template void ReadView(const ManualFromToObject&, CommonRecord&, ManualFromToRecord&);
template void ReadView(const NetObject&, CommonRecord&, NetRecord&);
template void ReadView(const ClassObject&, CommonRecord&, ClassRecord&);
template void ReadView(const RuleObject&, CommonRecord&, RuleRecord&);
template void WriteView(ArcObject&, const CommonRecord&, const ArcRecord&);
template void WriteView(PadObject&, const CommonRecord&, const PadRecord&);
template void WriteView(ViaObject&, const CommonRecord&, const ViaRecord&);
template void WriteView(TrackObject&, const CommonRecord&, const TrackRecord&);
template void WriteView(TextObject&, const CommonRecord&, const TextRecord&);
template void WriteView(FillObject&, const CommonRecord&, const FillRecord&);
template void WriteView(CoordinateObject&, const CommonRecord&, const CoordinateRecord&);
template void WriteView(DimensionObject&, const CommonRecord&, const DimensionRecord&);
template void WriteView(PolygonObject&, const CommonRecord&, const PolygonRecord&);
template void WriteView(FromToObject&, const CommonRecord&, const FromToRecord&);
template void WriteView(ManualFromToObject&, const CommonRecord&, const ManualFromToRecord&);
template void WriteView(NetObject&, const CommonRecord&, const NetRecord&);
template void WriteView(ClassObject&, const CommonRecord&, const ClassRecord&);
template void WriteView(RuleObject&, const CommonRecord&, const RuleRecord&);

void ReadComponent(const ComponentObject& component, CommonRecord& common, ComponentRecord& rec) {
  common = component.common;
  rec = component.rec;
}

void WriteComponent(ComponentObject& component, const CommonRecord& common,
                    const ComponentRecord& rec) {
  Document* doc = component.document;
  bool moves = doc && common.Layer != component.common.Layer;  // a flip moves its primitives too
  if (moves) doc->Unindex(component);
  component.common = common;
  component.rec = rec;
  if (moves) doc->Index(component);
  if (doc) ++doc->changes;
}

PadLayer PadOnLayer(const PadObject& pad, LayerId boardLayer) {
  Placement p = PlacementOf(pad);
  LayerId local = p.LayerToBoard(boardLayer);
  const PadRecord& r = pad.rec;
  for (const PadLayer& e : r.Stack)
    if (e.Layer == local) return {boardLayer, e.XSize, e.YSize, e.Shape};
  if (local == kBottomLayer) return {boardLayer, r.BottomXSize, r.BottomYSize, r.BottomShape};
  if (local >= 2 && local <= 31) return {boardLayer, r.MidXSize, r.MidYSize, r.MidShape};
  return {boardLayer, r.TopXSize, r.TopYSize, r.TopShape};
}

void SetPadOnLayer(PadObject& pad, LayerId boardLayer, const PadLayer& value) {
  LayerId local = PlacementOf(pad).LayerToBoard(boardLayer);
  PadLayer entry{local, value.XSize, value.YSize, value.Shape};
  auto& stack = pad.rec.Stack;
  auto it = std::lower_bound(stack.begin(), stack.end(), local,
                             [](const PadLayer& e, LayerId l) { return e.Layer < l; });
  if (it != stack.end() && it->Layer == local)
    *it = entry;
  else
    stack.insert(it, entry);
  if (pad.document) ++pad.document->changes;
}

bool AddToComponent(ComponentObject& component, Object& primitive) {
  if (!IsPrimitiveKind(primitive.kind) || primitive.document || primitive.owner) return false;
  // The primitive's values are board values; take them into the component's frame.
  auto adopt = [&](auto& object) {
    CommonRecord c = object.common;
    auto r = object.rec;
    object.owner = &component;
    Placement p = PlacementOf(object);
    if (!p.Identity()) {
      CommonRecord dc = object.common;
      auto dr = object.rec;
      ToBoard(p, dc, dr);
      FromBoard(p, c, r, dc, dr, object.common, object.rec);
    }
  };
  switch (primitive.kind) {
    case kArc:
      adopt(static_cast<ArcObject&>(primitive));
      break;
    case kPad:
      adopt(static_cast<PadObject&>(primitive));
      break;
    case kVia:
      adopt(static_cast<ViaObject&>(primitive));
      break;
    case kTrack:
      adopt(static_cast<TrackObject&>(primitive));
      break;
    case kText:
      adopt(static_cast<TextObject&>(primitive));
      break;
    case kFill:
      adopt(static_cast<FillObject&>(primitive));
      break;
    default:
      return false;
  }
  primitive.document = component.document;
  component.primitives[primitive.kind].push_back(&primitive);
  if (primitive.document) {
    primitive.document->Index(primitive);
    ++primitive.document->changes;
  }
  return true;
}

}  // namespace gorvath
