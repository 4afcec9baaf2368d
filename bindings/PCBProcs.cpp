#include "bindings/PCBProcs.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "platform/Module.h"

namespace qv {

namespace {

// Written once at load, only read afterwards.
std::array<platform::SymbolAddress, PcbApiNames.size()> entries{};

template <class Proc>
Proc Entry(std::size_t index) {
  return reinterpret_cast<Proc>(entries[index]);
}

// pi/180 to the 64-bit mantissa of the extended format.
constexpr long double PiOver180 = 0.017453292519943295769236907684886127L;

}  // namespace

void BindPcbApi() {
  platform::ModuleHandle editor = platform::FindLoadedModule(platform::EditorModuleName());
  for (std::size_t i = 0; i < PcbApiNames.size(); ++i) {
    std::string name(PcbApiNames[i]);
    entries[i] = editor != nullptr ? platform::FindSymbol(editor, name.c_str()) : nullptr;
  }
}

void (*PcbApiEntry(std::size_t index))() {
  return index < entries.size() ? entries[index] : nullptr;
}

ObjectHandle PcbApi_GetCurrentBoardHandle() {
  auto f = Entry<PcbApi_GetCurrentBoardHandle_Proc>(PcbApiIndex("PcbApi_GetCurrentBoardHandle"));
  return f != nullptr ? f() : 0;
}

ObjectHandle PcbApi_CreateObject(ObjectId kind) {
  auto f = Entry<PcbApi_CreateObject_Proc>(PcbApiIndex("PcbApi_CreateObject"));
  return f != nullptr ? f(kind) : 0;
}

Status PcbApi_AddObjectToContainer(ObjectHandle container, ObjectHandle object) {
  auto f = Entry<PcbApi_AddObjectToContainer_Proc>(PcbApiIndex("PcbApi_AddObjectToContainer"));
  return f != nullptr ? f(container, object) : 0;
}

ObjectId PcbApi_GetObjectIdFromObjectHandle(ObjectHandle object) {
  auto f = Entry<PcbApi_GetObjectIdFromObjectHandle_Proc>(
      PcbApiIndex("PcbApi_GetObjectIdFromObjectHandle"));
  return f != nullptr ? f(object) : 0;
}

ObjectHandle PcbApi_CreateIterator(ObjectHandle container, ObjectId kind, uint8_t method,
                                   LayerId layer) {
  auto f = Entry<PcbApi_CreateIterator_Proc>(PcbApiIndex("PcbApi_CreateIterator"));
  return f != nullptr ? f(container, kind, method, layer) : 0;
}

ObjectHandle PcbApi_GetFirstObject(ObjectHandle iterator) {
  auto f = Entry<PcbApi_GetFirstObject_Proc>(PcbApiIndex("PcbApi_GetFirstObject"));
  return f != nullptr ? f(iterator) : 0;
}

ObjectHandle PcbApi_GetNextObject(ObjectHandle iterator) {
  auto f = Entry<PcbApi_GetNextObject_Proc>(PcbApiIndex("PcbApi_GetNextObject"));
  return f != nullptr ? f(iterator) : 0;
}

Status PcbApi_DestroyIterator(ObjectHandle iterator) {
  auto f = Entry<PcbApi_DestroyIterator_Proc>(PcbApiIndex("PcbApi_DestroyIterator"));
  return f != nullptr ? f(iterator) : 0;
}

Status PcbApi_QueryObjectBoundingRectangle(ObjectHandle object, Coord* x1, Coord* y1, Coord* x2,
                                           Coord* y2) {
  auto f = Entry<PcbApi_QueryObjectBoundingRectangle_Proc>(
      PcbApiIndex("PcbApi_QueryObjectBoundingRectangle"));
  return f != nullptr ? f(object, x1, y1, x2, y2) : 0;
}

Status PcbApi_QueryObjectImport_FromUser(ObjectHandle object) {
  auto f = Entry<PcbApi_QueryObjectImport_FromUser_Proc>(
      PcbApiIndex("PcbApi_QueryObjectImport_FromUser"));
  return f != nullptr ? f(object) : 0;
}

Status PcbApi_QueryObjectGraphicallyInvalidate(ObjectHandle object) {
  auto f = Entry<PcbApi_QueryObjectGraphicallyInvalidate_Proc>(
      PcbApiIndex("PcbApi_QueryObjectGraphicallyInvalidate"));
  return f != nullptr ? f(object) : 0;
}

void PcbApi_GetObjectBitField2(QueryMode mode, ObjectHandle object, uint8_t* bitField2) {
  if (auto f = Entry<PcbApi_GetObjectBitField2_Proc>(PcbApiIndex("PcbApi_GetObjectBitField2")))
    f(mode, object, bitField2);
}

void PcbApi_GetObjectBitField3(QueryMode mode, ObjectHandle object, uint16_t* bitField3) {
  if (auto f = Entry<PcbApi_GetObjectBitField3_Proc>(PcbApiIndex("PcbApi_GetObjectBitField3")))
    f(mode, object, bitField3);
}

Status PcbApi_QueryPrimitive(QueryMode mode, ObjectHandle object, uint16_t* flags,
                             uint16_t* commonWord, LayerId* layer, ObjectHandle* netHandle,
                             ObjectHandle* componentHandle, uint8_t* commonByte) {
  auto f = Entry<PcbApi_QueryPrimitive_Proc>(PcbApiIndex("PcbApi_QueryPrimitive"));
  return f != nullptr
             ? f(mode, object, flags, commonWord, layer, netHandle, componentHandle, commonByte)
             : 0;
}

Status PcbApi_QueryArc(QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord,
                       LayerId* layer, ObjectHandle* netHandle, uint8_t* commonByte,
                       ObjectHandle* componentHandle, Coord* x, Coord* y, Coord* radius,
                       double* startAngle, double* endAngle, Coord* lineWidth, int32_t* link1) {
  auto f = Entry<PcbApi_QueryArc_Proc>(PcbApiIndex("PcbApi_QueryArc"));
  return f != nullptr ? f(mode, object, flags, commonWord, layer, netHandle, commonByte,
                          componentHandle, x, y, radius, startAngle, endAngle, lineWidth, link1)
                      : 0;
}

Status PcbApi_QueryPad(QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord,
                       LayerId* layer, ObjectHandle* netHandle, uint8_t* commonByte,
                       ObjectHandle* componentHandle, Coord* x, Coord* y, Coord* topXSize,
                       Coord* topYSize, Coord* midXSize, Coord* midYSize, Coord* bottomXSize,
                       Coord* bottomYSize, Coord* holeSize, uint8_t* topShape, uint8_t* midShape,
                       uint8_t* bottomShape, ShortString<20>* name, uint8_t* padByte1,
                       uint8_t* padByte2, double* rotation) {
  auto f = Entry<PcbApi_QueryPad_Proc>(PcbApiIndex("PcbApi_QueryPad"));
  return f != nullptr
             ? f(mode, object, flags, commonWord, layer, netHandle, commonByte, componentHandle, x,
                 y, topXSize, topYSize, midXSize, midYSize, bottomXSize, bottomYSize, holeSize,
                 topShape, midShape, bottomShape, name, padByte1, padByte2, rotation)
             : 0;
}

Status PcbApi_QueryVia(QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord,
                       LayerId* layer, ObjectHandle* netHandle, uint8_t* commonByte,
                       ObjectHandle* componentHandle, Coord* x, Coord* y, Coord* size,
                       Coord* holeSize, LayerId* lowLayer, LayerId* highLayer) {
  auto f = Entry<PcbApi_QueryVia_Proc>(PcbApiIndex("PcbApi_QueryVia"));
  return f != nullptr ? f(mode, object, flags, commonWord, layer, netHandle, commonByte,
                          componentHandle, x, y, size, holeSize, lowLayer, highLayer)
                      : 0;
}

Status PcbApi_QueryTrack(QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord,
                         LayerId* layer, ObjectHandle* netHandle, uint8_t* commonByte,
                         ObjectHandle* componentHandle, Coord* x, Coord* y, Coord* x2, Coord* y2,
                         Coord* width, int32_t* link1, int32_t* link2, int32_t* link3) {
  auto f = Entry<PcbApi_QueryTrack_Proc>(PcbApiIndex("PcbApi_QueryTrack"));
  return f != nullptr ? f(mode, object, flags, commonWord, layer, netHandle, commonByte,
                          componentHandle, x, y, x2, y2, width, link1, link2, link3)
                      : 0;
}

Status PcbApi_QueryText(QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord,
                        LayerId* layer, ObjectHandle* netHandle, uint8_t* commonByte,
                        ObjectHandle* componentHandle, Coord* x, Coord* y, Coord* size,
                        int32_t* font, double* rotation, uint8_t* mirrored, ShortString<254>* text,
                        Coord* lineWidth, int32_t* link2, int32_t* link3) {
  auto f = Entry<PcbApi_QueryText_Proc>(PcbApiIndex("PcbApi_QueryText"));
  return f != nullptr
             ? f(mode, object, flags, commonWord, layer, netHandle, commonByte, componentHandle, x,
                 y, size, font, rotation, mirrored, text, lineWidth, link2, link3)
             : 0;
}

Status PcbApi_QueryFill(QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord,
                        LayerId* layer, ObjectHandle* netHandle, uint8_t* commonByte,
                        ObjectHandle* componentHandle, Coord* x, Coord* y, Coord* x2, Coord* y2,
                        int32_t* link1, double* rotation) {
  auto f = Entry<PcbApi_QueryFill_Proc>(PcbApiIndex("PcbApi_QueryFill"));
  return f != nullptr ? f(mode, object, flags, commonWord, layer, netHandle, commonByte,
                          componentHandle, x, y, x2, y2, link1, rotation)
                      : 0;
}

Status PcbApi_QueryPadStackMode(QueryMode mode, ObjectHandle pad, uint8_t* stackMode) {
  auto f = Entry<PcbApi_QueryPadStackMode_Proc>(PcbApiIndex("PcbApi_QueryPadStackMode"));
  return f != nullptr ? f(mode, pad, stackMode) : 0;
}

Status PcbApi_QueryPadOrViaShapeOnLayer(ObjectHandle object, LayerId layer, uint8_t* shape) {
  auto f =
      Entry<PcbApi_QueryPadOrViaShapeOnLayer_Proc>(PcbApiIndex("PcbApi_QueryPadOrViaShapeOnLayer"));
  return f != nullptr ? f(object, layer, shape) : 0;
}

Status PcbApi_QueryPadOrViaSizeOnLayer(ObjectHandle object, LayerId layer, Coord* xSize,
                                       Coord* ySize) {
  auto f =
      Entry<PcbApi_QueryPadOrViaSizeOnLayer_Proc>(PcbApiIndex("PcbApi_QueryPadOrViaSizeOnLayer"));
  return f != nullptr ? f(object, layer, xSize, ySize) : 0;
}

Status PcbApi_SetPadShapeOnLayer(ObjectHandle pad, LayerId layer, uint8_t shape) {
  auto f = Entry<PcbApi_SetPadShapeOnLayer_Proc>(PcbApiIndex("PcbApi_SetPadShapeOnLayer"));
  return f != nullptr ? f(pad, layer, shape) : 0;
}

Status PcbApi_SetPadSizeOnLayer(ObjectHandle pad, LayerId layer, Coord xSize, Coord ySize) {
  auto f = Entry<PcbApi_SetPadSizeOnLayer_Proc>(PcbApiIndex("PcbApi_SetPadSizeOnLayer"));
  return f != nullptr ? f(pad, layer, xSize, ySize) : 0;
}

Status PcbApi_QueryCoordinate(QueryMode mode, ObjectHandle object, uint16_t* flags,
                              uint16_t* commonWord, uint8_t* commonByte, Coord* x, Coord* y,
                              LayerId* layer, int32_t* field1, int32_t* field2, int32_t* field3,
                              int32_t* field4, int32_t* field5, int32_t* field6) {
  auto f = Entry<PcbApi_QueryCoordinate_Proc>(PcbApiIndex("PcbApi_QueryCoordinate"));
  return f != nullptr ? f(mode, object, flags, commonWord, commonByte, x, y, layer, field1, field2,
                          field3, field4, field5, field6)
                      : 0;
}

Status PcbApi_QueryDimension(QueryMode mode, ObjectHandle object, uint16_t* flags,
                             uint16_t* commonWord, uint8_t* commonByte, Coord* x, Coord* y,
                             int32_t* dimValue1, int32_t* dimValue2, LayerId* layer,
                             int32_t* dimValue3, int32_t* dimValue4, int32_t* dimValue5,
                             int32_t* dimValue6, int32_t* dimValue7, uint8_t* dimValue8) {
  auto f = Entry<PcbApi_QueryDimension_Proc>(PcbApiIndex("PcbApi_QueryDimension"));
  return f != nullptr ? f(mode, object, flags, commonWord, commonByte, x, y, dimValue1, dimValue2,
                          layer, dimValue3, dimValue4, dimValue5, dimValue6, dimValue7, dimValue8)
                      : 0;
}

Status PcbApi_QueryExtDimension(QueryMode mode, ObjectHandle object, uint8_t* ext1, int32_t* ext2,
                                int32_t* ext3, int32_t* ext4, uint8_t* ext5, int32_t* ext6,
                                String255* ext7, uint8_t* ext8, int32_t* ext9, String255* ext10,
                                String255* ext11, double* ext12, int32_t* ext13, int32_t* ext14,
                                int32_t* ext15, uint8_t* ext16, int32_t* ext17, int32_t* ext18,
                                int32_t* ext19) {
  auto f = Entry<PcbApi_QueryExtDimension_Proc>(PcbApiIndex("PcbApi_QueryExtDimension"));
  return f != nullptr ? f(mode, object, ext1, ext2, ext3, ext4, ext5, ext6, ext7, ext8, ext9, ext10,
                          ext11, ext12, ext13, ext14, ext15, ext16, ext17, ext18, ext19)
                      : 0;
}

Status PcbApi_References_Count(ObjectHandle dimension, int32_t* count) {
  auto f = Entry<PcbApi_References_Count_Proc>(PcbApiIndex("PcbApi_References_Count"));
  return f != nullptr ? f(dimension, count) : 0;
}

Status PcbApi_References_At(QueryMode mode, ObjectHandle dimension, int32_t index, int32_t* ref1,
                            int32_t* ref2, int32_t* ref3, int32_t* ref4) {
  auto f = Entry<PcbApi_References_At_Proc>(PcbApiIndex("PcbApi_References_At"));
  return f != nullptr ? f(mode, dimension, index, ref1, ref2, ref3, ref4) : 0;
}

Status PcbApi_QueryPolygon(QueryMode mode, ObjectHandle object, uint16_t* flags,
                           uint16_t* commonWord, LayerId* layer, ObjectHandle* netHandle,
                           uint8_t* commonByte, uint8_t* field2, uint8_t* field3, uint8_t* field4,
                           int32_t* field5, int32_t* field6, uint8_t* field10, uint16_t* field11,
                           int32_t* field7, uint8_t* field1, int32_t* field8, int32_t* field9) {
  auto f = Entry<PcbApi_QueryPolygon_Proc>(PcbApiIndex("PcbApi_QueryPolygon"));
  return f != nullptr
             ? f(mode, object, flags, commonWord, layer, netHandle, commonByte, field2, field3,
                 field4, field5, field6, field10, field11, field7, field1, field8, field9)
             : 0;
}

Status PcbApi_QueryFromTo(QueryMode mode, ObjectHandle object, uint16_t* commonWord, Coord* x,
                          Coord* y, LayerId* fromLayer, Coord* x2, Coord* y2, LayerId* toLayer,
                          ObjectHandle* netHandle) {
  auto f = Entry<PcbApi_QueryFromTo_Proc>(PcbApiIndex("PcbApi_QueryFromTo"));
  return f != nullptr ? f(mode, object, commonWord, x, y, fromLayer, x2, y2, toLayer, netHandle)
                      : 0;
}

Status PcbApi_QueryManualFromTo(QueryMode mode, ObjectHandle object, uint16_t* commonWord,
                                String255* field1, String255* field2, String255* field3,
                                int32_t* field4) {
  auto f = Entry<PcbApi_QueryManualFromTo_Proc>(PcbApiIndex("PcbApi_QueryManualFromTo"));
  return f != nullptr ? f(mode, object, commonWord, field1, field2, field3, field4) : 1;
}

Status PcbApi_QueryNet(QueryMode mode, ObjectHandle object, uint16_t* commonWord, String255* name,
                       uint8_t* netByte1, uint8_t* netByte2) {
  auto f = Entry<PcbApi_QueryNet_Proc>(PcbApiIndex("PcbApi_QueryNet"));
  return f != nullptr ? f(mode, object, commonWord, name, netByte1, netByte2) : 0;
}

Status PcbApi_QueryClass(QueryMode mode, ObjectHandle object, uint16_t* commonWord,
                         uint8_t* classByte1, uint8_t* classByte2, String255* name) {
  auto f = Entry<PcbApi_QueryClass_Proc>(PcbApiIndex("PcbApi_QueryClass"));
  return f != nullptr ? f(mode, object, commonWord, classByte1, classByte2, name) : 0;
}

Status PcbApi_AddMemberToClass(ObjectHandle objectClass, String255* name) {
  auto f = Entry<PcbApi_AddMemberToClass_Proc>(PcbApiIndex("PcbApi_AddMemberToClass"));
  if (f == nullptr) return 1;
  // The editor gets a copy of its own, never the caller's buffer.
  String255 copy = *name;
  return f(objectClass, &copy);
}

Status PcbApi_GetMemberFromClassAt(ObjectHandle objectClass, int32_t index, String255* name) {
  auto f = Entry<PcbApi_GetMemberFromClassAt_Proc>(PcbApiIndex("PcbApi_GetMemberFromClassAt"));
  return f != nullptr ? f(objectClass, index, name) : 1;
}

Status PcbApi_RemoveAllMembersFromClass(ObjectHandle objectClass) {
  auto f =
      Entry<PcbApi_RemoveAllMembersFromClass_Proc>(PcbApiIndex("PcbApi_RemoveAllMembersFromClass"));
  return f != nullptr ? f(objectClass) : 1;
}

Status PcbApi_QueryRule(QueryMode mode, ObjectHandle object, uint8_t* f1, uint8_t* f2, uint8_t* f3,
                        uint8_t* f4, uint8_t* f5, uint8_t* f6, uint8_t* f7, String255* f8,
                        String255* f9, String255* f10, String255* f11, uint8_t* f12, uint8_t* f13,
                        int32_t* f14, int32_t* f15, int32_t* f16, int32_t* f17, String255* f18,
                        String255* f19, String255* f20, String255* f21, String255* f22,
                        String255* f23) {
  auto f = Entry<PcbApi_QueryRule_Proc>(PcbApiIndex("PcbApi_QueryRule"));
  return f != nullptr ? f(mode, object, f1, f2, f3, f4, f5, f6, f7, f8, f9, f10, f11, f12, f13, f14,
                          f15, f16, f17, f18, f19, f20, f21, f22, f23)
                      : 0;
}

Status PcbApi_QueryComponent(QueryMode mode, ObjectHandle component, uint16_t* flags,
                             uint16_t* commonWord, LayerId* layer, uint8_t* commonByte,
                             ObjectHandle* nameHandle, ObjectHandle* commentHandle,
                             ShortString<250>* pattern, uint8_t* componentByte1,
                             uint8_t* componentByte2, Coord* x, Coord* y, int32_t* componentValue,
                             double* rotation, uint8_t* componentByte3) {
  auto f = Entry<PcbApi_QueryComponent_Proc>(PcbApiIndex("PcbApi_QueryComponent"));
  return f != nullptr ? f(mode, component, flags, commonWord, layer, commonByte, nameHandle,
                          commentHandle, pattern, componentByte1, componentByte2, x, y,
                          componentValue, rotation, componentByte3)
                      : 0;
}

Status PcbApi_QueryComponentEx(QueryMode mode, ObjectHandle component, int32_t* exValue1,
                               uint8_t* exByte1, uint8_t* exByte2, int32_t* exValue2) {
  auto f = Entry<PcbApi_QueryComponentEx_Proc>(PcbApiIndex("PcbApi_QueryComponentEx"));
  return f != nullptr ? f(mode, component, exValue1, exByte1, exByte2, exValue2) : 0;
}

Status PcbApi_QueryComponentSourceLinks(QueryMode mode, ObjectHandle component, String255* link1,
                                        String255* link2, String255* link3, String255* link4,
                                        String255* link5, String255* link6, String255* link7) {
  auto f =
      Entry<PcbApi_QueryComponentSourceLinks_Proc>(PcbApiIndex("PcbApi_QueryComponentSourceLinks"));
  return f != nullptr ? f(mode, component, link1, link2, link3, link4, link5, link6, link7) : 0;
}

Status PcbApi_QueryComponentChannelOffset(QueryMode mode, ObjectHandle component,
                                          int32_t* channelOffset) {
  auto f = Entry<PcbApi_QueryComponentChannelOffset_Proc>(
      PcbApiIndex("PcbApi_QueryComponentChannelOffset"));
  return f != nullptr ? f(mode, component, channelOffset) : 0;
}

Status PcbApi_QueryComponentKind(QueryMode mode, ObjectHandle component, uint8_t* componentKind) {
  auto f = Entry<PcbApi_QueryComponentKind_Proc>(PcbApiIndex("PcbApi_QueryComponentKind"));
  return f != nullptr ? f(mode, component, componentKind) : 0;
}

Status PcbApi_QueryBoard(QueryMode mode, ObjectHandle board, int32_t* boardValue1,
                         String255* fileName, uint8_t* isLibrary, int32_t* boardValue2,
                         int32_t* boardValue3, int32_t* boardValue4, int32_t* boardValue5,
                         uint8_t* boardByte1, uint8_t* boardByte2, int32_t* boardValue6) {
  auto f = Entry<PcbApi_QueryBoard_Proc>(PcbApiIndex("PcbApi_QueryBoard"));
  return f != nullptr ? f(mode, board, boardValue1, fileName, isLibrary, boardValue2, boardValue3,
                          boardValue4, boardValue5, boardByte1, boardByte2, boardValue6)
                      : 0;
}

Status PcbApi_QueryBoardGridsEx(QueryMode mode, ObjectHandle board, uint8_t* gridByte1,
                                uint8_t* gridByte2, uint8_t* gridByte3, uint8_t* gridByte4,
                                double* gridValue1, double* gridValue2, double* gridValue3,
                                double* gridValue4, int32_t* gridInteger1, uint8_t* gridByte5,
                                double* gridValue5, double* gridValue6, double* gridValue7,
                                double* gridValue8) {
  auto f = Entry<PcbApi_QueryBoardGridsEx_Proc>(PcbApiIndex("PcbApi_QueryBoardGridsEx"));
  return f != nullptr ? f(mode, board, gridByte1, gridByte2, gridByte3, gridByte4, gridValue1,
                          gridValue2, gridValue3, gridValue4, gridInteger1, gridByte5, gridValue5,
                          gridValue6, gridValue7, gridValue8)
                      : 0;
}

Status PcbApi_QueryBoardLayerPairsCount(ObjectHandle board, int32_t* count) {
  auto f =
      Entry<PcbApi_QueryBoardLayerPairsCount_Proc>(PcbApiIndex("PcbApi_QueryBoardLayerPairsCount"));
  return f != nullptr ? f(board, count) : 1;
}

Status PcbApi_QueryBoardLayerPairAt(QueryMode mode, ObjectHandle board, int32_t index,
                                    LayerId* layer1, LayerId* layer2, uint8_t* pairByteB,
                                    uint8_t* pairByteA) {
  auto f = Entry<PcbApi_QueryBoardLayerPairAt_Proc>(PcbApiIndex("PcbApi_QueryBoardLayerPairAt"));
  return f != nullptr ? f(mode, board, index, layer1, layer2, pairByteB, pairByteA) : 0;
}

Status PcbApi_QueryBoardEngineeringChangeOrderOptions(QueryMode mode, ObjectHandle board,
                                                      uint8_t* ecoByte, String255* ecoText) {
  auto f = Entry<PcbApi_QueryBoardEngineeringChangeOrderOptions_Proc>(
      PcbApiIndex("PcbApi_QueryBoardEngineeringChangeOrderOptions"));
  return f != nullptr ? f(mode, board, ecoByte, ecoText) : 0;
}

Status PcbApi_QueryBoardOutputOptions(QueryMode mode, ObjectHandle board, int32_t* value1,
                                      int32_t* value2, uint8_t* b1, uint8_t* b2, uint8_t* b3,
                                      uint8_t* b4, uint8_t* b5, uint8_t* b6, uint8_t* b7,
                                      uint8_t* b8, uint8_t* b9, uint8_t* b10, uint8_t* b11,
                                      uint8_t* b12, uint8_t* b13, uint8_t* b14, uint8_t* b15,
                                      uint8_t* b16, uint8_t* b17, uint8_t* b18, uint8_t* b19,
                                      uint8_t* b20, uint8_t* b21, uint8_t* b22) {
  auto f =
      Entry<PcbApi_QueryBoardOutputOptions_Proc>(PcbApiIndex("PcbApi_QueryBoardOutputOptions"));
  return f != nullptr ? f(mode, board, value1, value2, b1, b2, b3, b4, b5, b6, b7, b8, b9, b10, b11,
                          b12, b13, b14, b15, b16, b17, b18, b19, b20, b21, b22)
                      : 0;
}

Status PcbApi_QueryBoardOutputOptionsPlotLayers(QueryMode mode, ObjectHandle board, LayerId index,
                                                uint8_t* plotLayer) {
  auto f = Entry<PcbApi_QueryBoardOutputOptionsPlotLayers_Proc>(
      PcbApiIndex("PcbApi_QueryBoardOutputOptionsPlotLayers"));
  return f != nullptr ? f(mode, board, index, plotLayer) : 0;
}

Status PcbApi_QueryBoardOutputOptionsFlipLayers(QueryMode mode, ObjectHandle board, LayerId index,
                                                uint8_t* flipLayer) {
  auto f = Entry<PcbApi_QueryBoardOutputOptionsFlipLayers_Proc>(
      PcbApiIndex("PcbApi_QueryBoardOutputOptionsFlipLayers"));
  return f != nullptr ? f(mode, board, index, flipLayer) : 0;
}

Status PcbApi_QueryBoardAdvancedPlacerOptions(QueryMode mode, ObjectHandle board, String255* text1,
                                              String255* text2, uint8_t* b1, uint8_t* b2,
                                              uint8_t* b3, uint8_t* b4) {
  auto f = Entry<PcbApi_QueryBoardAdvancedPlacerOptions_Proc>(
      PcbApiIndex("PcbApi_QueryBoardAdvancedPlacerOptions"));
  return f != nullptr ? f(mode, board, text1, text2, b1, b2, b3, b4) : 0;
}

Status PcbApi_QueryBoardGerberOptions(QueryMode mode, ObjectHandle board, uint8_t* b1, uint8_t* b2,
                                      uint8_t* b3, uint8_t* b4, uint8_t* b5, uint8_t* b6,
                                      uint8_t* b7, int32_t* v1, int32_t* v2, int32_t* v3,
                                      int32_t* v4, int32_t* v5, String255* text, int32_t* v6,
                                      uint8_t* b8, uint8_t* b9, int32_t* v7, int32_t* v8) {
  auto f =
      Entry<PcbApi_QueryBoardGerberOptions_Proc>(PcbApiIndex("PcbApi_QueryBoardGerberOptions"));
  return f != nullptr ? f(mode, board, b1, b2, b3, b4, b5, b6, b7, v1, v2, v3, v4, v5, text, v6, b8,
                          b9, v7, v8)
                      : 0;
}

Status PcbApi_QueryBoardPrinterOptions(QueryMode mode, ObjectHandle board, String255* text1,
                                       String255* text2, String255* text3, uint8_t* b1, uint8_t* b2,
                                       uint8_t* b3, uint8_t* b4, uint8_t* b5, uint8_t* b6,
                                       int32_t* v1, double* v2, double* v3, double* v4,
                                       ByteBlock<22>* field, uint8_t* b7, uint8_t* b8, double* v5,
                                       double* v6, double* v7, int32_t* v8, int32_t* v9,
                                       uint8_t* b9, uint8_t* b10, uint8_t* b11, uint8_t* b12,
                                       uint8_t* b13) {
  auto f =
      Entry<PcbApi_QueryBoardPrinterOptions_Proc>(PcbApiIndex("PcbApi_QueryBoardPrinterOptions"));
  return f != nullptr ? f(mode, board, text1, text2, text3, b1, b2, b3, b4, b5, b6, v1, v2, v3, v4,
                          field, b7, b8, v5, v6, v7, v8, v9, b9, b10, b11, b12, b13)
                      : 0;
}

Status PcbApi_QueryBoardPrinterOptionsPlotterPen(QueryMode mode, ObjectHandle board, int32_t pen,
                                                 int32_t* penValueA, int32_t* penValueB) {
  auto f = Entry<PcbApi_QueryBoardPrinterOptionsPlotterPen_Proc>(
      PcbApiIndex("PcbApi_QueryBoardPrinterOptionsPlotterPen"));
  return f != nullptr ? f(mode, board, pen, penValueA, penValueB) : 0;
}

Status PcbApi_QueryBoardPrinterOptionsCompositeLayer(QueryMode mode, ObjectHandle board,
                                                     LayerId layer, int32_t* compositeA,
                                                     int32_t* compositeB, uint8_t* compositeC,
                                                     int32_t* compositeD) {
  auto f = Entry<PcbApi_QueryBoardPrinterOptionsCompositeLayer_Proc>(
      PcbApiIndex("PcbApi_QueryBoardPrinterOptionsCompositeLayer"));
  return f != nullptr ? f(mode, board, layer, compositeA, compositeB, compositeC, compositeD) : 0;
}

Status PcbApi_QueryBoardExternalDielectrics(QueryMode mode, ObjectHandle board,
                                            String255* topMaterial, uint8_t* topType,
                                            double* topConstant, Coord* topHeight,
                                            String255* bottomMaterial, uint8_t* bottomType,
                                            double* bottomConstant, Coord* bottomHeight) {
  auto f = Entry<PcbApi_QueryBoardExternalDielectrics_Proc>(
      PcbApiIndex("PcbApi_QueryBoardExternalDielectrics"));
  return f != nullptr ? f(mode, board, topMaterial, topType, topConstant, topHeight, bottomMaterial,
                          bottomType, bottomConstant, bottomHeight)
                      : 0;
}

Status PcbApi_QueryBoardLayerInfo(QueryMode mode, ObjectHandle board, LayerId layer,
                                  int32_t* layerInfo, uint8_t* scratch1, uint8_t* scratch2) {
  auto f = Entry<PcbApi_QueryBoardLayerInfo_Proc>(PcbApiIndex("PcbApi_QueryBoardLayerInfo"));
  return f != nullptr ? f(mode, board, layer, layerInfo, scratch1, scratch2) : 0;
}

Status PcbApi_QueryLayer(QueryMode mode, LayerId layer, ObjectHandle board, String255* name,
                         Coord* copperThickness, uint8_t* layerByte1, uint8_t* layerByte2,
                         LayerId* previousLayer, LayerId* nextLayer, uint8_t* layerByte3) {
  auto f = Entry<PcbApi_QueryLayer_Proc>(PcbApiIndex("PcbApi_QueryLayer"));
  return f != nullptr ? f(mode, layer, board, name, copperThickness, layerByte1, layerByte2,
                          previousLayer, nextLayer, layerByte3)
                      : 0;
}

Status PcbApi_QueryInternalPlane(QueryMode mode, LayerId layer, ObjectHandle board, String255* name,
                                 Coord* copperThickness, uint8_t* layerByte1, uint8_t* layerByte2,
                                 LayerId* previousLayer, LayerId* nextLayer, String255* netName) {
  auto f = Entry<PcbApi_QueryInternalPlane_Proc>(PcbApiIndex("PcbApi_QueryInternalPlane"));
  return f != nullptr ? f(mode, layer, board, name, copperThickness, layerByte1, layerByte2,
                          previousLayer, nextLayer, netName)
                      : 0;
}

Status PcbApi_QueryLayerDielectric(QueryMode mode, LayerId layer, ObjectHandle board,
                                   String255* material, uint8_t* type, double* constant,
                                   Coord* height) {
  auto f = Entry<PcbApi_QueryLayerDielectric_Proc>(PcbApiIndex("PcbApi_QueryLayerDielectric"));
  return f != nullptr ? f(mode, layer, board, material, type, constant, height) : 0;
}

long double RoundHalfEven(long double value) {
  long double below = std::floor(value);
  long double rest = value - below;
  if (rest > 0.5L) return below + 1;
  if (rest < 0.5L) return below;
  return std::fmod(below, 2.0L) == 0 ? below : below + 1;
}

double RoundToDouble(long double value) {
  // Where doubles are computed on the x87 stack (32-bit x86), a value can otherwise keep its
  // extended precision through assignments and returns; the store to memory rounds it.
  volatile double stored = static_cast<double>(value);
  return stored;
}

double DegreesToRadians(double degrees) {
  return RoundToDouble(static_cast<long double>(degrees) * PiOver180);
}

double CoordToMils(Coord c) {
  // Every named step is held as a double so that a value whose fourth decimal is 5 rounds the way
  // its stored binary value lies; only the product f * 1000 keeps extended precision.
  const double x = RoundToDouble(c / 10000.0L);
  const double w = RoundToDouble(static_cast<long double>(static_cast<int64_t>(x)));
  double f = RoundToDouble(static_cast<long double>(x) - w);
  const double r = RoundToDouble(RoundHalfEven(static_cast<long double>(f) * 1000));
  f = RoundToDouble(static_cast<long double>(r) / 1000);
  return RoundToDouble(static_cast<long double>(w) + f);
}

}  // namespace qv
