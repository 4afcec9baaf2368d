// The recording fake editor: exports the PcbApi functions that the module calls, logs each call
// and answers from the scripted state in FakeEditor.h.
#include "tests/support/FakeEditor.h"

#include <cstring>
#include <initializer_list>

namespace qv::test {
namespace {

FakeEditorState state;

template <class T>
Bytes BytesOf(const T* field) {
  Bytes b(sizeof(T));
  std::memcpy(b.data(), field, sizeof(T));
  return b;
}

FakeCall& Record(const char* name, std::initializer_list<int64_t> args) {
  state.Log.push_back(FakeCall{name, std::vector<int64_t>(args), {}});
  return state.Log.back();
}

Status Plain(const char* name, ObjectHandle handle, std::initializer_list<int64_t> args) {
  Record(name, args);
  return state.StatusOf(name, handle, NoKey);
}

template <class T>
void Take(const std::vector<Bytes>* fields, std::size_t index, T* field) {
  if (fields == nullptr || index >= fields->size()) return;
  const Bytes& b = (*fields)[index];
  if (b.size() == sizeof(T)) std::memcpy(field, b.data(), sizeof(T));
}

// Logs the call; when its scripted status is 0, a qmGet fills the fields from the script and
// any other mode stores them there.
template <class... F>
Status Exchange(const char* name, QueryMode mode, ObjectHandle handle, int64_t key,
                std::initializer_list<int64_t> args, F*... fields) {
  FakeCall& call = Record(name, args);
  (call.Fields.push_back(BytesOf(fields)), ...);
  Status status = state.StatusOf(name, handle, key);
  if (status != 0) return status;
  auto k = std::tuple{std::string(name), handle, key};
  if (mode == qmGet) {
    auto it = state.Records.find(k);
    const std::vector<Bytes>* scripted = it != state.Records.end() ? &it->second : nullptr;
    std::size_t i = 0;
    (Take(scripted, i++, fields), ...);
  } else {
    state.Records[k] = {BytesOf(fields)...};
  }
  return status;
}

}  // namespace
}  // namespace qv::test

using namespace qv;
using namespace qv::test;

extern "C" QV_EXPORT FakeEditorState* FakeEditor_State() {
  return &state;
}

extern "C" QV_EXPORT ObjectHandle QV_STDCALL PcbApi_GetCurrentBoardHandle() {
  Record("PcbApi_GetCurrentBoardHandle", {});
  return state.CurrentBoard;
}

