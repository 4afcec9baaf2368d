#pragma once
// The PCB editor's function family as it crosses the module boundary: the exact parameter types,
// widths and order of every function that the module calls. The module's bindings call through
// these types and the stand-in editor exports functions of exactly these types.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/CallingConvention.h"

namespace qv {

using ObjectHandle = uint32_t;  // an editor object, board or iterator; 0 is none
using ObjectId = uint8_t;       // the kind of an editor object
using QueryMode = uint8_t;      // first argument of every record query
using LayerId = uint8_t;        // 0 to 82
using Coord = int32_t;          // 1/10000 mil
using Status = int32_t;         // 0 is success

constexpr QueryMode qmSet = 0;
constexpr QueryMode qmGet = 1;
constexpr QueryMode qmUpdate = 2;

// A length-prefixed string: one length byte followed by at most `Capacity` characters.
template <std::size_t Capacity>
struct ShortString {
  static_assert(Capacity >= 1 && Capacity <= 255);
  uint8_t Length = 0;
  char Chars[Capacity] = {};

  static constexpr std::size_t capacity() { return Capacity; }
  std::string_view View() const {
    return {Chars, Length <= Capacity ? Length : Capacity};
  }
  // Stores at most `Capacity` characters of `text`.
  void Assign(std::string_view text) {
    std::size_t n = text.size() < Capacity ? text.size() : Capacity;
    for (std::size_t i = 0; i < n; ++i) Chars[i] = text[i];
    Length = static_cast<uint8_t>(n);
  }
  friend bool operator==(const ShortString& a, const ShortString& b) {
    return a.View() == b.View();
  }
};
static_assert(sizeof(ShortString<20>) == 21 && sizeof(ShortString<255>) == 256);

using String255 = ShortString<255>;  // the 256-byte strings of names, texts and options

// A block of bytes that a record reserves and only carries.
template <std::size_t N>
struct ByteBlock {
  uint8_t Bytes[N] = {};
  friend bool operator==(const ByteBlock&, const ByteBlock&) = default;
};

// Pointer types of the editor functions, one per wrapped name (suffix _Proc).
using PcbApi_GetCurrentBoardHandle_Proc = ObjectHandle(QV_STDCALL*)();
using PcbApi_CreateObject_Proc = ObjectHandle(QV_STDCALL*)(ObjectId kind);
using PcbApi_AddObjectToContainer_Proc = Status(QV_STDCALL*)(ObjectHandle container,
                                                             ObjectHandle object);
using PcbApi_GetObjectIdFromObjectHandle_Proc = ObjectId(QV_STDCALL*)(ObjectHandle object);
using PcbApi_CreateIterator_Proc = ObjectHandle(QV_STDCALL*)(ObjectHandle container, ObjectId kind,
                                                             uint8_t method, LayerId layer);
using PcbApi_GetFirstObject_Proc = ObjectHandle(QV_STDCALL*)(ObjectHandle iterator);
using PcbApi_GetNextObject_Proc = ObjectHandle(QV_STDCALL*)(ObjectHandle iterator);
using PcbApi_DestroyIterator_Proc = Status(QV_STDCALL*)(ObjectHandle iterator);
using PcbApi_QueryObjectBoundingRectangle_Proc = Status(QV_STDCALL*)(ObjectHandle object,
                                                                     Coord* x1, Coord* y1,
                                                                     Coord* x2, Coord* y2);
using PcbApi_QueryObjectImport_FromUser_Proc = Status(QV_STDCALL*)(ObjectHandle object);
using PcbApi_QueryObjectGraphicallyInvalidate_Proc = Status(QV_STDCALL*)(ObjectHandle object);
using PcbApi_GetObjectBitField2_Proc = void(QV_STDCALL*)(QueryMode mode, ObjectHandle object,
                                                         uint8_t* bitField2);
using PcbApi_GetObjectBitField3_Proc = void(QV_STDCALL*)(QueryMode mode, ObjectHandle object,
                                                         uint16_t* bitField3);
using PcbApi_QueryPrimitive_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle object,
                                                       uint16_t* flags, uint16_t* commonWord,
                                                       LayerId* layer, ObjectHandle* netHandle,
                                                       ObjectHandle* componentHandle,
                                                       uint8_t* commonByte);

// The common part that every primitive query passes first, after the mode and the handle:
// Flags, CommonWord, Layer, NetHandle, CommonByte, ComponentHandle, X, Y.
#define QV_PRIMITIVE_COMMON_PARAMETERS                                                      \
  uint16_t *flags, uint16_t *commonWord, LayerId *layer, ObjectHandle *netHandle,           \
      uint8_t *commonByte, ObjectHandle *componentHandle, Coord *x, Coord *y

