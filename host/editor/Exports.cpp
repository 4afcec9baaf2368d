// The editor's exported functions: the PcbApi family the module calls, of exactly the contract's
// types, and the control functions of GorvathControl.h for the stand-in host. Every export counts
// itself, refuses null pointers, catches every exception at the boundary and, when tracing is on,
// reports itself as one line.
#include <algorithm>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <string>
#include <type_traits>

#include "bindings/PcbApiContract.h"
#include "host/editor/Document.h"
#include "host/editor/DocumentFormat.h"
#include "host/editor/GorvathControl.h"

using namespace gorvath;
using qv::ByteBlock;
using qv::QueryMode;
using qv::ShortString;
using qv::Status;
using qv::String255;

namespace {

constexpr Status kOk = 0;
constexpr Status kNoObject = 1;     // unknown or stale handle, or an object of another kind
constexpr Status kBadArgument = 2;  // null pointer, unknown mode, index or layer out of range

Editor& TheEditor() {
  static Editor editor;
  return editor;
}

struct State {
  uint64_t calls = 0;
  Gorvath_TraceSink sink = nullptr;
  void* sinkContext = nullptr;
  std::string lastError;
  std::string text;  // the last text handed out
} state;

// ---- Tracing ----


template <class T>
void Put(std::string& out, const T& v) {
  if constexpr (std::is_pointer_v<T>) {
    using P = std::remove_cv_t<std::remove_pointer_t<T>>;
    if (v == nullptr) {
      out += "null";
    } else if constexpr (std::is_same_v<P, char>) {
      out += '"';
      out += v;
      out += '"';
    } else if constexpr (requires { v->View(); }) {
      PutText(out, v->View());
    } else if constexpr (requires { v->Bytes; }) {
      static constexpr char hex[] = "0123456789abcdef";
      for (uint8_t b : v->Bytes) {
        out += hex[b >> 4];
        out += hex[b & 15];
      }
    } else if constexpr (std::is_arithmetic_v<P>) {
      out += '*';
      Put(out, *v);
    } else {
      out += "ptr";
    }
  } else if constexpr (std::is_same_v<T, uint8_t>) {
    out += std::to_string(unsigned(v));
  } else if constexpr (std::is_arithmetic_v<T>) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, ec == std::errc() ? end : buffer);
  }
}

template <class R, class... A>
void Trace(const char* name, const R* result, const A&... args) {
  std::string line = name;
  line += '(';
  bool first = true;
  ((line += first ? "" : ", ", first = false, Put(line, args)), ...);
  line += ')';
  if (result) {
    line += " = ";
    Put(line, *result);
  }
  state.sink(line.c_str(), state.sinkContext);
}

template <class T>
bool NotNull(const T& v) {
  if constexpr (std::is_pointer_v<T>)
    return v != nullptr;
  else
    return true;
}

// Runs one editor call: counted, guarded against null pointers and exceptions, traced.
template <class R, class Body, class... A>
R Call(const char* name, R failure, Body body, A... args) {
  ++state.calls;
  R result = failure;
  if ((NotNull(args) && ...)) {
    try {
      result = body();
    } catch (...) {
      result = failure;
    }
  }
  if (state.sink) Trace(name, &result, args...);
  return result;
}

template <class Body, class... A>
void CallVoid(const char* name, Body body, A... args) {
  ++state.calls;
  if ((NotNull(args) && ...)) {
    try {
      body();
    } catch (...) {
    }
  }
  if (state.sink) Trace<int>(name, nullptr, args...);
}

// ---- Field exchange ----

bool ValidMode(QueryMode mode) {
  return mode == qv::qmSet || mode == qv::qmGet || mode == qv::qmUpdate;
}

template <class T>
void Ex(bool get, T* p, T& field) {
  if (get)
    *p = field;
  else
    field = *p;
}
template <std::size_t N, std::size_t M>
void Ex(bool get, ShortString<N>* p, Text<M>& field) {
  if (get)
    p->Assign(field.value);
  else
    field.value = std::string(p->View().substr(0, M));
}
void Ex(bool get, ByteBlock<kPrinterFieldSize>* p, Bytes<kPrinterFieldSize>& field) {
  if (get)
    std::memcpy(p->Bytes, field.data(), field.size());
  else
    std::memcpy(field.data(), p->Bytes, field.size());
}

template <class T>
T* FindKind(ObjectHandle handle, ObjectId kind) {
  Object* o = TheEditor().FindObject(handle);
  if (!o || o->kind != kind) return nullptr;
  return static_cast<T*>(o);
}

Document* Board(ObjectHandle handle) {
  return TheEditor().FindBoard(handle);
}

bool ValidLayer(LayerId layer) {
  return layer <= kLastLayer;
}

// A net an object may name: none, or a net of the object's own document.
bool ValidNet(const Object& o, ObjectHandle net) {
  if (net == 0) return true;
  const Object* n = TheEditor().FindObject(net);
  return n && n->kind == kNet && (!o.document || n->document == o.document);
}

ObjectHandle ComponentOf(const Object& o) {
  return o.owner ? o.owner->handle : 0;
}

// Reads a record, lets `exchange` move the fields, and on a write applies the result at once.
template <class O, class F>
Status Record(QueryMode mode, ObjectHandle handle, ObjectId kind, F exchange) {
  if (!ValidMode(mode)) return kBadArgument;
  O* o = FindKind<O>(handle, kind);
  if (!o && kind == kPolygon) o = FindKind<O>(handle, kBoardOutline);
  if (!o) return kNoObject;
  bool get = mode == qv::qmGet;
  CommonRecord c;
  auto r = o->rec;
  ReadView(*o, c, r);
  ObjectHandle net = o->net;
  exchange(get, c, r, net, *o);
  if (get) return kOk;
  if (!ValidLayer(c.Layer) || !ValidNet(*o, net)) return kBadArgument;
  WriteView(*o, c, r);
  o->net = net;
  return kOk;
}

// Applies `f` to the object with its record type, for the queries common to every kind.
template <class F>
Status WithObject(Object& o, F f) {
  switch (o.kind) {
    case kArc:
      return f(static_cast<ArcObject&>(o));
    case kPad:
      return f(static_cast<PadObject&>(o));
    case kVia:
      return f(static_cast<ViaObject&>(o));
    case kTrack:
      return f(static_cast<TrackObject&>(o));
    case kText:
      return f(static_cast<TextObject&>(o));
    case kFill:
      return f(static_cast<FillObject&>(o));
    case kFromTo:
      return f(static_cast<FromToObject&>(o));
    case kNet:
      return f(static_cast<NetObject&>(o));
    case kPolygon:
    case kBoardOutline:
      return f(static_cast<PolygonObject&>(o));
    case kDimension:
      return f(static_cast<DimensionObject&>(o));
    case kCoordinate:
      return f(static_cast<CoordinateObject&>(o));
    case kClass:
      return f(static_cast<ClassObject&>(o));
    case kRule:
      return f(static_cast<RuleObject&>(o));
    case kManualFromTo:
      return f(static_cast<ManualFromToObject&>(o));
    default:
      return kNoObject;
  }
}

// Exchanges a part of the common record that needs no geometry: the bit fields.
template <class T>
void BitField(QueryMode mode, ObjectHandle handle, T* value, T CommonRecord::*member) {
  if (!ValidMode(mode)) return;
  Object* o = TheEditor().FindObject(handle);
  if (!o) return;
  Ex(mode == qv::qmGet, value, o->common.*member);
  if (mode != qv::qmGet && o->document) ++o->document->changes;
}

// The extent of an object on the board.
struct Box {
  int64_t x1 = INT64_MAX, y1 = INT64_MAX, x2 = INT64_MIN, y2 = INT64_MIN;
  void Add(int64_t x, int64_t y, int64_t margin = 0) {
    x1 = std::min(x1, x - margin);
    y1 = std::min(y1, y - margin);
    x2 = std::max(x2, x + margin);
    y2 = std::max(y2, y + margin);
  }
  bool Empty() const { return x1 > x2; }
};

void Extent(const Object& o, Box& box) {
  CommonRecord c;
  switch (o.kind) {
    case kArc: {
      ArcRecord r;
      ReadView(static_cast<const ArcObject&>(o), c, r);
      box.Add(c.X, c.Y, int64_t(r.Radius) + r.LineWidth / 2);
      return;
    }
    case kPad: {
      PadRecord r;
      ReadView(static_cast<const PadObject&>(o), c, r);
      int64_t half =
          std::max({r.TopXSize, r.TopYSize, r.MidXSize, r.MidYSize, r.BottomXSize, r.BottomYSize}) /
          2;
      box.Add(c.X, c.Y, half + half / 2);  // covers the turned pad's corners
      return;
    }
    case kVia: {
      ViaRecord r;
      ReadView(static_cast<const ViaObject&>(o), c, r);
      box.Add(c.X, c.Y, r.Size / 2);
      return;
    }
    case kTrack: {
      TrackRecord r;
      ReadView(static_cast<const TrackObject&>(o), c, r);
      box.Add(c.X, c.Y, r.Width / 2);
      box.Add(r.X2, r.Y2, r.Width / 2);
      return;
    }
    case kText: {
      TextRecord r;
      ReadView(static_cast<const TextObject&>(o), c, r);
      int64_t length = int64_t(r.Size) * static_cast<int64_t>(r.String.value.size());
      box.Add(c.X, c.Y, std::max<int64_t>(length, r.Size));
      return;
    }
    case kFill: {
      FillRecord r;
      ReadView(static_cast<const FillObject&>(o), c, r);
      int64_t cx = (int64_t(c.X) + r.X2) / 2, cy = (int64_t(c.Y) + r.Y2) / 2;
      int64_t dx = std::abs(int64_t(r.X2) - c.X), dy = std::abs(int64_t(r.Y2) - c.Y);
      box.Add(cx, cy, (dx + dy) / 2);
      return;
    }
    case kComponent: {
      const auto& comp = static_cast<const ComponentObject&>(o);
      Box inner;
      for (const auto& list : comp.primitives)
        for (const Object* p : list) Extent(*p, inner);
      if (inner.Empty()) inner.Add(o.common.X, o.common.Y);
      box.Add(inner.x1, inner.y1);
      box.Add(inner.x2, inner.y2);
      return;
    }
    case kNet:
    case kClass:
    case kRule:
    case kManualFromTo:
      return;
    case kFromTo: {
      const auto& r = static_cast<const FromToObject&>(o).rec;
      box.Add(o.common.X, o.common.Y);
      box.Add(r.X2, r.Y2);
      return;
    }
    default:
      box.Add(o.common.X, o.common.Y);
      return;
  }
}