extern "C" QV_EXPORT ObjectHandle QV_STDCALL PcbApi_CreateObject(ObjectId kind) {
  Record("PcbApi_CreateObject", {kind});
  ObjectHandle h = state.NextObject++;
  state.Kinds[h] = kind;
  return h;
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_AddObjectToContainer(ObjectHandle container,
                                                                   ObjectHandle object) {
  return Plain("PcbApi_AddObjectToContainer", container, {container, object});
}

extern "C" QV_EXPORT ObjectId QV_STDCALL PcbApi_GetObjectIdFromObjectHandle(ObjectHandle object) {
  Record("PcbApi_GetObjectIdFromObjectHandle", {object});
  auto it = state.Kinds.find(object);
  return it != state.Kinds.end() ? it->second : 0;
}

extern "C" QV_EXPORT ObjectHandle QV_STDCALL PcbApi_CreateIterator(ObjectHandle container,
                                                                   ObjectId kind, uint8_t method,
                                                                   LayerId layer) {
  Record("PcbApi_CreateIterator", {container, kind, method, layer});
  ObjectHandle it = state.NextIterator++;
  auto found = state.Contents.find({container, kind, layer});
  state.Iterators[it] = {
      found != state.Contents.end() ? found->second : std::vector<ObjectHandle>{}, 0};
  return it;
}

namespace {
ObjectHandle Step(ObjectHandle iterator, bool first) {
  auto it = state.Iterators.find(iterator);
  if (it == state.Iterators.end()) return 0;
  auto& [objects, next] = it->second;
  if (first) next = 0;
  return next < objects.size() ? objects[next++] : 0;
}
}  // namespace

extern "C" QV_EXPORT ObjectHandle QV_STDCALL PcbApi_GetFirstObject(ObjectHandle iterator) {
  Record("PcbApi_GetFirstObject", {iterator});
  return Step(iterator, true);
}

extern "C" QV_EXPORT ObjectHandle QV_STDCALL PcbApi_GetNextObject(ObjectHandle iterator) {
  Record("PcbApi_GetNextObject", {iterator});
  return Step(iterator, false);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_DestroyIterator(ObjectHandle iterator) {
  Record("PcbApi_DestroyIterator", {iterator});
  state.Iterators.erase(iterator);
  return 0;
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_AddMemberToClass(ObjectHandle objectClass,
                                                               String255* name) {
  FakeCall& call = Record("PcbApi_AddMemberToClass", {objectClass});
  call.Fields.push_back(BytesOf(name));
  if (state.ScribbleOnMemberNames) {
    name->Length = 3;
    std::memcpy(name->Chars, "???", 3);
  }
  return state.StatusOf("PcbApi_AddMemberToClass", objectClass, NoKey);
}

// A class without a scripted member at an index answers 1, the editor's "no member here".
extern "C" QV_EXPORT Status QV_STDCALL PcbApi_GetMemberFromClassAt(ObjectHandle objectClass,
                                                                   int32_t index, String255* name) {
  const char* fn = "PcbApi_GetMemberFromClassAt";
  bool scripted = state.Records.count({fn, objectClass, index}) != 0;
  if (!scripted && state.StatusOf(fn, objectClass, index, 1) == 1) {
    Record(fn, {objectClass, index}).Fields.push_back(BytesOf(name));
    return 1;
  }
  return Exchange(fn, qmGet, objectClass, index, {objectClass, index}, name);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryObjectBoundingRectangle(ObjectHandle object,
                                                                           Coord* x1, Coord* y1,
                                                                           Coord* x2, Coord* y2) {
  return Exchange("PcbApi_QueryObjectBoundingRectangle", qmGet, object, NoKey,
                  {static_cast<int64_t>(object)}, x1, y1, x2, y2);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryObjectImport_FromUser(ObjectHandle object) {
  return Plain("PcbApi_QueryObjectImport_FromUser", object, {static_cast<int64_t>(object)});
}

extern "C" QV_EXPORT Status QV_STDCALL
PcbApi_QueryObjectGraphicallyInvalidate(ObjectHandle object) {
  return Plain("PcbApi_QueryObjectGraphicallyInvalidate", object, {static_cast<int64_t>(object)});
}

extern "C" QV_EXPORT void QV_STDCALL PcbApi_GetObjectBitField2(QueryMode mode, ObjectHandle object,
                                                               uint8_t* bitField2) {
  Exchange("PcbApi_GetObjectBitField2", mode, object, NoKey,
           {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, bitField2);
}

extern "C" QV_EXPORT void QV_STDCALL PcbApi_GetObjectBitField3(QueryMode mode, ObjectHandle object,
                                                               uint16_t* bitField3) {
  Exchange("PcbApi_GetObjectBitField3", mode, object, NoKey,
           {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, bitField3);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryPrimitive(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, ObjectHandle* componentHandle, uint8_t* commonByte) {
  return Exchange("PcbApi_QueryPrimitive", mode, object, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, flags, commonWord,
                  layer, netHandle, componentHandle, commonByte);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryArc(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, uint8_t* commonByte, ObjectHandle* componentHandle, Coord* x, Coord* y,
    Coord* radius, double* startAngle, double* endAngle, Coord* lineWidth, int32_t* link1) {
  return Exchange("PcbApi_QueryArc", mode, object, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, flags, commonWord,
                  layer, netHandle, commonByte, componentHandle, x, y, radius, startAngle, endAngle,
                  lineWidth, link1);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryPad(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, uint8_t* commonByte, ObjectHandle* componentHandle, Coord* x, Coord* y,
    Coord* topXSize, Coord* topYSize, Coord* midXSize, Coord* midYSize, Coord* bottomXSize,
    Coord* bottomYSize, Coord* holeSize, uint8_t* topShape, uint8_t* midShape, uint8_t* bottomShape,
    ShortString<20>* name, uint8_t* padByte1, uint8_t* padByte2, double* rotation) {
  return Exchange("PcbApi_QueryPad", mode, object, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, flags, commonWord,
                  layer, netHandle, commonByte, componentHandle, x, y, topXSize, topYSize, midXSize,
                  midYSize, bottomXSize, bottomYSize, holeSize, topShape, midShape, bottomShape,
                  name, padByte1, padByte2, rotation);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryVia(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, uint8_t* commonByte, ObjectHandle* componentHandle, Coord* x, Coord* y,
    Coord* size, Coord* holeSize, LayerId* lowLayer, LayerId* highLayer) {
  return Exchange("PcbApi_QueryVia", mode, object, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, flags, commonWord,
                  layer, netHandle, commonByte, componentHandle, x, y, size, holeSize, lowLayer,
                  highLayer);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryTrack(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, uint8_t* commonByte, ObjectHandle* componentHandle, Coord* x, Coord* y,
    Coord* x2, Coord* y2, Coord* width, int32_t* link1, int32_t* link2, int32_t* link3) {
  return Exchange("PcbApi_QueryTrack", mode, object, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, flags, commonWord,
                  layer, netHandle, commonByte, componentHandle, x, y, x2, y2, width, link1, link2,
                  link3);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryText(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, uint8_t* commonByte, ObjectHandle* componentHandle, Coord* x, Coord* y,
    Coord* size, int32_t* font, double* rotation, uint8_t* mirrored, ShortString<254>* text,
    Coord* lineWidth, int32_t* link2, int32_t* link3) {
  return Exchange("PcbApi_QueryText", mode, object, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, flags, commonWord,
                  layer, netHandle, commonByte, componentHandle, x, y, size, font, rotation,
                  mirrored, text, lineWidth, link2, link3);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryFill(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, uint8_t* commonByte, ObjectHandle* componentHandle, Coord* x, Coord* y,
    Coord* x2, Coord* y2, int32_t* link1, double* rotation) {
  return Exchange("PcbApi_QueryFill", mode, object, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, flags, commonWord,
                  layer, netHandle, commonByte, componentHandle, x, y, x2, y2, link1, rotation);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryPadStackMode(QueryMode mode, ObjectHandle pad,
                                                                uint8_t* stackMode) {
  return Exchange("PcbApi_QueryPadStackMode", mode, pad, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(pad)}, stackMode);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryPadOrViaShapeOnLayer(ObjectHandle object,
                                                                        LayerId layer,
                                                                        uint8_t* shape) {
  return Exchange("PcbApi_QueryPadOrViaShapeOnLayer", qmGet, object, layer,
                  {static_cast<int64_t>(object), static_cast<int64_t>(layer)}, shape);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryPadOrViaSizeOnLayer(ObjectHandle object,
                                                                       LayerId layer, Coord* xSize,
                                                                       Coord* ySize) {
  return Exchange("PcbApi_QueryPadOrViaSizeOnLayer", qmGet, object, layer,
                  {static_cast<int64_t>(object), static_cast<int64_t>(layer)}, xSize, ySize);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_SetPadShapeOnLayer(ObjectHandle pad, LayerId layer,
                                                                 uint8_t shape) {
  return Plain(
      "PcbApi_SetPadShapeOnLayer", pad,
      {static_cast<int64_t>(pad), static_cast<int64_t>(layer), static_cast<int64_t>(shape)});
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_SetPadSizeOnLayer(ObjectHandle pad, LayerId layer,
                                                                Coord xSize, Coord ySize) {
  return Plain("PcbApi_SetPadSizeOnLayer", pad,
               {static_cast<int64_t>(pad), static_cast<int64_t>(layer), static_cast<int64_t>(xSize),
                static_cast<int64_t>(ySize)});
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryCoordinate(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, uint8_t* commonByte,
    Coord* x, Coord* y, LayerId* layer, int32_t* field1, int32_t* field2, int32_t* field3,
    int32_t* field4, int32_t* field5, int32_t* field6) {
  return Exchange("PcbApi_QueryCoordinate", mode, object, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, flags, commonWord,
                  commonByte, x, y, layer, field1, field2, field3, field4, field5, field6);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryDimension(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, uint8_t* commonByte,
    Coord* x, Coord* y, int32_t* dimValue1, int32_t* dimValue2, LayerId* layer, int32_t* dimValue3,
    int32_t* dimValue4, int32_t* dimValue5, int32_t* dimValue6, int32_t* dimValue7,
    uint8_t* dimValue8) {
  return Exchange("PcbApi_QueryDimension", mode, object, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, flags, commonWord,
                  commonByte, x, y, dimValue1, dimValue2, layer, dimValue3, dimValue4, dimValue5,
                  dimValue6, dimValue7, dimValue8);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryExtDimension(
    QueryMode mode, ObjectHandle object, uint8_t* ext1, int32_t* ext2, int32_t* ext3, int32_t* ext4,
    uint8_t* ext5, int32_t* ext6, String255* ext7, uint8_t* ext8, int32_t* ext9, String255* ext10,
    String255* ext11, double* ext12, int32_t* ext13, int32_t* ext14, int32_t* ext15, uint8_t* ext16,
    int32_t* ext17, int32_t* ext18, int32_t* ext19) {
  return Exchange("PcbApi_QueryExtDimension", mode, object, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, ext1, ext2, ext3,
                  ext4, ext5, ext6, ext7, ext8, ext9, ext10, ext11, ext12, ext13, ext14, ext15,
                  ext16, ext17, ext18, ext19);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_References_Count(ObjectHandle dimension,
                                                               int32_t* count) {
  return Exchange("PcbApi_References_Count", qmGet, dimension, NoKey,
                  {static_cast<int64_t>(dimension)}, count);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_References_At(QueryMode mode, ObjectHandle dimension,
                                                            int32_t index, int32_t* ref1,
                                                            int32_t* ref2, int32_t* ref3,
                                                            int32_t* ref4) {
  return Exchange(
      "PcbApi_References_At", mode, dimension, index,
      {static_cast<int64_t>(mode), static_cast<int64_t>(dimension), static_cast<int64_t>(index)},
      ref1, ref2, ref3, ref4);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryPolygon(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, uint8_t* commonByte, uint8_t* field2, uint8_t* field3, uint8_t* field4,
    int32_t* field5, int32_t* field6, uint8_t* field10, uint16_t* field11, int32_t* field7,
    uint8_t* field1, int32_t* field8, int32_t* field9) {
  return Exchange("PcbApi_QueryPolygon", mode, object, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, flags, commonWord,
                  layer, netHandle, commonByte, field2, field3, field4, field5, field6, field10,
                  field11, field7, field1, field8, field9);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryFromTo(QueryMode mode, ObjectHandle object,
                                                          uint16_t* commonWord, Coord* x, Coord* y,
                                                          LayerId* fromLayer, Coord* x2, Coord* y2,
                                                          LayerId* toLayer,
                                                          ObjectHandle* netHandle) {
  return Exchange("PcbApi_QueryFromTo", mode, object, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, commonWord, x, y,
                  fromLayer, x2, y2, toLayer, netHandle);
}

extern "C" QV_EXPORT Status QV_STDCALL
PcbApi_QueryManualFromTo(QueryMode mode, ObjectHandle object, uint16_t* commonWord,
                         String255* field1, String255* field2, String255* field3, int32_t* field4) {
  return Exchange("PcbApi_QueryManualFromTo", mode, object, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, commonWord, field1,
                  field2, field3, field4);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryNet(QueryMode mode, ObjectHandle object,
                                                       uint16_t* commonWord, String255* name,
                                                       uint8_t* netByte1, uint8_t* netByte2) {
  return Exchange("PcbApi_QueryNet", mode, object, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, commonWord, name,
                  netByte1, netByte2);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryClass(QueryMode mode, ObjectHandle object,
                                                         uint16_t* commonWord, uint8_t* classByte1,
                                                         uint8_t* classByte2, String255* name) {
  return Exchange("PcbApi_QueryClass", mode, object, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, commonWord,
                  classByte1, classByte2, name);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_RemoveAllMembersFromClass(ObjectHandle objectClass) {
  return Plain("PcbApi_RemoveAllMembersFromClass", objectClass,
               {static_cast<int64_t>(objectClass)});
}

extern "C" QV_EXPORT Status QV_STDCALL
PcbApi_QueryRule(QueryMode mode, ObjectHandle object, uint8_t* f1, uint8_t* f2, uint8_t* f3,
                 uint8_t* f4, uint8_t* f5, uint8_t* f6, uint8_t* f7, String255* f8, String255* f9,
                 String255* f10, String255* f11, uint8_t* f12, uint8_t* f13, int32_t* f14,
                 int32_t* f15, int32_t* f16, int32_t* f17, String255* f18, String255* f19,
                 String255* f20, String255* f21, String255* f22, String255* f23) {
  return Exchange("PcbApi_QueryRule", mode, object, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(object)}, f1, f2, f3, f4, f5,
                  f6, f7, f8, f9, f10, f11, f12, f13, f14, f15, f16, f17, f18, f19, f20, f21, f22,
                  f23);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryComponent(
    QueryMode mode, ObjectHandle component, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    uint8_t* commonByte, ObjectHandle* nameHandle, ObjectHandle* commentHandle,
    ShortString<250>* pattern, uint8_t* componentByte1, uint8_t* componentByte2, Coord* x, Coord* y,
    int32_t* componentValue, double* rotation, uint8_t* componentByte3) {
  return Exchange("PcbApi_QueryComponent", mode, component, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(component)}, flags, commonWord,
                  layer, commonByte, nameHandle, commentHandle, pattern, componentByte1,
                  componentByte2, x, y, componentValue, rotation, componentByte3);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryComponentEx(QueryMode mode,
                                                               ObjectHandle component,
                                                               int32_t* exValue1, uint8_t* exByte1,
                                                               uint8_t* exByte2,
                                                               int32_t* exValue2) {
  return Exchange("PcbApi_QueryComponentEx", mode, component, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(component)}, exValue1, exByte1,
                  exByte2, exValue2);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryComponentSourceLinks(
    QueryMode mode, ObjectHandle component, String255* link1, String255* link2, String255* link3,
    String255* link4, String255* link5, String255* link6, String255* link7) {
  return Exchange("PcbApi_QueryComponentSourceLinks", mode, component, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(component)}, link1, link2,
                  link3, link4, link5, link6, link7);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryComponentChannelOffset(QueryMode mode,
                                                                          ObjectHandle component,
                                                                          int32_t* channelOffset) {
  return Exchange("PcbApi_QueryComponentChannelOffset", mode, component, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(component)}, channelOffset);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryComponentKind(QueryMode mode,
                                                                 ObjectHandle component,
                                                                 uint8_t* componentKind) {
  return Exchange("PcbApi_QueryComponentKind", mode, component, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(component)}, componentKind);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoard(
    QueryMode mode, ObjectHandle board, int32_t* boardValue1, String255* fileName,
    uint8_t* isLibrary, int32_t* boardValue2, int32_t* boardValue3, int32_t* boardValue4,
    int32_t* boardValue5, uint8_t* boardByte1, uint8_t* boardByte2, int32_t* boardValue6) {
  return Exchange("PcbApi_QueryBoard", mode, board, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(board)}, boardValue1, fileName,
                  isLibrary, boardValue2, boardValue3, boardValue4, boardValue5, boardByte1,
                  boardByte2, boardValue6);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardGridsEx(
    QueryMode mode, ObjectHandle board, uint8_t* gridByte1, uint8_t* gridByte2, uint8_t* gridByte3,
    uint8_t* gridByte4, double* gridValue1, double* gridValue2, double* gridValue3,
    double* gridValue4, int32_t* gridInteger1, uint8_t* gridByte5, double* gridValue5,
    double* gridValue6, double* gridValue7, double* gridValue8) {
  return Exchange("PcbApi_QueryBoardGridsEx", mode, board, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(board)}, gridByte1, gridByte2,
                  gridByte3, gridByte4, gridValue1, gridValue2, gridValue3, gridValue4,
                  gridInteger1, gridByte5, gridValue5, gridValue6, gridValue7, gridValue8);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardLayerPairsCount(ObjectHandle board,
                                                                        int32_t* count) {
  return Exchange("PcbApi_QueryBoardLayerPairsCount", qmGet, board, NoKey,
                  {static_cast<int64_t>(board)}, count);
}

extern "C" QV_EXPORT Status QV_STDCALL
PcbApi_QueryBoardLayerPairAt(QueryMode mode, ObjectHandle board, int32_t index, LayerId* layer1,
                             LayerId* layer2, uint8_t* pairByteB, uint8_t* pairByteA) {
  return Exchange(
      "PcbApi_QueryBoardLayerPairAt", mode, board, index,
      {static_cast<int64_t>(mode), static_cast<int64_t>(board), static_cast<int64_t>(index)},
      layer1, layer2, pairByteB, pairByteA);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardEngineeringChangeOrderOptions(
    QueryMode mode, ObjectHandle board, uint8_t* ecoByte, String255* ecoText) {
  return Exchange("PcbApi_QueryBoardEngineeringChangeOrderOptions", mode, board, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(board)}, ecoByte, ecoText);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardOutputOptions(
    QueryMode mode, ObjectHandle board, int32_t* value1, int32_t* value2, uint8_t* b1, uint8_t* b2,
    uint8_t* b3, uint8_t* b4, uint8_t* b5, uint8_t* b6, uint8_t* b7, uint8_t* b8, uint8_t* b9,
    uint8_t* b10, uint8_t* b11, uint8_t* b12, uint8_t* b13, uint8_t* b14, uint8_t* b15,
    uint8_t* b16, uint8_t* b17, uint8_t* b18, uint8_t* b19, uint8_t* b20, uint8_t* b21,
    uint8_t* b22) {
  return Exchange("PcbApi_QueryBoardOutputOptions", mode, board, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(board)}, value1, value2, b1, b2,
                  b3, b4, b5, b6, b7, b8, b9, b10, b11, b12, b13, b14, b15, b16, b17, b18, b19, b20,
                  b21, b22);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardOutputOptionsPlotLayers(
    QueryMode mode, ObjectHandle board, LayerId index, uint8_t* plotLayer) {
  return Exchange(
      "PcbApi_QueryBoardOutputOptionsPlotLayers", mode, board, index,
      {static_cast<int64_t>(mode), static_cast<int64_t>(board), static_cast<int64_t>(index)},
      plotLayer);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardOutputOptionsFlipLayers(
    QueryMode mode, ObjectHandle board, LayerId index, uint8_t* flipLayer) {
  return Exchange(
      "PcbApi_QueryBoardOutputOptionsFlipLayers", mode, board, index,
      {static_cast<int64_t>(mode), static_cast<int64_t>(board), static_cast<int64_t>(index)},
      flipLayer);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardAdvancedPlacerOptions(
    QueryMode mode, ObjectHandle board, String255* text1, String255* text2, uint8_t* b1,
    uint8_t* b2, uint8_t* b3, uint8_t* b4) {
  return Exchange("PcbApi_QueryBoardAdvancedPlacerOptions", mode, board, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(board)}, text1, text2, b1, b2,
                  b3, b4);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardGerberOptions(
    QueryMode mode, ObjectHandle board, uint8_t* b1, uint8_t* b2, uint8_t* b3, uint8_t* b4,
    uint8_t* b5, uint8_t* b6, uint8_t* b7, int32_t* v1, int32_t* v2, int32_t* v3, int32_t* v4,
    int32_t* v5, String255* text, int32_t* v6, uint8_t* b8, uint8_t* b9, int32_t* v7, int32_t* v8) {
  return Exchange("PcbApi_QueryBoardGerberOptions", mode, board, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(board)}, b1, b2, b3, b4, b5, b6,
                  b7, v1, v2, v3, v4, v5, text, v6, b8, b9, v7, v8);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardPrinterOptions(
    QueryMode mode, ObjectHandle board, String255* text1, String255* text2, String255* text3,
    uint8_t* b1, uint8_t* b2, uint8_t* b3, uint8_t* b4, uint8_t* b5, uint8_t* b6, int32_t* v1,
    double* v2, double* v3, double* v4, ByteBlock<22>* field, uint8_t* b7, uint8_t* b8, double* v5,
    double* v6, double* v7, int32_t* v8, int32_t* v9, uint8_t* b9, uint8_t* b10, uint8_t* b11,
    uint8_t* b12, uint8_t* b13) {
  return Exchange("PcbApi_QueryBoardPrinterOptions", mode, board, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(board)}, text1, text2, text3,
                  b1, b2, b3, b4, b5, b6, v1, v2, v3, v4, field, b7, b8, v5, v6, v7, v8, v9, b9,
                  b10, b11, b12, b13);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardPrinterOptionsPlotterPen(
    QueryMode mode, ObjectHandle board, int32_t pen, int32_t* penValueA, int32_t* penValueB) {
  return Exchange(
      "PcbApi_QueryBoardPrinterOptionsPlotterPen", mode, board, pen,
      {static_cast<int64_t>(mode), static_cast<int64_t>(board), static_cast<int64_t>(pen)},
      penValueA, penValueB);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardPrinterOptionsCompositeLayer(
    QueryMode mode, ObjectHandle board, LayerId layer, int32_t* compositeA, int32_t* compositeB,
    uint8_t* compositeC, int32_t* compositeD) {
  return Exchange(
      "PcbApi_QueryBoardPrinterOptionsCompositeLayer", mode, board, layer,
      {static_cast<int64_t>(mode), static_cast<int64_t>(board), static_cast<int64_t>(layer)},
      compositeA, compositeB, compositeC, compositeD);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardExternalDielectrics(
    QueryMode mode, ObjectHandle board, String255* topMaterial, uint8_t* topType,
    double* topConstant, Coord* topHeight, String255* bottomMaterial, uint8_t* bottomType,
    double* bottomConstant, Coord* bottomHeight) {
  return Exchange("PcbApi_QueryBoardExternalDielectrics", mode, board, NoKey,
                  {static_cast<int64_t>(mode), static_cast<int64_t>(board)}, topMaterial, topType,
                  topConstant, topHeight, bottomMaterial, bottomType, bottomConstant, bottomHeight);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryBoardLayerInfo(QueryMode mode,
                                                                  ObjectHandle board, LayerId layer,
                                                                  int32_t* layerInfo,
                                                                  uint8_t* scratch1,
                                                                  uint8_t* scratch2) {
  return Exchange(
      "PcbApi_QueryBoardLayerInfo", mode, board, layer,
      {static_cast<int64_t>(mode), static_cast<int64_t>(board), static_cast<int64_t>(layer)},
      layerInfo, scratch1, scratch2);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryLayer(QueryMode mode, LayerId layer,
                                                         ObjectHandle board, String255* name,
                                                         Coord* copperThickness,
                                                         uint8_t* layerByte1, uint8_t* layerByte2,
                                                         LayerId* previousLayer, LayerId* nextLayer,
                                                         uint8_t* layerByte3) {
  return Exchange(
      "PcbApi_QueryLayer", mode, board, layer,
      {static_cast<int64_t>(mode), static_cast<int64_t>(layer), static_cast<int64_t>(board)}, name,
      copperThickness, layerByte1, layerByte2, previousLayer, nextLayer, layerByte3);
}

extern "C" QV_EXPORT Status QV_STDCALL
PcbApi_QueryInternalPlane(QueryMode mode, LayerId layer, ObjectHandle board, String255* name,
                          Coord* copperThickness, uint8_t* layerByte1, uint8_t* layerByte2,
                          LayerId* previousLayer, LayerId* nextLayer, String255* netName) {
  return Exchange(
      "PcbApi_QueryInternalPlane", mode, board, layer,
      {static_cast<int64_t>(mode), static_cast<int64_t>(layer), static_cast<int64_t>(board)}, name,
      copperThickness, layerByte1, layerByte2, previousLayer, nextLayer, netName);
}

extern "C" QV_EXPORT Status QV_STDCALL PcbApi_QueryLayerDielectric(QueryMode mode, LayerId layer,
                                                                   ObjectHandle board,
                                                                   String255* material,
                                                                   uint8_t* type, double* constant,
                                                                   Coord* height) {
  return Exchange(
      "PcbApi_QueryLayerDielectric", mode, board, layer,
      {static_cast<int64_t>(mode), static_cast<int64_t>(layer), static_cast<int64_t>(board)},
      material, type, constant, height);
}