using PcbApi_QueryArc_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle object,
                                                 QV_PRIMITIVE_COMMON_PARAMETERS, Coord* radius,
                                                 double* startAngle, double* endAngle,
                                                 Coord* lineWidth, int32_t* link1);
using PcbApi_QueryPad_Proc = Status(QV_STDCALL*)(
    QueryMode mode, ObjectHandle object, QV_PRIMITIVE_COMMON_PARAMETERS, Coord* topXSize,
    Coord* topYSize, Coord* midXSize, Coord* midYSize, Coord* bottomXSize, Coord* bottomYSize,
    Coord* holeSize, uint8_t* topShape, uint8_t* midShape, uint8_t* bottomShape,
    ShortString<20>* name, uint8_t* padByte1, uint8_t* padByte2, double* rotation);
using PcbApi_QueryVia_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle object,
                                                 QV_PRIMITIVE_COMMON_PARAMETERS, Coord* size,
                                                 Coord* holeSize, LayerId* lowLayer,
                                                 LayerId* highLayer);
using PcbApi_QueryTrack_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle object,
                                                   QV_PRIMITIVE_COMMON_PARAMETERS, Coord* x2,
                                                   Coord* y2, Coord* width, int32_t* link1,
                                                   int32_t* link2, int32_t* link3);
using PcbApi_QueryText_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle object,
                                                  QV_PRIMITIVE_COMMON_PARAMETERS, Coord* size,
                                                  int32_t* font, double* rotation,
                                                  uint8_t* mirrored, ShortString<254>* text,
                                                  Coord* lineWidth, int32_t* link2,
                                                  int32_t* link3);
using PcbApi_QueryFill_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle object,
                                                  QV_PRIMITIVE_COMMON_PARAMETERS, Coord* x2,
                                                  Coord* y2, int32_t* link1, double* rotation);
#undef QV_PRIMITIVE_COMMON_PARAMETERS

using PcbApi_QueryPadStackMode_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle pad,
                                                          uint8_t* stackMode);
using PcbApi_QueryPadOrViaShapeOnLayer_Proc = Status(QV_STDCALL*)(ObjectHandle object,
                                                                  LayerId layer, uint8_t* shape);
using PcbApi_QueryPadOrViaSizeOnLayer_Proc = Status(QV_STDCALL*)(ObjectHandle object,
                                                                 LayerId layer, Coord* xSize,
                                                                 Coord* ySize);
using PcbApi_SetPadShapeOnLayer_Proc = Status(QV_STDCALL*)(ObjectHandle pad, LayerId layer,
                                                           uint8_t shape);
using PcbApi_SetPadSizeOnLayer_Proc = Status(QV_STDCALL*)(ObjectHandle pad, LayerId layer,
                                                          Coord xSize, Coord ySize);

using PcbApi_QueryCoordinate_Proc = Status(QV_STDCALL*)(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord,
    uint8_t* commonByte, Coord* x, Coord* y, LayerId* layer, int32_t* field1, int32_t* field2,
    int32_t* field3, int32_t* field4, int32_t* field5, int32_t* field6);
using PcbApi_QueryDimension_Proc = Status(QV_STDCALL*)(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord,
    uint8_t* commonByte, Coord* x, Coord* y, int32_t* dimValue1, int32_t* dimValue2,
    LayerId* layer, int32_t* dimValue3, int32_t* dimValue4, int32_t* dimValue5,
    int32_t* dimValue6, int32_t* dimValue7, uint8_t* dimValue8);
using PcbApi_QueryExtDimension_Proc = Status(QV_STDCALL*)(
    QueryMode mode, ObjectHandle object, uint8_t* ext1, int32_t* ext2, int32_t* ext3,
    int32_t* ext4, uint8_t* ext5, int32_t* ext6, String255* ext7, uint8_t* ext8, int32_t* ext9,
    String255* ext10, String255* ext11, double* ext12, int32_t* ext13, int32_t* ext14,
    int32_t* ext15, uint8_t* ext16, int32_t* ext17, int32_t* ext18, int32_t* ext19);
using PcbApi_References_Count_Proc = Status(QV_STDCALL*)(ObjectHandle dimension, int32_t* count);
using PcbApi_References_At_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle dimension,
                                                      int32_t index, int32_t* ref1, int32_t* ref2,
                                                      int32_t* ref3, int32_t* ref4);
using PcbApi_QueryPolygon_Proc = Status(QV_STDCALL*)(
    QueryMode mode, ObjectHandle object, uint16_t* flags, uint16_t* commonWord, LayerId* layer,
    ObjectHandle* netHandle, uint8_t* commonByte, uint8_t* field2, uint8_t* field3,
    uint8_t* field4, int32_t* field5, int32_t* field6, uint8_t* field10, uint16_t* field11,
    int32_t* field7, uint8_t* field1, int32_t* field8, int32_t* field9);