Coord Clamp(int64_t v) {
  return static_cast<Coord>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

// ---- Documents, objects, iterators ----

extern "C" QV_EXPORT ObjectHandle QV_STDCALL PcbApi_GetCurrentBoardHandle() {
  return Call("PcbApi_GetCurrentBoardHandle", ObjectHandle{0}, [] {
    Document* d = TheEditor().Current();
    return d ? d->handle : ObjectHandle{0};
  });
}

extern "C" QV_EXPORT ObjectHandle QV_STDCALL PcbApi_CreateObject(ObjectId kind) {
  return Call(
      "PcbApi_CreateObject", ObjectHandle{0},
      [&] {
        Object* o = TheEditor().CreateObject(kind);
        return o ? o->handle : ObjectHandle{0};
      },
      kind);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_AddObjectToContainer(ObjectHandle container,
                                                                   ObjectHandle object) {
  return Call(
      "PcbApi_AddObjectToContainer", kNoObject,
      [&] {
        Object* o = TheEditor().FindObject(object);
        if (!o) return kNoObject;
        if (Document* d = Board(container)) {
          if (!d->Add(*o)) return kBadArgument;
        } else if (auto* c = FindKind<ComponentObject>(container, kComponent)) {
          if (!AddToComponent(*c, *o)) return kBadArgument;
        } else {
          return kNoObject;
        }
        if (!ValidNet(*o, o->net)) o->net = 0;  // a net of another document does not come along
        return kOk;
      },
      container, object);
}

extern "C" QV_EXPORT ObjectId QV_STDCALL PcbApi_GetObjectIdFromObjectHandle(ObjectHandle object) {
  return Call(
      "PcbApi_GetObjectIdFromObjectHandle", ObjectId{0},
      [&] {
        Object* o = TheEditor().FindObject(object);
        return o ? o->kind : ObjectId{0};
      },
      object);
}

extern "C" QV_EXPORT ObjectHandle QV_STDCALL PcbApi_CreateIterator(ObjectHandle container,
                                                                   ObjectId kind, uint8_t method,
                                                                   LayerId layer) {
  return Call(
      "PcbApi_CreateIterator", ObjectHandle{0},
      [&] {
        Editor& e = TheEditor();
        if (layer > kLastLayer) return ObjectHandle{0};
        if (Document* d = e.FindBoard(container)) return e.CreateIterator(d->Select(kind, layer));
        auto* c = FindKind<ComponentObject>(container, kComponent);
        if (!c) return ObjectHandle{0};
        std::vector<ObjectHandle> items;
        if (IsPrimitiveKind(kind))
          for (const Object* p : c->primitives[kind])
            if (layer == 0 || BoardLayer(*p) == layer) items.push_back(p->handle);
        return e.CreateIterator(std::move(items));
      },
      container, kind, method, layer);
}

extern "C" QV_EXPORT ObjectHandle QV_STDCALL PcbApi_GetFirstObject(ObjectHandle iterator) {
  return Call(
      "PcbApi_GetFirstObject", ObjectHandle{0},
      [&] {
        auto* it = TheEditor().Find<Iterator>(iterator);
        return it ? it->First(TheEditor()) : ObjectHandle{0};
      },
      iterator);
}

extern "C" QV_EXPORT ObjectHandle QV_STDCALL PcbApi_GetNextObject(ObjectHandle iterator) {
  return Call(
      "PcbApi_GetNextObject", ObjectHandle{0},
      [&] {
        auto* it = TheEditor().Find<Iterator>(iterator);
        return it ? it->Next(TheEditor()) : ObjectHandle{0};
      },
      iterator);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_DestroyIterator(ObjectHandle iterator) {
  return Call(
      "PcbApi_DestroyIterator", kNoObject,
      [&] { return TheEditor().DestroyIterator(iterator) ? kOk : kNoObject; }, iterator);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryObjectBoundingRectangle(ObjectHandle object,
                                                                           Coord* x1, Coord* y1,
                                                                           Coord* x2, Coord* y2) {
  return Call(
      "PcbApi_QueryObjectBoundingRectangle", kBadArgument,
      [&] {
        Box box;
        if (Document* d = Board(object)) {
          for (const Object* o : d->Objects()) Extent(*o, box);
        } else if (Object* o = TheEditor().FindObject(object)) {
          Extent(*o, box);
        } else {
          return kNoObject;
        }
        if (box.Empty()) box.Add(0, 0);
        *x1 = Clamp(box.x1);
        *y1 = Clamp(box.y1);
        *x2 = Clamp(box.x2);
        *y2 = Clamp(box.y2);
        return kOk;
      },
      object, x1, y1, x2, y2);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryObjectImport_FromUser(ObjectHandle object) {
  return Call(
      "PcbApi_QueryObjectImport_FromUser", kNoObject,
      [&] {
        // Headless: nothing to ask the user, so the object stays as it is.
        return TheEditor().FindObject(object) ? kOk : kNoObject;
      },
      object);
}

extern "C" QV_EXPORT Status QV_STDCALL
PcbApi_QueryObjectGraphicallyInvalidate(ObjectHandle object) {
  return Call(
      "PcbApi_QueryObjectGraphicallyInvalidate", kNoObject,
      [&] { return TheEditor().FindObject(object) ? kOk : kNoObject; }, object);
}

extern "C" QV_EXPORT void QV_STDCALL PcbApi_GetObjectBitField2(QueryMode mode, ObjectHandle object,
                                                               uint8_t* bitField2) {
  CallVoid(
      "PcbApi_GetObjectBitField2",
      [&] { BitField(mode, object, bitField2, &CommonRecord::BitField2); }, mode, object,
      bitField2);
}

extern "C" QV_EXPORT void QV_STDCALL PcbApi_GetObjectBitField3(QueryMode mode, ObjectHandle object,
                                                               uint16_t* bitField3) {
  CallVoid(
      "PcbApi_GetObjectBitField3",
      [&] { BitField(mode, object, bitField3, &CommonRecord::BitField3); }, mode, object,
      bitField3);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryPrimitive(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, ObjectHandle* componentHandle, uint8_t* commonByte) {
  return Call(
      "PcbApi_QueryPrimitive", kBadArgument,
      [&] {
        if (!ValidMode(mode)) return kBadArgument;
        Object* o = TheEditor().FindObject(object);
        if (!o) return kNoObject;
        bool get = mode == qv::qmGet;
        auto exchange = [&](CommonRecord& c, ObjectHandle& net) {
          Ex(get, flags, c.Flags);
          Ex(get, commonWord, c.CommonWord);
          Ex(get, layer, c.Layer);
          Ex(get, netHandle, net);
          ObjectHandle component = ComponentOf(*o);
          Ex(get, componentHandle, component);  // the owner is not changed through a record
          Ex(get, commonByte, c.CommonByte);
        };
        if (o->kind == kComponent) {
          auto& comp = static_cast<ComponentObject&>(*o);
          CommonRecord c;
          ComponentRecord r;
          ReadComponent(comp, c, r);
          ObjectHandle net = 0;
          exchange(c, net);
          if (get) return kOk;
          if (!ValidLayer(c.Layer)) return kBadArgument;
          WriteComponent(comp, c, r);
          return kOk;
        }
        return WithObject(*o, [&](auto& typed) {
          CommonRecord c;
          auto r = typed.rec;
          ReadView(typed, c, r);
          ObjectHandle net = typed.net;
          exchange(c, net);
          if (get) return kOk;
          if (!ValidLayer(c.Layer) || !ValidNet(typed, net)) return kBadArgument;
          WriteView(typed, c, r);
          typed.net = net;
          return kOk;
        });
      },
      mode, object, flags, commonWord, layer, netHandle, componentHandle, commonByte);
}

// ---- Primitives ----

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryArc(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, uint8_t* commonByte, ObjectHandle* componentHandle, Coord* x, Coord* y,
    Coord* radius, double* startAngle, double* endAngle, Coord* lineWidth, int32_t* link1) {
  return Call(
      "PcbApi_QueryArc", kBadArgument,
      [&] {
        return Record<ArcObject>(
            mode, object, kArc,
            [&](bool get, CommonRecord& c, ArcRecord& r, ObjectHandle& net, const Object& o) {
              ObjectHandle component = ComponentOf(o);
              Ex(get, flags, c.Flags), Ex(get, commonWord, c.CommonWord), Ex(get, layer, c.Layer);
              Ex(get, netHandle, net), Ex(get, commonByte, c.CommonByte);
              Ex(get, componentHandle, component), Ex(get, x, c.X), Ex(get, y, c.Y);
              Ex(get, radius, r.Radius), Ex(get, startAngle, r.StartAngle);
              Ex(get, endAngle, r.EndAngle), Ex(get, lineWidth, r.LineWidth),
                  Ex(get, link1, r.Link1);
            });
      },
      mode, object, flags, commonWord, layer, netHandle, commonByte, componentHandle, x, y, radius,
      startAngle, endAngle, lineWidth, link1);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryPad(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, uint8_t* commonByte, ObjectHandle* componentHandle, Coord* x, Coord* y,
    Coord* topXSize, Coord* topYSize, Coord* midXSize, Coord* midYSize, Coord* bottomXSize,
    Coord* bottomYSize, Coord* holeSize, uint8_t* topShape, uint8_t* midShape, uint8_t* bottomShape,
    ShortString<20>* name, uint8_t* padByte1, uint8_t* padByte2, double* rotation) {
  return Call(
      "PcbApi_QueryPad", kBadArgument,
      [&] {
        return Record<PadObject>(
            mode, object, kPad,
            [&](bool get, CommonRecord& c, PadRecord& r, ObjectHandle& net, const Object& o) {
              ObjectHandle component = ComponentOf(o);
              Ex(get, flags, c.Flags), Ex(get, commonWord, c.CommonWord), Ex(get, layer, c.Layer);
              Ex(get, netHandle, net), Ex(get, commonByte, c.CommonByte);
              Ex(get, componentHandle, component), Ex(get, x, c.X), Ex(get, y, c.Y);
              Ex(get, topXSize, r.TopXSize), Ex(get, topYSize, r.TopYSize);
              Ex(get, midXSize, r.MidXSize), Ex(get, midYSize, r.MidYSize);
              Ex(get, bottomXSize, r.BottomXSize), Ex(get, bottomYSize, r.BottomYSize);
              Ex(get, holeSize, r.HoleSize), Ex(get, topShape, r.TopShape);
              Ex(get, midShape, r.MidShape), Ex(get, bottomShape, r.BottomShape);
              Ex(get, name, r.Name), Ex(get, padByte1, r.PadByte1), Ex(get, padByte2, r.PadByte2);
              Ex(get, rotation, r.Rotation);
            });
      },
      mode, object, flags, commonWord, layer, netHandle, commonByte, componentHandle, x, y,
      topXSize, topYSize, midXSize, midYSize, bottomXSize, bottomYSize, holeSize, topShape,
      midShape, bottomShape, name, padByte1, padByte2, rotation);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryVia(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, uint8_t* commonByte, ObjectHandle* componentHandle, Coord* x, Coord* y,
    Coord* size, Coord* holeSize, LayerId* lowLayer, LayerId* highLayer) {
  return Call(
      "PcbApi_QueryVia", kBadArgument,
      [&] {
        if (mode != qv::qmGet && (!ValidLayer(*lowLayer) || !ValidLayer(*highLayer)))
          return kBadArgument;
        return Record<ViaObject>(
            mode, object, kVia,
            [&](bool get, CommonRecord& c, ViaRecord& r, ObjectHandle& net, const Object& o) {
              ObjectHandle component = ComponentOf(o);
              Ex(get, flags, c.Flags), Ex(get, commonWord, c.CommonWord), Ex(get, layer, c.Layer);
              Ex(get, netHandle, net), Ex(get, commonByte, c.CommonByte);
              Ex(get, componentHandle, component), Ex(get, x, c.X), Ex(get, y, c.Y);
              Ex(get, size, r.Size), Ex(get, holeSize, r.HoleSize), Ex(get, lowLayer, r.LowLayer);
              Ex(get, highLayer, r.HighLayer);
            });
      },
      mode, object, flags, commonWord, layer, netHandle, commonByte, componentHandle, x, y, size,
      holeSize, lowLayer, highLayer);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryTrack(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, uint8_t* commonByte, ObjectHandle* componentHandle, Coord* x, Coord* y,
    Coord* x2, Coord* y2, Coord* width, int32_t* link1, int32_t* link2, int32_t* link3) {
  return Call(
      "PcbApi_QueryTrack", kBadArgument,
      [&] {
        return Record<TrackObject>(
            mode, object, kTrack,
            [&](bool get, CommonRecord& c, TrackRecord& r, ObjectHandle& net, const Object& o) {
              ObjectHandle component = ComponentOf(o);
              Ex(get, flags, c.Flags), Ex(get, commonWord, c.CommonWord), Ex(get, layer, c.Layer);
              Ex(get, netHandle, net), Ex(get, commonByte, c.CommonByte);
              Ex(get, componentHandle, component), Ex(get, x, c.X), Ex(get, y, c.Y);
              Ex(get, x2, r.X2), Ex(get, y2, r.Y2), Ex(get, width, r.Width),
                  Ex(get, link1, r.Link1);
              Ex(get, link2, r.Link2), Ex(get, link3, r.Link3);
            });
      },
      mode, object, flags, commonWord, layer, netHandle, commonByte, componentHandle, x, y, x2, y2,
      width, link1, link2, link3);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryText(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, uint8_t* commonByte, ObjectHandle* componentHandle, Coord* x, Coord* y,
    Coord* size, int32_t* font, double* rotation, uint8_t* mirrored, ShortString<254>* text,
    Coord* lineWidth, int32_t* link2, int32_t* link3) {
  return Call(
      "PcbApi_QueryText", kBadArgument,
      [&] {
        return Record<TextObject>(
            mode, object, kText,
            [&](bool get, CommonRecord& c, TextRecord& r, ObjectHandle& net, const Object& o) {
              ObjectHandle component = ComponentOf(o);
              Ex(get, flags, c.Flags), Ex(get, commonWord, c.CommonWord), Ex(get, layer, c.Layer);
              Ex(get, netHandle, net), Ex(get, commonByte, c.CommonByte);
              Ex(get, componentHandle, component), Ex(get, x, c.X), Ex(get, y, c.Y);
              Ex(get, size, r.Size), Ex(get, font, r.Font), Ex(get, rotation, r.Rotation);
              Ex(get, mirrored, r.Mirrored), Ex(get, text, r.String),
                  Ex(get, lineWidth, r.LineWidth);
              Ex(get, link2, r.Link2), Ex(get, link3, r.Link3);
            });
      },
      mode, object, flags, commonWord, layer, netHandle, commonByte, componentHandle, x, y, size,
      font, rotation, mirrored, text, lineWidth, link2, link3);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryFill(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, uint8_t* commonByte, ObjectHandle* componentHandle, Coord* x, Coord* y,
    Coord* x2, Coord* y2, int32_t* link1, double* rotation) {
  return Call(
      "PcbApi_QueryFill", kBadArgument,
      [&] {
        return Record<FillObject>(
            mode, object, kFill,
            [&](bool get, CommonRecord& c, FillRecord& r, ObjectHandle& net, const Object& o) {
              ObjectHandle component = ComponentOf(o);
              Ex(get, flags, c.Flags), Ex(get, commonWord, c.CommonWord), Ex(get, layer, c.Layer);
              Ex(get, netHandle, net), Ex(get, commonByte, c.CommonByte);
              Ex(get, componentHandle, component), Ex(get, x, c.X), Ex(get, y, c.Y);
              Ex(get, x2, r.X2), Ex(get, y2, r.Y2), Ex(get, link1, r.Link1);
              Ex(get, rotation, r.Rotation);
            });
      },
      mode, object, flags, commonWord, layer, netHandle, commonByte, componentHandle, x, y, x2, y2,
      link1, rotation);
}

// ---- Pad stack ----

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryPadStackMode(QueryMode mode, ObjectHandle pad,
                                                                uint8_t* stackMode) {
  return Call(
      "PcbApi_QueryPadStackMode", kBadArgument,
      [&] {
        if (!ValidMode(mode)) return kBadArgument;
        auto* p = FindKind<PadObject>(pad, kPad);
        if (!p) return kNoObject;
        Ex(mode == qv::qmGet, stackMode, p->rec.StackMode);
        if (mode != qv::qmGet && p->document) ++p->document->changes;
        return kOk;
      },
      mode, pad, stackMode);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryPadOrViaShapeOnLayer(ObjectHandle object,
                                                                        LayerId layer,
                                                                        uint8_t* shape) {
  return Call(
      "PcbApi_QueryPadOrViaShapeOnLayer", kBadArgument,
      [&] {
        if (!ValidLayer(layer)) return kBadArgument;
        if (auto* p = FindKind<PadObject>(object, kPad)) {
          *shape = PadOnLayer(*p, layer).Shape;
          return kOk;
        }
        if (FindKind<ViaObject>(object, kVia)) {
          *shape = 1;  // a via is round on every layer
          return kOk;
        }
        return kNoObject;
      },
      object, layer, shape);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryPadOrViaSizeOnLayer(ObjectHandle object,
                                                                       LayerId layer, Coord* xSize,
                                                                       Coord* ySize) {
  return Call(
      "PcbApi_QueryPadOrViaSizeOnLayer", kBadArgument,
      [&] {
        if (!ValidLayer(layer)) return kBadArgument;
        if (auto* p = FindKind<PadObject>(object, kPad)) {
          PadLayer e = PadOnLayer(*p, layer);
          *xSize = e.XSize;
          *ySize = e.YSize;
          return kOk;
        }
        if (auto* v = FindKind<ViaObject>(object, kVia)) {
          *xSize = *ySize = v->rec.Size;
          return kOk;
        }
        return kNoObject;
      },
      object, layer, xSize, ySize);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_SetPadShapeOnLayer(ObjectHandle pad, LayerId layer,
                                                                 uint8_t shape) {
  return Call(
      "PcbApi_SetPadShapeOnLayer", kBadArgument,
      [&] {
        if (!ValidLayer(layer)) return kBadArgument;
        auto* p = FindKind<PadObject>(pad, kPad);
        if (!p) return kNoObject;
        PadLayer e = PadOnLayer(*p, layer);
        e.Shape = shape;
        SetPadOnLayer(*p, layer, e);
        return kOk;
      },
      pad, layer, shape);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_SetPadSizeOnLayer(ObjectHandle pad, LayerId layer,
                                                                Coord xSize, Coord ySize) {
  return Call(
      "PcbApi_SetPadSizeOnLayer", kBadArgument,
      [&] {
        if (!ValidLayer(layer)) return kBadArgument;
        auto* p = FindKind<PadObject>(pad, kPad);
        if (!p) return kNoObject;
        PadLayer e = PadOnLayer(*p, layer);
        e.XSize = xSize;
        e.YSize = ySize;
        SetPadOnLayer(*p, layer, e);
        return kOk;
      },
      pad, layer, xSize, ySize);
}

// ---- Coordinates, dimensions, polygons ----

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryCoordinate(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, uint8_t* commonByte,
    Coord* x, Coord* y, LayerId* layer, int32_t* field1, int32_t* field2, int32_t* field3,
    int32_t* field4, int32_t* field5, int32_t* field6) {
  return Call(
      "PcbApi_QueryCoordinate", kBadArgument,
      [&] {
        return Record<CoordinateObject>(
            mode, object, kCoordinate,
            [&](bool get, CommonRecord& c, CoordinateRecord& r, ObjectHandle&, const Object&) {
              Ex(get, flags, c.Flags), Ex(get, commonWord, c.CommonWord);
              Ex(get, commonByte, c.CommonByte), Ex(get, x, c.X), Ex(get, y, c.Y);
              Ex(get, layer, c.Layer);
              int32_t* fields[] = {field1, field2, field3, field4, field5, field6};
              for (int i = 0; i < 6; ++i) Ex(get, fields[i], r.Values[i]);
            });
      },
      mode, object, flags, commonWord, commonByte, x, y, layer, field1, field2, field3, field4,
      field5, field6);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryDimension(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, uint8_t* commonByte,
    Coord* x, Coord* y, int32_t* dimValue1, int32_t* dimValue2, LayerId* layer, int32_t* dimValue3,
    int32_t* dimValue4, int32_t* dimValue5, int32_t* dimValue6, int32_t* dimValue7,
    uint8_t* dimValue8) {
  return Call(
      "PcbApi_QueryDimension", kBadArgument,
      [&] {
        return Record<DimensionObject>(
            mode, object, kDimension,
            [&](bool get, CommonRecord& c, DimensionRecord& r, ObjectHandle&, const Object&) {
              Ex(get, flags, c.Flags), Ex(get, commonWord, c.CommonWord);
              Ex(get, commonByte, c.CommonByte), Ex(get, x, c.X), Ex(get, y, c.Y);
              Ex(get, dimValue1, r.DimValues[0]), Ex(get, dimValue2, r.DimValues[1]);
              Ex(get, layer, c.Layer);
              Ex(get, dimValue3, r.DimValues[2]), Ex(get, dimValue4, r.DimValues[3]);
              Ex(get, dimValue5, r.DimValues[4]), Ex(get, dimValue6, r.DimValues[5]);
              Ex(get, dimValue7, r.DimValues[6]), Ex(get, dimValue8, r.DimValue8);
            });
      },
      mode, object, flags, commonWord, commonByte, x, y, dimValue1, dimValue2, layer, dimValue3,
      dimValue4, dimValue5, dimValue6, dimValue7, dimValue8);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryExtDimension(
    QueryMode mode, ObjectHandle object, uint8_t* ext1, int32_t* ext2, int32_t* ext3, int32_t* ext4,
    uint8_t* ext5, int32_t* ext6, String255* ext7, uint8_t* ext8, int32_t* ext9, String255* ext10,
    String255* ext11, double* ext12, int32_t* ext13, int32_t* ext14, int32_t* ext15, uint8_t* ext16,
    int32_t* ext17, int32_t* ext18, int32_t* ext19) {
  return Call(
      "PcbApi_QueryExtDimension", kBadArgument,
      [&] {
        return Record<DimensionObject>(
            mode, object, kDimension,
            [&](bool get, CommonRecord&, DimensionRecord& r, ObjectHandle&, const Object&) {
              Ex(get, ext1, r.Ext1), Ex(get, ext2, r.Ext2), Ex(get, ext3, r.Ext3);
              Ex(get, ext4, r.Ext4), Ex(get, ext5, r.Ext5), Ex(get, ext6, r.Ext6);
              Ex(get, ext7, r.Ext7), Ex(get, ext8, r.Ext8), Ex(get, ext9, r.Ext9);
              Ex(get, ext10, r.Ext10), Ex(get, ext11, r.Ext11), Ex(get, ext12, r.Ext12);
              Ex(get, ext13, r.Ext13), Ex(get, ext14, r.Ext14), Ex(get, ext15, r.Ext15);
              Ex(get, ext16, r.Ext16), Ex(get, ext17, r.Ext17), Ex(get, ext18, r.Ext18);
              Ex(get, ext19, r.Ext19);
            });
      },
      mode, object, ext1, ext2, ext3, ext4, ext5, ext6, ext7, ext8, ext9, ext10, ext11, ext12,
      ext13, ext14, ext15, ext16, ext17, ext18, ext19);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_References_Count(ObjectHandle dimension,
                                                               int32_t* count) {
  return Call(
      "PcbApi_References_Count", kBadArgument,
      [&] {
        auto* d = FindKind<DimensionObject>(dimension, kDimension);
        if (!d) return kNoObject;
        *count = static_cast<int32_t>(d->rec.References.size());
        return kOk;
      },
      dimension, count);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_References_At(QueryMode mode, ObjectHandle dimension,
                                                            int32_t index, int32_t* ref1,
                                                            int32_t* ref2, int32_t* ref3,
                                                            int32_t* ref4) {
  return Call(
      "PcbApi_References_At", kBadArgument,
      [&] {
        if (!ValidMode(mode)) return kBadArgument;
        auto* d = FindKind<DimensionObject>(dimension, kDimension);
        if (!d) return kNoObject;
        auto& refs = d->rec.References;
        bool get = mode == qv::qmGet;
        // A write one past the end adds a reference, up to the 200 a dimension holds.
        if (index < 0 || index > static_cast<int32_t>(refs.size()) ||
            (index == static_cast<int32_t>(refs.size()) && (get || refs.size() >= 200)))
          return kBadArgument;
        if (index == static_cast<int32_t>(refs.size())) refs.push_back({});
        auto& r = refs[static_cast<std::size_t>(index)];
        Ex(get, ref1, r[0]), Ex(get, ref2, r[1]), Ex(get, ref3, r[2]), Ex(get, ref4, r[3]);
        if (!get && d->document) ++d->document->changes;
        return kOk;
      },
      mode, dimension, index, ref1, ref2, ref3, ref4);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryPolygon(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, uint8_t* commonByte, uint8_t* field2, uint8_t* field3, uint8_t* field4,
    int32_t* field5, int32_t* field6, uint8_t* field10, uint16_t* field11, int32_t* field7,
    uint8_t* field1, int32_t* field8, int32_t* field9) {
  return Call(
      "PcbApi_QueryPolygon", kBadArgument,
      [&] {
        return Record<PolygonObject>(
            mode, object, kPolygon,
            [&](bool get, CommonRecord& c, PolygonRecord& r, ObjectHandle& net, const Object&) {
              Ex(get, flags, c.Flags), Ex(get, commonWord, c.CommonWord), Ex(get, layer, c.Layer);
              Ex(get, netHandle, net), Ex(get, commonByte, c.CommonByte);
              Ex(get, field2, r.Field2), Ex(get, field3, r.Field3), Ex(get, field4, r.Field4);
              Ex(get, field5, r.Field5), Ex(get, field6, r.Field6), Ex(get, field10, r.Field10);
              Ex(get, field11, r.Field11), Ex(get, field7, r.Field7), Ex(get, field1, r.Field1);
              Ex(get, field8, r.Field8), Ex(get, field9, r.Field9);
            });
      },
      mode, object, flags, commonWord, layer, netHandle, commonByte, field2, field3, field4, field5,
      field6, field10, field11, field7, field1, field8, field9);
}

// ---- Nets, classes, rules, from-tos ----

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryFromTo(QueryMode mode, ObjectHandle object,
                                                          uint16_t* commonWord, Coord* x, Coord* y,
                                                          LayerId* fromLayer, Coord* x2, Coord* y2,
                                                          LayerId* toLayer,
                                                          ObjectHandle* netHandle) {
  return Call(
      "PcbApi_QueryFromTo", kBadArgument,
      [&] {
        if (mode != qv::qmGet && (!ValidLayer(*fromLayer) || !ValidLayer(*toLayer)))
          return kBadArgument;
        return Record<FromToObject>(
            mode, object, kFromTo,
            [&](bool get, CommonRecord& c, FromToRecord& r, ObjectHandle& net, const Object&) {
              Ex(get, commonWord, c.CommonWord), Ex(get, x, c.X), Ex(get, y, c.Y);
              Ex(get, fromLayer, r.FromLayer), Ex(get, x2, r.X2), Ex(get, y2, r.Y2);
              Ex(get, toLayer, r.ToLayer), Ex(get, netHandle, net);
            });
      },
      mode, object, commonWord, x, y, fromLayer, x2, y2, toLayer, netHandle);
}

extern "C" QV_EXPORT Status QV_STDCALL
PcbApi_QueryManualFromTo(QueryMode mode, ObjectHandle object, uint16_t* commonWord,
                         String255* field1, String255* field2, String255* field3, int32_t* field4) {
  return Call(
      "PcbApi_QueryManualFromTo", kBadArgument,
      [&] {
        return Record<ManualFromToObject>(
            mode, object, kManualFromTo,
            [&](bool get, CommonRecord& c, ManualFromToRecord& r, ObjectHandle&, const Object&) {
              Ex(get, commonWord, c.CommonWord);
              Ex(get, field1, r.Field1), Ex(get, field2, r.Field2);
              Ex(get, field3, r.Field3), Ex(get, field4, r.Field4);
            });
      },
      mode, object, commonWord, field1, field2, field3, field4);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryNet(QueryMode mode, ObjectHandle object,
                                                       uint16_t* commonWord, String255* name,
                                                       uint8_t* netByte1, uint8_t* netByte2) {
  return Call(
      "PcbApi_QueryNet", kBadArgument,
      [&] {
        return Record<NetObject>(
            mode, object, kNet,
            [&](bool get, CommonRecord& c, NetRecord& r, ObjectHandle&, const Object&) {
              Ex(get, commonWord, c.CommonWord), Ex(get, name, r.Name);
              Ex(get, netByte1, r.NetByte1), Ex(get, netByte2, r.NetByte2);
            });
      },
      mode, object, commonWord, name, netByte1, netByte2);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryClass(QueryMode mode, ObjectHandle object,
                                                         uint16_t* commonWord, uint8_t* classByte1,
                                                         uint8_t* classByte2, String255* name) {
  return Call(
      "PcbApi_QueryClass", kBadArgument,
      [&] {
        return Record<ClassObject>(
            mode, object, kClass,
            [&](bool get, CommonRecord& c, ClassRecord& r, ObjectHandle&, const Object&) {
              Ex(get, commonWord, c.CommonWord), Ex(get, classByte1, r.ClassByte1);
              Ex(get, classByte2, r.ClassByte2), Ex(get, name, r.Name);
            });
      },
      mode, object, commonWord, classByte1, classByte2, name);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_AddMemberToClass(ObjectHandle objectClass,
                                                               String255* name) {
  return Call(
      "PcbApi_AddMemberToClass", kBadArgument,
      [&] {
        auto* c = FindKind<ClassObject>(objectClass, kClass);
        if (!c) return kNoObject;
        c->rec.Members.emplace_back(name->View());
        if (c->document) ++c->document->changes;
        return kOk;
      },
      objectClass, name);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_GetMemberFromClassAt(ObjectHandle objectClass,
                                                                   int32_t index, String255* name) {
  return Call(
      "PcbApi_GetMemberFromClassAt", kNoObject,
      [&] {
        auto* c = FindKind<ClassObject>(objectClass, kClass);
        if (!c || index < 0 || index >= static_cast<int32_t>(c->rec.Members.size()))
          return kNoObject;  // 1: no member at the index
        name->Assign(c->rec.Members[static_cast<std::size_t>(index)]);
        return kOk;
      },
      objectClass, index, name);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_RemoveAllMembersFromClass(ObjectHandle objectClass) {
  return Call(
      "PcbApi_RemoveAllMembersFromClass", kNoObject,
      [&] {
        auto* c = FindKind<ClassObject>(objectClass, kClass);
        if (!c) return kNoObject;
        c->rec.Members.clear();
        if (c->document) ++c->document->changes;
        return kOk;
      },
      objectClass);
}

extern "C" QV_EXPORT Status QV_STDCALL
PcbApi_QueryRule(QueryMode mode, ObjectHandle object, uint8_t* f1, uint8_t* f2, uint8_t* f3,
                 uint8_t* f4, uint8_t* f5, uint8_t* f6, uint8_t* f7, String255* f8, String255* f9,
                 String255* f10, String255* f11, uint8_t* f12, uint8_t* f13, int32_t* f14,
                 int32_t* f15, int32_t* f16, int32_t* f17, String255* f18, String255* f19,
                 String255* f20, String255* f21, String255* f22, String255* f23) {
  return Call(
      "PcbApi_QueryRule", kBadArgument,
      [&] {
        return Record<RuleObject>(
            mode, object, kRule,
            [&](bool get, CommonRecord&, RuleRecord& r, ObjectHandle&, const Object&) {
              uint8_t* bytes[] = {f1, f2, f3, f4, f5, f6, f7};
              for (int i = 0; i < 7; ++i) Ex(get, bytes[i], r.Bytes1[i]);
              String255* texts1[] = {f8, f9, f10, f11};
              for (int i = 0; i < 4; ++i) Ex(get, texts1[i], r.Texts1[i]);
              Ex(get, f12, r.Field12), Ex(get, f13, r.Field13);
              int32_t* values[] = {f14, f15, f16, f17};
              for (int i = 0; i < 4; ++i) Ex(get, values[i], r.Values[i]);
              String255* texts2[] = {f18, f19, f20, f21, f22, f23};
              for (int i = 0; i < 6; ++i) Ex(get, texts2[i], r.Texts2[i]);
            });
      },
      mode, object, f1, f2, f3, f4, f5, f6, f7, f8, f9, f10, f11, f12, f13, f14, f15, f16, f17, f18,
      f19, f20, f21, f22, f23);
}

// ---- Components ----

namespace {

template <class F>
Status ComponentRecordQuery(QueryMode mode, ObjectHandle component, F exchange) {
  if (!ValidMode(mode)) return kBadArgument;
  auto* c = FindKind<ComponentObject>(component, kComponent);
  if (!c) return kNoObject;
  bool get = mode == qv::qmGet;
  CommonRecord common;
  ComponentRecord rec;
  ReadComponent(*c, common, rec);
  ObjectHandle nameText = c->nameText, commentText = c->commentText;
  exchange(get, common, rec, nameText, commentText);
  if (get) return kOk;
  auto ownText = [&](ObjectHandle h) {
    if (h == 0) return true;
    const Object* t = TheEditor().FindObject(h);
    return t && t->kind == kText && t->owner == c;
  };
  if (!ValidLayer(common.Layer) || !ownText(nameText) || !ownText(commentText)) return kBadArgument;
  WriteComponent(*c, common, rec);
  c->nameText = nameText;
  c->commentText = commentText;
  return kOk;
}

}  // namespace

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryComponent(
    QueryMode mode, ObjectHandle component, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    uint8_t* commonByte, ObjectHandle* nameHandle, ObjectHandle* commentHandle,
    ShortString<250>* pattern, uint8_t* componentByte1, uint8_t* componentByte2, Coord* x, Coord* y,
    int32_t* componentValue, double* rotation, uint8_t* componentByte3) {
  return Call(
      "PcbApi_QueryComponent", kBadArgument,
      [&] {
        return ComponentRecordQuery(
            mode, component,
            [&](bool get, CommonRecord& c, ComponentRecord& r, ObjectHandle& name,
                ObjectHandle& comment) {
              Ex(get, flags, c.Flags), Ex(get, commonWord, c.CommonWord), Ex(get, layer, c.Layer);
              Ex(get, commonByte, c.CommonByte), Ex(get, nameHandle, name);
              Ex(get, commentHandle, comment), Ex(get, pattern, r.Pattern);
              Ex(get, componentByte1, r.ComponentByte1), Ex(get, componentByte2, r.ComponentByte2);
              Ex(get, x, c.X), Ex(get, y, c.Y), Ex(get, componentValue, r.ComponentValue);
              Ex(get, rotation, r.Rotation), Ex(get, componentByte3, r.ComponentByte3);
            });
      },
      mode, component, flags, commonWord, layer, commonByte, nameHandle, commentHandle, pattern,
      componentByte1, componentByte2, x, y, componentValue, rotation, componentByte3);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryComponentEx(QueryMode mode,
                                                               ObjectHandle component,
                                                               int32_t* exValue1, uint8_t* exByte1,
                                                               uint8_t* exByte2,
                                                               int32_t* exValue2) {
  return Call(
      "PcbApi_QueryComponentEx", kBadArgument,
      [&] {
        return ComponentRecordQuery(
            mode, component,
            [&](bool get, CommonRecord&, ComponentRecord& r, ObjectHandle&, ObjectHandle&) {
              Ex(get, exValue1, r.ExValue1), Ex(get, exByte1, r.ExByte1),
                  Ex(get, exByte2, r.ExByte2);
              Ex(get, exValue2, r.ExValue2);
            });
      },
      mode, component, exValue1, exByte1, exByte2, exValue2);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryComponentSourceLinks(
    QueryMode mode, ObjectHandle component, String255* link1, String255* link2, String255* link3,
    String255* link4, String255* link5, String255* link6, String255* link7) {
  return Call(
      "PcbApi_QueryComponentSourceLinks", kBadArgument,
      [&] {
        return ComponentRecordQuery(
            mode, component,
            [&](bool get, CommonRecord&, ComponentRecord& r, ObjectHandle&, ObjectHandle&) {
              String255* links[] = {link1, link2, link3, link4, link5, link6, link7};
              for (int i = 0; i < 7; ++i) Ex(get, links[i], r.SourceLinks[i]);
            });
      },
      mode, component, link1, link2, link3, link4, link5, link6, link7);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryComponentChannelOffset(QueryMode mode,
                                                                          ObjectHandle component,
                                                                          int32_t* channelOffset) {
  return Call(
      "PcbApi_QueryComponentChannelOffset", kBadArgument,
      [&] {
        return ComponentRecordQuery(
            mode, component,
            [&](bool get, CommonRecord&, ComponentRecord& r, ObjectHandle&, ObjectHandle&) {
              Ex(get, channelOffset, r.ChannelOffset);
            });
      },
      mode, component, channelOffset);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryComponentKind(QueryMode mode,
                                                                 ObjectHandle component,
                                                                 uint8_t* componentKind) {
  return Call(
      "PcbApi_QueryComponentKind", kBadArgument,
      [&] {
        return ComponentRecordQuery(
            mode, component,
            [&](bool get, CommonRecord&, ComponentRecord& r, ObjectHandle&, ObjectHandle&) {
              Ex(get, componentKind, r.ComponentKind);
            });
      },
      mode, component, componentKind);
}

// ---- Boards ----

namespace {

// Finds the board, moves the fields of one of its sub-records, and notes a change on a write.
template <class F>
Status BoardQuery(QueryMode mode, ObjectHandle board, F exchange) {
  if (!ValidMode(mode)) return kBadArgument;
  Document* d = Board(board);
  if (!d) return kNoObject;
  bool get = mode == qv::qmGet;
  Status s = exchange(get, *d);
  if (!get && s == kOk) ++d->changes;
  return s;
}

}  // namespace

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoard(
    QueryMode mode, ObjectHandle board, int32_t* boardValue1, String255* fileName,
    uint8_t* isLibrary, int32_t* boardValue2, int32_t* boardValue3, int32_t* boardValue4,
    int32_t* boardValue5, uint8_t* boardByte1, uint8_t* boardByte2, int32_t* boardValue6) {
  return Call(
      "PcbApi_QueryBoard", kBadArgument,
      [&] {
        return BoardQuery(mode, board, [&](bool get, Document& d) {
          BoardMainRecord& m = d.board.Main;
          Ex(get, boardValue1, m.BoardValue1);
          if (get) {  // the document's file and kind are not changed through a record
            fileName->Assign(d.FileName());
            *isLibrary = d.IsLibrary() ? 1 : 0;
          }
          Ex(get, boardValue2, m.BoardValue2), Ex(get, boardValue3, m.BoardValue3);
          Ex(get, boardValue4, m.BoardValue4), Ex(get, boardValue5, m.BoardValue5);
          Ex(get, boardByte1, m.BoardByte1), Ex(get, boardByte2, m.BoardByte2);
          Ex(get, boardValue6, m.BoardValue6);
          return kOk;
        });
      },
      mode, board, boardValue1, fileName, isLibrary, boardValue2, boardValue3, boardValue4,
      boardValue5, boardByte1, boardByte2, boardValue6);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardGridsEx(
    QueryMode mode, ObjectHandle board, uint8_t* gridByte1, uint8_t* gridByte2, uint8_t* gridByte3,
    uint8_t* gridByte4, double* gridValue1, double* gridValue2, double* gridValue3,
    double* gridValue4, int32_t* gridInteger1, uint8_t* gridByte5, double* gridValue5,
    double* gridValue6, double* gridValue7, double* gridValue8) {
  return Call(
      "PcbApi_QueryBoardGridsEx", kBadArgument,
      [&] {
        return BoardQuery(mode, board, [&](bool get, Document& d) {
          GridsRecord& g = d.board.Grids;
          Ex(get, gridByte1, g.GridByte1), Ex(get, gridByte2, g.GridByte2);
          Ex(get, gridByte3, g.GridByte3), Ex(get, gridByte4, g.GridByte4);
          Ex(get, gridValue1, g.GridValue1), Ex(get, gridValue2, g.GridValue2);
          Ex(get, gridValue3, g.GridValue3), Ex(get, gridValue4, g.GridValue4);
          Ex(get, gridInteger1, g.GridInteger1), Ex(get, gridByte5, g.GridByte5);
          Ex(get, gridValue5, g.GridValue5), Ex(get, gridValue6, g.GridValue6);
          Ex(get, gridValue7, g.GridValue7), Ex(get, gridValue8, g.GridValue8);
          return kOk;
        });
      },
      mode, board, gridByte1, gridByte2, gridByte3, gridByte4, gridValue1, gridValue2, gridValue3,
      gridValue4, gridInteger1, gridByte5, gridValue5, gridValue6, gridValue7, gridValue8);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardLayerPairsCount(ObjectHandle board,
                                                                        int32_t* count) {
  return Call(
      "PcbApi_QueryBoardLayerPairsCount", kBadArgument,
      [&] {
        Document* d = Board(board);
        if (!d) return kNoObject;
        *count = static_cast<int32_t>(d->board.LayerPairs.size());
        return kOk;
      },
      board, count);
}

extern "C" QV_EXPORT Status QV_STDCALL
PcbApi_QueryBoardLayerPairAt(QueryMode mode, ObjectHandle board, int32_t index, LayerId* layer1,
                             LayerId* layer2, uint8_t* pairByteB, uint8_t* pairByteA) {
  return Call(
      "PcbApi_QueryBoardLayerPairAt", kBadArgument,
      [&] {
        return BoardQuery(mode, board, [&](bool get, Document& d) {
          auto& pairs = d.board.LayerPairs;
          if (index < 0 || index >= static_cast<int32_t>(pairs.size())) return kBadArgument;
          if (!get && (!ValidLayer(*layer1) || !ValidLayer(*layer2))) return kBadArgument;
          LayerPairRecord& p = pairs[static_cast<std::size_t>(index)];
          Ex(get, layer1, p.Layer1), Ex(get, layer2, p.Layer2), Ex(get, pairByteB, p.ByteB);
          Ex(get, pairByteA, p.ByteA);
          return kOk;
        });
      },
      mode, board, index, layer1, layer2, pairByteB, pairByteA);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardEngineeringChangeOrderOptions(
    QueryMode mode, ObjectHandle board, uint8_t* ecoByte, String255* ecoText) {
  return Call(
      "PcbApi_QueryBoardEngineeringChangeOrderOptions", kBadArgument,
      [&] {
        return BoardQuery(mode, board, [&](bool get, Document& d) {
          Ex(get, ecoByte, d.board.Eco.EcoByte), Ex(get, ecoText, d.board.Eco.EcoText);
          return kOk;
        });
      },
      mode, board, ecoByte, ecoText);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardOutputOptions(
    QueryMode mode, ObjectHandle board, int32_t* value1, int32_t* value2, uint8_t* b1, uint8_t* b2,
    uint8_t* b3, uint8_t* b4, uint8_t* b5, uint8_t* b6, uint8_t* b7, uint8_t* b8, uint8_t* b9,
    uint8_t* b10, uint8_t* b11, uint8_t* b12, uint8_t* b13, uint8_t* b14, uint8_t* b15,
    uint8_t* b16, uint8_t* b17, uint8_t* b18, uint8_t* b19, uint8_t* b20, uint8_t* b21,
    uint8_t* b22) {
  return Call(
      "PcbApi_QueryBoardOutputOptions", kBadArgument,
      [&] {
        return BoardQuery(mode, board, [&](bool get, Document& d) {
          OutputRecord& o = d.board.Output;
          Ex(get, value1, o.OutputValue1), Ex(get, value2, o.OutputValue2);
          uint8_t* bytes[] = {b1,  b2,  b3,  b4,  b5,  b6,  b7,  b8,  b9,  b10, b11,
                              b12, b13, b14, b15, b16, b17, b18, b19, b20, b21, b22};
          for (int i = 0; i < 22; ++i) Ex(get, bytes[i], o.Bytes[i]);
          return kOk;
        });
      },
      mode, board, value1, value2, b1, b2, b3, b4, b5, b6, b7, b8, b9, b10, b11, b12, b13, b14, b15,
      b16, b17, b18, b19, b20, b21, b22);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardOutputOptionsPlotLayers(
    QueryMode mode, ObjectHandle board, LayerId index, uint8_t* plotLayer) {
  return Call(
      "PcbApi_QueryBoardOutputOptionsPlotLayers", kBadArgument,
      [&] {
        return BoardQuery(mode, board, [&](bool get, Document& d) {
          if (index < 1 || index >= kPlotLayerCount) return kBadArgument;
          Ex(get, plotLayer, d.board.Plot[index].PlotLayer);
          return kOk;
        });
      },
      mode, board, index, plotLayer);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardOutputOptionsFlipLayers(
    QueryMode mode, ObjectHandle board, LayerId index, uint8_t* flipLayer) {
  return Call(
      "PcbApi_QueryBoardOutputOptionsFlipLayers", kBadArgument,
      [&] {
        return BoardQuery(mode, board, [&](bool get, Document& d) {
          if (index < 1 || index >= kPlotLayerCount) return kBadArgument;
          Ex(get, flipLayer, d.board.Plot[index].FlipLayer);
          return kOk;
        });
      },
      mode, board, index, flipLayer);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardAdvancedPlacerOptions(
    QueryMode mode, ObjectHandle board, String255* text1, String255* text2, uint8_t* b1,
    uint8_t* b2, uint8_t* b3, uint8_t* b4) {
  return Call(
      "PcbApi_QueryBoardAdvancedPlacerOptions", kBadArgument,
      [&] {
        return BoardQuery(mode, board, [&](bool get, Document& d) {
          PlacerRecord& p = d.board.Placer;
          Ex(get, text1, p.PlacerText1), Ex(get, text2, p.PlacerText2);
          uint8_t* bytes[] = {b1, b2, b3, b4};
          for (int i = 0; i < 4; ++i) Ex(get, bytes[i], p.Bytes[i]);
          return kOk;
        });
      },
      mode, board, text1, text2, b1, b2, b3, b4);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardGerberOptions(
    QueryMode mode, ObjectHandle board, uint8_t* b1, uint8_t* b2, uint8_t* b3, uint8_t* b4,
    uint8_t* b5, uint8_t* b6, uint8_t* b7, int32_t* v1, int32_t* v2, int32_t* v3, int32_t* v4,
    int32_t* v5, String255* text, int32_t* v6, uint8_t* b8, uint8_t* b9, int32_t* v7, int32_t* v8) {
  return Call(
      "PcbApi_QueryBoardGerberOptions", kBadArgument,
      [&] {
        return BoardQuery(mode, board, [&](bool get, Document& d) {
          GerberRecord& g = d.board.Gerber;
          uint8_t* bytes[] = {b1, b2, b3, b4, b5, b6, b7};
          for (int i = 0; i < 7; ++i) Ex(get, bytes[i], g.Bytes[i]);
          int32_t* values[] = {v1, v2, v3, v4, v5};
          for (int i = 0; i < 5; ++i) Ex(get, values[i], g.Values[i]);
          Ex(get, text, g.GerberText), Ex(get, v6, g.GerberValue6), Ex(get, b8, g.GerberByte8);
          Ex(get, b9, g.GerberByte9), Ex(get, v7, g.GerberValue7), Ex(get, v8, g.GerberValue8);
          return kOk;
        });
      },
      mode, board, b1, b2, b3, b4, b5, b6, b7, v1, v2, v3, v4, v5, text, v6, b8, b9, v7, v8);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardPrinterOptions(
    QueryMode mode, ObjectHandle board, String255* text1, String255* text2, String255* text3,
    uint8_t* b1, uint8_t* b2, uint8_t* b3, uint8_t* b4, uint8_t* b5, uint8_t* b6, int32_t* v1,
    double* v2, double* v3, double* v4, ByteBlock<22>* field, uint8_t* b7, uint8_t* b8, double* v5,
    double* v6, double* v7, int32_t* v8, int32_t* v9, uint8_t* b9, uint8_t* b10, uint8_t* b11,
    uint8_t* b12, uint8_t* b13) {
  return Call(
      "PcbApi_QueryBoardPrinterOptions", kBadArgument,
      [&] {
        return BoardQuery(mode, board, [&](bool get, Document& d) {
          PrinterRecord& p = d.board.Printer;
          Ex(get, text1, p.PrinterText1), Ex(get, text2, p.PrinterText2);
          Ex(get, text3, p.PrinterText3);
          uint8_t* bytes1[] = {b1, b2, b3, b4, b5, b6};
          for (int i = 0; i < 6; ++i) Ex(get, bytes1[i], p.Bytes1[i]);
          Ex(get, v1, p.PrinterValue1), Ex(get, v2, p.PrinterValue2), Ex(get, v3, p.PrinterValue3);
          Ex(get, v4, p.PrinterValue4), Ex(get, field, p.PrinterField);
          Ex(get, b7, p.PrinterByte7), Ex(get, b8, p.PrinterByte8), Ex(get, v5, p.PrinterValue5);
          Ex(get, v6, p.PrinterValue6), Ex(get, v7, p.PrinterValue7), Ex(get, v8, p.PrinterValue8);
          Ex(get, v9, p.PrinterValue9);
          uint8_t* bytes2[] = {b9, b10, b11, b12, b13};
          for (int i = 0; i < 5; ++i) Ex(get, bytes2[i], p.Bytes2[i]);
          return kOk;
        });
      },
      mode, board, text1, text2, text3, b1, b2, b3, b4, b5, b6, v1, v2, v3, v4, field, b7, b8, v5,
      v6, v7, v8, v9, b9, b10, b11, b12, b13);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardPrinterOptionsPlotterPen(
    QueryMode mode, ObjectHandle board, int32_t pen, int32_t* penValueA, int32_t* penValueB) {
  return Call(
      "PcbApi_QueryBoardPrinterOptionsPlotterPen", kBadArgument,
      [&] {
        return BoardQuery(mode, board, [&](bool get, Document& d) {
          if (pen < 1 || pen >= kPenCount) return kBadArgument;
          PenRecord& p = d.board.Pens[static_cast<std::size_t>(pen)];
          Ex(get, penValueA, p.PenValueA), Ex(get, penValueB, p.PenValueB);
          return kOk;
        });
      },
      mode, board, pen, penValueA, penValueB);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardPrinterOptionsCompositeLayer(
    QueryMode mode, ObjectHandle board, LayerId layer, int32_t* compositeA, int32_t* compositeB,
    uint8_t* compositeC, int32_t* compositeD) {
  return Call(
      "PcbApi_QueryBoardPrinterOptionsCompositeLayer", kBadArgument,
      [&] {
        return BoardQuery(mode, board, [&](bool get, Document& d) {
          if (layer < 1 || layer > kLastLayer) return kBadArgument;
          CompositeRecord& c = d.board.Composites[layer];
          Ex(get, compositeA, c.CompositeA), Ex(get, compositeB, c.CompositeB);
          Ex(get, compositeC, c.CompositeC), Ex(get, compositeD, c.CompositeD);
          return kOk;
        });
      },
      mode, board, layer, compositeA, compositeB, compositeC, compositeD);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardExternalDielectrics(
    QueryMode mode, ObjectHandle board, String255* topMaterial, uint8_t* topType,
    double* topConstant, Coord* topHeight, String255* bottomMaterial, uint8_t* bottomType,
    double* bottomConstant, Coord* bottomHeight) {
  return Call(
      "PcbApi_QueryBoardExternalDielectrics", kBadArgument,
      [&] {
        return BoardQuery(mode, board, [&](bool get, Document& d) {
          Dielectric& t = d.board.TopDielectric;
          Dielectric& b = d.board.BottomDielectric;
          Ex(get, topMaterial, t.Material), Ex(get, topType, t.Type);
          Ex(get, topConstant, t.Constant), Ex(get, topHeight, t.Height);
          Ex(get, bottomMaterial, b.Material), Ex(get, bottomType, b.Type);
          Ex(get, bottomConstant, b.Constant), Ex(get, bottomHeight, b.Height);
          return kOk;
        });
      },
      mode, board, topMaterial, topType, topConstant, topHeight, bottomMaterial, bottomType,
      bottomConstant, bottomHeight);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardLayerInfo(QueryMode mode,
                                                                  ObjectHandle board, LayerId layer,
                                                                  int32_t* layerInfo,
                                                                  uint8_t* scratch1,
                                                                  uint8_t* scratch2) {
  return Call(
      "PcbApi_QueryBoardLayerInfo", kBadArgument,
      [&] {
        return BoardQuery(mode, board, [&](bool get, Document& d) {
          if (layer < 1 || layer > kLastLayer) return kBadArgument;
          LayerRecord& l = d.board.Layers[layer];
          Ex(get, layerInfo, l.LayerInfo), Ex(get, scratch1, l.InfoByte1);
          Ex(get, scratch2, l.InfoByte2);
          return kOk;
        });
      },
      mode, board, layer, layerInfo, scratch1, scratch2);
}

namespace {

// The part of a layer description that the layer and internal plane queries share.
template <class F>
Status LayerQuery(QueryMode mode, LayerId layer, ObjectHandle board, String255* name,
                  Coord* copperThickness, uint8_t* layerByte1, uint8_t* layerByte2,
                  LayerId* previousLayer, LayerId* nextLayer, F more) {
  return BoardQuery(mode, board, [&](bool get, Document& d) {
    if (layer < 1 || layer > kLastLayer) return kBadArgument;
    if (!get && (!ValidLayer(*previousLayer) || !ValidLayer(*nextLayer))) return kBadArgument;
    LayerRecord& l = d.board.Layers[layer];
    Ex(get, name, l.Name), Ex(get, copperThickness, l.CopperThickness);
    Ex(get, layerByte1, l.LayerByte1), Ex(get, layerByte2, l.LayerByte2);
    LayerId previous = l.PreviousLayer, next = l.NextLayer;
    Ex(get, previousLayer, l.PreviousLayer), Ex(get, nextLayer, l.NextLayer);
    more(get, l);
    if (!get && (previous != l.PreviousLayer || next != l.NextLayer)) d.UpdateLayerStack();
    return kOk;
  });
}

}  // namespace

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryLayer(QueryMode mode, LayerId layer,
                                                         ObjectHandle board, String255* name,
                                                         Coord* copperThickness,
                                                         uint8_t* layerByte1, uint8_t* layerByte2,
                                                         LayerId* previousLayer, LayerId* nextLayer,
                                                         uint8_t* layerByte3) {
  return Call(
      "PcbApi_QueryLayer", kBadArgument,
      [&] {
        return LayerQuery(mode, layer, board, name, copperThickness, layerByte1, layerByte2,
                          previousLayer, nextLayer,
                          [&](bool get, LayerRecord& l) { Ex(get, layerByte3, l.LayerByte3); });
      },
      mode, layer, board, name, copperThickness, layerByte1, layerByte2, previousLayer, nextLayer,
      layerByte3);
}

extern "C" QV_EXPORT Status QV_STDCALL
PcbApi_QueryInternalPlane(QueryMode mode, LayerId layer, ObjectHandle board, String255* name,
                          Coord* copperThickness, uint8_t* layerByte1, uint8_t* layerByte2,
                          LayerId* previousLayer, LayerId* nextLayer, String255* netName) {
  return Call(
      "PcbApi_QueryInternalPlane", kBadArgument,
      [&] {
        return LayerQuery(mode, layer, board, name, copperThickness, layerByte1, layerByte2,
                          previousLayer, nextLayer,
                          [&](bool get, LayerRecord& l) { Ex(get, netName, l.NetName); });
      },
      mode, layer, board, name, copperThickness, layerByte1, layerByte2, previousLayer, nextLayer,
      netName);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryLayerDielectric(QueryMode mode, LayerId layer,
                                                                   ObjectHandle board,
                                                                   String255* material,
                                                                   uint8_t* type, double* constant,
                                                                   Coord* height) {
  return Call(
      "PcbApi_QueryLayerDielectric", kBadArgument,
      [&] {
        return BoardQuery(mode, board, [&](bool get, Document& d) {
          if (layer < 1 || layer > kLastLayer) return kBadArgument;
          LayerRecord& l = d.board.Layers[layer];
          Ex(get, material, l.DielectricMaterial), Ex(get, type, l.DielectricType);
          Ex(get, constant, l.DielectricConstant), Ex(get, height, l.DielectricHeight);
          return kOk;
        });
      },
      mode, layer, board, material, type, constant, height);
}

// Every export has exactly the contract's type.
#define QV_CHECK_EXPORT(name) static_assert(std::is_same_v<decltype(&name), qv::name##_Proc>);
QV_CHECK_EXPORT(PcbApi_GetCurrentBoardHandle)
QV_CHECK_EXPORT(PcbApi_CreateObject)
QV_CHECK_EXPORT(PcbApi_AddObjectToContainer)
QV_CHECK_EXPORT(PcbApi_GetObjectIdFromObjectHandle)
QV_CHECK_EXPORT(PcbApi_CreateIterator)
QV_CHECK_EXPORT(PcbApi_GetFirstObject)
QV_CHECK_EXPORT(PcbApi_GetNextObject)
QV_CHECK_EXPORT(PcbApi_DestroyIterator)
QV_CHECK_EXPORT(PcbApi_QueryObjectBoundingRectangle)
QV_CHECK_EXPORT(PcbApi_QueryObjectImport_FromUser)
QV_CHECK_EXPORT(PcbApi_QueryObjectGraphicallyInvalidate)
QV_CHECK_EXPORT(PcbApi_GetObjectBitField2)
QV_CHECK_EXPORT(PcbApi_GetObjectBitField3)
QV_CHECK_EXPORT(PcbApi_QueryPrimitive)
QV_CHECK_EXPORT(PcbApi_QueryArc)
QV_CHECK_EXPORT(PcbApi_QueryPad)
QV_CHECK_EXPORT(PcbApi_QueryVia)
QV_CHECK_EXPORT(PcbApi_QueryTrack)
QV_CHECK_EXPORT(PcbApi_QueryText)
QV_CHECK_EXPORT(PcbApi_QueryFill)
QV_CHECK_EXPORT(PcbApi_QueryPadStackMode)
QV_CHECK_EXPORT(PcbApi_QueryPadOrViaShapeOnLayer)
QV_CHECK_EXPORT(PcbApi_QueryPadOrViaSizeOnLayer)
QV_CHECK_EXPORT(PcbApi_SetPadShapeOnLayer)
QV_CHECK_EXPORT(PcbApi_SetPadSizeOnLayer)
QV_CHECK_EXPORT(PcbApi_QueryCoordinate)
QV_CHECK_EXPORT(PcbApi_QueryDimension)
QV_CHECK_EXPORT(PcbApi_QueryExtDimension)
QV_CHECK_EXPORT(PcbApi_References_Count)
QV_CHECK_EXPORT(PcbApi_References_At)
QV_CHECK_EXPORT(PcbApi_QueryPolygon)
QV_CHECK_EXPORT(PcbApi_QueryFromTo)
QV_CHECK_EXPORT(PcbApi_QueryManualFromTo)
QV_CHECK_EXPORT(PcbApi_QueryNet)
QV_CHECK_EXPORT(PcbApi_QueryClass)
QV_CHECK_EXPORT(PcbApi_AddMemberToClass)
QV_CHECK_EXPORT(PcbApi_GetMemberFromClassAt)
QV_CHECK_EXPORT(PcbApi_RemoveAllMembersFromClass)
QV_CHECK_EXPORT(PcbApi_QueryRule)
QV_CHECK_EXPORT(PcbApi_QueryComponent)
QV_CHECK_EXPORT(PcbApi_QueryComponentEx)
QV_CHECK_EXPORT(PcbApi_QueryComponentSourceLinks)
QV_CHECK_EXPORT(PcbApi_QueryComponentChannelOffset)
QV_CHECK_EXPORT(PcbApi_QueryComponentKind)
QV_CHECK_EXPORT(PcbApi_QueryBoard)
QV_CHECK_EXPORT(PcbApi_QueryBoardGridsEx)
QV_CHECK_EXPORT(PcbApi_QueryBoardLayerPairsCount)
QV_CHECK_EXPORT(PcbApi_QueryBoardLayerPairAt)
QV_CHECK_EXPORT(PcbApi_QueryBoardEngineeringChangeOrderOptions)
QV_CHECK_EXPORT(PcbApi_QueryBoardOutputOptions)
QV_CHECK_EXPORT(PcbApi_QueryBoardOutputOptionsPlotLayers)
QV_CHECK_EXPORT(PcbApi_QueryBoardOutputOptionsFlipLayers)
QV_CHECK_EXPORT(PcbApi_QueryBoardAdvancedPlacerOptions)
QV_CHECK_EXPORT(PcbApi_QueryBoardGerberOptions)
QV_CHECK_EXPORT(PcbApi_QueryBoardPrinterOptions)
QV_CHECK_EXPORT(PcbApi_QueryBoardPrinterOptionsPlotterPen)
QV_CHECK_EXPORT(PcbApi_QueryBoardPrinterOptionsCompositeLayer)
QV_CHECK_EXPORT(PcbApi_QueryBoardExternalDielectrics)
QV_CHECK_EXPORT(PcbApi_QueryBoardLayerInfo)
QV_CHECK_EXPORT(PcbApi_QueryLayer)
QV_CHECK_EXPORT(PcbApi_QueryInternalPlane)
QV_CHECK_EXPORT(PcbApi_QueryLayerDielectric)
#undef QV_CHECK_EXPORT

// ---- Control functions for the host ----

namespace {

template <class R, class Body>
R Control(R failure, Body body) {
  try {
    return body();
  } catch (const std::exception& e) {
    state.lastError = e.what();
  } catch (...) {
    state.lastError = "unexpected failure";
  }
  return failure;
}

int32_t Fail(std::string message) {
  state.lastError = std::move(message);
  return 0;
}

std::string Absolute(const char* fileName) {
  std::error_code ec;
  auto path = std::filesystem::absolute(fileName, ec);
  return ec ? std::string(fileName) : path.lexically_normal().string();
}

}  // namespace

extern "C" QV_EXPORT uint32_t Gorvath_OpenDocument(const char* fileName) {
  return Control(uint32_t{0}, [&]() -> uint32_t {
    if (!fileName || !*fileName) return static_cast<uint32_t>(Fail("no file name given"));
    std::string path = Absolute(fileName);
    if (Document* open = TheEditor().FindDocumentByFile(path)) return open->handle;
    Document* d = LoadDocument(TheEditor(), path, state.lastError);
    return d ? d->handle : 0;
  });
}

extern "C" QV_EXPORT int32_t Gorvath_CreateLibraryFile(const char* fileName) {
  return Control(int32_t{0}, [&]() -> int32_t {
    if (!fileName || !*fileName) return Fail("no file name given");
    if (KindOfFileName(fileName) != DocumentKind::Library)
      return Fail(std::string(fileName) + ": a library file name ends in .PcbLib");
    std::error_code ec;
    if (std::filesystem::exists(fileName, ec))
      return Fail(std::string(fileName) + ": already exists; not replaced");
    return WriteTextFile(fileName, EmptyLibraryText(), state.lastError) ? 1 : 0;
  });
}

extern "C" QV_EXPORT int32_t Gorvath_SaveDocument(uint32_t board, const char* fileName) {
  return Control(int32_t{0}, [&]() -> int32_t {
    Document* d = Board(board);
    if (!d) return Fail("no document " + std::to_string(board));
    bool own = !fileName || !*fileName;
    std::string target = own ? d->FileName() : std::string(fileName);
    if (!own &&
        KindOfFileName(target) != (d->IsLibrary() ? DocumentKind::Library : DocumentKind::Board))
      return Fail(target + ": the file name's extension does not match the document's kind");
    if (!SaveDocument(*d, target, state.lastError)) return 0;
    if (own) d->changes = 0;
    return 1;
  });
}

extern "C" QV_EXPORT int32_t Gorvath_SetCurrentDocument(uint32_t board) {
  return Control(int32_t{0}, [&]() -> int32_t {
    if (board == 0) {
      TheEditor().SetCurrent(nullptr);
      return 1;
    }
    Document* d = Board(board);
    if (!d) return Fail("no document " + std::to_string(board));
    TheEditor().SetCurrent(d);
    return 1;
  });
}

extern "C" QV_EXPORT int32_t Gorvath_CloseDocument(uint32_t board) {
  return Control(int32_t{0}, [&]() -> int32_t {
    Document* d = Board(board);
    if (!d) return Fail("no document " + std::to_string(board));
    TheEditor().CloseDocument(*d);
    return 1;
  });
}

extern "C" QV_EXPORT void Gorvath_CloseAll(void) {
  Control(0, [] {
    TheEditor().CloseAll();
    return 0;
  });
}

extern "C" QV_EXPORT int32_t Gorvath_DocumentCount(void) {
  return static_cast<int32_t>(TheEditor().Documents().size());
}

extern "C" QV_EXPORT uint32_t Gorvath_DocumentAt(int32_t index) {
  auto docs = TheEditor().Documents();
  if (index < 0 || index >= static_cast<int32_t>(docs.size())) return 0;
  return docs[static_cast<std::size_t>(index)]->handle;
}

extern "C" QV_EXPORT const char* Gorvath_DocumentFileName(uint32_t board) {
  Document* d = Board(board);
  state.text = d ? d->FileName() : std::string();
  return state.text.c_str();
}

extern "C" QV_EXPORT int32_t Gorvath_DocumentIsLibrary(uint32_t board) {
  Document* d = Board(board);
  return d ? (d->IsLibrary() ? 1 : 0) : -1;
}

extern "C" QV_EXPORT int32_t Gorvath_DocumentChanged(uint32_t board) {
  Document* d = Board(board);
  return d && d->changes != 0 ? 1 : 0;
}

extern "C" QV_EXPORT int32_t Gorvath_DocumentSummary(uint32_t board, int32_t* components,
                                                     int32_t* primitives) {
  Document* d = Board(board);
  if (!d || !components || !primitives) return Fail("no document " + std::to_string(board));
  int32_t c = 0, p = 0;
  for (const Object* o : d->Objects()) {
    if (o->kind == kComponent) {
      ++c;
      for (const auto& list : static_cast<const ComponentObject*>(o)->primitives)
        p += static_cast<int32_t>(list.size());
    } else if (IsPrimitiveKind(o->kind)) {
      ++p;
    }
  }
  *components = c;
  *primitives = p;
  return 1;
}

extern "C" QV_EXPORT uint32_t Gorvath_GetView(uint32_t board) {
  return Control(uint32_t{0}, [&]() -> uint32_t {
    Document* d = Board(board);
    if (!d) return static_cast<uint32_t>(Fail("no document " + std::to_string(board)));
    return TheEditor().ViewOf(*d);
  });
}

extern "C" QV_EXPORT int32_t Gorvath_RunProcess(const char* name, const char* parameters,
                                                uint32_t view) {
  return Control(int32_t{0}, [&]() -> int32_t {
    if (!name) return Fail("no process name given");
    std::string error;
    bool ok = RunProcess(TheEditor(), name, parameters ? parameters : "", view, error);
    if (state.sink) {
      std::string line = std::string("process ") + name + "(\"" + (parameters ? parameters : "") +
                         "\", view " + std::to_string(view) + ") = " + (ok ? "1" : "0");
      state.sink(line.c_str(), state.sinkContext);
    }
    if (!ok) return Fail(error);
    return 1;
  });
}

extern "C" QV_EXPORT void Gorvath_SetTrace(Gorvath_TraceSink sink, void* context) {
  state.sink = sink;
  state.sinkContext = context;
}

extern "C" QV_EXPORT uint64_t Gorvath_CallCount(void) {
  return state.calls;
}

extern "C" QV_EXPORT const char* Gorvath_LastError(void) {
  return state.lastError.c_str();
}