using PcbApi_QueryFromTo_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle object,
                                                    uint16_t* commonWord, Coord* x, Coord* y,
                                                    LayerId* fromLayer, Coord* x2, Coord* y2,
                                                    LayerId* toLayer, ObjectHandle* netHandle);
using PcbApi_QueryManualFromTo_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle object,
                                                          uint16_t* commonWord, String255* field1,
                                                          String255* field2, String255* field3,
                                                          int32_t* field4);
using PcbApi_QueryNet_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle object,
                                                 uint16_t* commonWord, String255* name,
                                                 uint8_t* netByte1, uint8_t* netByte2);
using PcbApi_QueryClass_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle object,
                                                   uint16_t* commonWord, uint8_t* classByte1,
                                                   uint8_t* classByte2, String255* name);
using PcbApi_AddMemberToClass_Proc = Status(QV_STDCALL*)(ObjectHandle objectClass,
                                                         String255* name);
using PcbApi_GetMemberFromClassAt_Proc = Status(QV_STDCALL*)(ObjectHandle objectClass,
                                                             int32_t index, String255* name);
using PcbApi_RemoveAllMembersFromClass_Proc = Status(QV_STDCALL*)(ObjectHandle objectClass);
using PcbApi_QueryRule_Proc = Status(QV_STDCALL*)(
    QueryMode mode, ObjectHandle object, uint8_t* f1, uint8_t* f2, uint8_t* f3, uint8_t* f4,
    uint8_t* f5, uint8_t* f6, uint8_t* f7, String255* f8, String255* f9, String255* f10,
    String255* f11, uint8_t* f12, uint8_t* f13, int32_t* f14, int32_t* f15, int32_t* f16,
    int32_t* f17, String255* f18, String255* f19, String255* f20, String255* f21,
    String255* f22, String255* f23);

using PcbApi_QueryComponent_Proc = Status(QV_STDCALL*)(
    QueryMode mode, ObjectHandle component, uint16_t* flags, uint16_t* commonWord,
    LayerId* layer, uint8_t* commonByte, ObjectHandle* nameHandle, ObjectHandle* commentHandle,
    ShortString<250>* pattern, uint8_t* componentByte1, uint8_t* componentByte2, Coord* x,
    Coord* y, int32_t* componentValue, double* rotation, uint8_t* componentByte3);
using PcbApi_QueryComponentEx_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle component,
                                                         int32_t* exValue1, uint8_t* exByte1,
                                                         uint8_t* exByte2, int32_t* exValue2);
using PcbApi_QueryComponentSourceLinks_Proc = Status(QV_STDCALL*)(
    QueryMode mode, ObjectHandle component, String255* link1, String255* link2, String255* link3,
    String255* link4, String255* link5, String255* link6, String255* link7);
using PcbApi_QueryComponentChannelOffset_Proc = Status(QV_STDCALL*)(QueryMode mode,
                                                                    ObjectHandle component,
                                                                    int32_t* channelOffset);
using PcbApi_QueryComponentKind_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle component,
                                                           uint8_t* componentKind);

using PcbApi_QueryBoard_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle board,
                                                   int32_t* boardValue1, String255* fileName,
                                                   uint8_t* isLibrary, int32_t* boardValue2,
                                                   int32_t* boardValue3, int32_t* boardValue4,
                                                   int32_t* boardValue5, uint8_t* boardByte1,
                                                   uint8_t* boardByte2, int32_t* boardValue6);
using PcbApi_QueryBoardGridsEx_Proc = Status(QV_STDCALL*)(
    QueryMode mode, ObjectHandle board, uint8_t* gridByte1, uint8_t* gridByte2,
    uint8_t* gridByte3, uint8_t* gridByte4, double* gridValue1, double* gridValue2,
    double* gridValue3, double* gridValue4, int32_t* gridInteger1, uint8_t* gridByte5,
    double* gridValue5, double* gridValue6, double* gridValue7, double* gridValue8);
using PcbApi_QueryBoardLayerPairsCount_Proc = Status(QV_STDCALL*)(ObjectHandle board,
                                                                  int32_t* count);
using PcbApi_QueryBoardLayerPairAt_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle board,
                                                              int32_t index, LayerId* layer1,
                                                              LayerId* layer2, uint8_t* pairByteB,
                                                              uint8_t* pairByteA);
using PcbApi_QueryBoardEngineeringChangeOrderOptions_Proc =
    Status(QV_STDCALL*)(QueryMode mode, ObjectHandle board, uint8_t* ecoByte, String255* ecoText);
using PcbApi_QueryBoardOutputOptions_Proc = Status(QV_STDCALL*)(
    QueryMode mode, ObjectHandle board, int32_t* value1, int32_t* value2, uint8_t* b1,
    uint8_t* b2, uint8_t* b3, uint8_t* b4, uint8_t* b5, uint8_t* b6, uint8_t* b7, uint8_t* b8,
    uint8_t* b9, uint8_t* b10, uint8_t* b11, uint8_t* b12, uint8_t* b13, uint8_t* b14,
    uint8_t* b15, uint8_t* b16, uint8_t* b17, uint8_t* b18, uint8_t* b19, uint8_t* b20,
    uint8_t* b21, uint8_t* b22);
using PcbApi_QueryBoardOutputOptionsPlotLayers_Proc = Status(QV_STDCALL*)(QueryMode mode,
                                                                          ObjectHandle board,
                                                                          LayerId index,
                                                                          uint8_t* plotLayer);
using PcbApi_QueryBoardOutputOptionsFlipLayers_Proc = Status(QV_STDCALL*)(QueryMode mode,
                                                                          ObjectHandle board,
                                                                          LayerId index,
                                                                          uint8_t* flipLayer);
using PcbApi_QueryBoardAdvancedPlacerOptions_Proc = Status(QV_STDCALL*)(
    QueryMode mode, ObjectHandle board, String255* text1, String255* text2, uint8_t* b1,
    uint8_t* b2, uint8_t* b3, uint8_t* b4);
using PcbApi_QueryBoardGerberOptions_Proc = Status(QV_STDCALL*)(
    QueryMode mode, ObjectHandle board, uint8_t* b1, uint8_t* b2, uint8_t* b3, uint8_t* b4,
    uint8_t* b5, uint8_t* b6, uint8_t* b7, int32_t* v1, int32_t* v2, int32_t* v3, int32_t* v4,
    int32_t* v5, String255* text, int32_t* v6, uint8_t* b8, uint8_t* b9, int32_t* v7,
    int32_t* v8);
using PcbApi_QueryBoardPrinterOptions_Proc = Status(QV_STDCALL*)(
    QueryMode mode, ObjectHandle board, String255* text1, String255* text2, String255* text3,
    uint8_t* b1, uint8_t* b2, uint8_t* b3, uint8_t* b4, uint8_t* b5, uint8_t* b6, int32_t* v1,
    double* v2, double* v3, double* v4, ByteBlock<22>* field, uint8_t* b7, uint8_t* b8,
    double* v5, double* v6, double* v7, int32_t* v8, int32_t* v9, uint8_t* b9, uint8_t* b10,
    uint8_t* b11, uint8_t* b12, uint8_t* b13);
using PcbApi_QueryBoardPrinterOptionsPlotterPen_Proc = Status(QV_STDCALL*)(QueryMode mode,
                                                                           ObjectHandle board,
                                                                           int32_t pen,
                                                                           int32_t* penValueA,
                                                                           int32_t* penValueB);
using PcbApi_QueryBoardPrinterOptionsCompositeLayer_Proc = Status(QV_STDCALL*)(
    QueryMode mode, ObjectHandle board, LayerId layer, int32_t* compositeA, int32_t* compositeB,
    uint8_t* compositeC, int32_t* compositeD);
using PcbApi_QueryBoardExternalDielectrics_Proc = Status(QV_STDCALL*)(
    QueryMode mode, ObjectHandle board, String255* topMaterial, uint8_t* topType,
    double* topConstant, Coord* topHeight, String255* bottomMaterial, uint8_t* bottomType,
    double* bottomConstant, Coord* bottomHeight);
using PcbApi_QueryBoardLayerInfo_Proc = Status(QV_STDCALL*)(QueryMode mode, ObjectHandle board,
                                                            LayerId layer, int32_t* layerInfo,
                                                            uint8_t* scratch1, uint8_t* scratch2);
using PcbApi_QueryLayer_Proc = Status(QV_STDCALL*)(QueryMode mode, LayerId layer,
                                                   ObjectHandle board, String255* name,
                                                   Coord* copperThickness, uint8_t* layerByte1,
                                                   uint8_t* layerByte2, LayerId* previousLayer,
                                                   LayerId* nextLayer, uint8_t* layerByte3);
using PcbApi_QueryInternalPlane_Proc = Status(QV_STDCALL*)(QueryMode mode, LayerId layer,
                                                           ObjectHandle board, String255* name,
                                                           Coord* copperThickness,
                                                           uint8_t* layerByte1, uint8_t* layerByte2,
                                                           LayerId* previousLayer,
                                                           LayerId* nextLayer, String255* netName);
using PcbApi_QueryLayerDielectric_Proc = Status(QV_STDCALL*)(QueryMode mode, LayerId layer,
                                                             ObjectHandle board,
                                                             String255* material, uint8_t* type,
                                                             double* constant, Coord* height);

}  // namespace qv
