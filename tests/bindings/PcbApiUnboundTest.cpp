// The editor bindings with no editor module in the process, and the unit conversions.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <set>
#include <string>

#include "bindings/PCBProcs.h"

namespace qv {
namespace {

// One block that every field pointer of the unbound calls points into; a wrapper that wrote
// through a pointer would change its pattern.
alignas(16) unsigned char scratch[1024];

template <class T>
T* Scratch() {
  return reinterpret_cast<T*>(scratch);
}

struct UnboundCase {
  const char* Name;
  int64_t Default;
  std::function<int64_t()> Call;
};

TEST(PcbApiUnbound, EveryWrapperAnswersItsDefaultAndTouchesNothing) {
  BindPcbApi();  // no editor module is loaded in this program
  const UnboundCase cases[] = {
      {"PcbApi_GetCurrentBoardHandle", 0,
       [] { return static_cast<int64_t>(PcbApi_GetCurrentBoardHandle()); }},
      {"PcbApi_CreateObject", 0,
       [] { return static_cast<int64_t>(PcbApi_CreateObject(ObjectId{7})); }},
      {"PcbApi_AddObjectToContainer", 0,
       [] {
         return static_cast<int64_t>(PcbApi_AddObjectToContainer(ObjectHandle{7}, ObjectHandle{7}));
       }},
      {"PcbApi_GetObjectIdFromObjectHandle", 0,
       [] { return static_cast<int64_t>(PcbApi_GetObjectIdFromObjectHandle(ObjectHandle{7})); }},
      {"PcbApi_CreateIterator", 0,
       [] {
         return static_cast<int64_t>(
             PcbApi_CreateIterator(ObjectHandle{7}, ObjectId{7}, uint8_t{7}, LayerId{7}));
       }},
      {"PcbApi_GetFirstObject", 0,
       [] { return static_cast<int64_t>(PcbApi_GetFirstObject(ObjectHandle{7})); }},
      {"PcbApi_GetNextObject", 0,
       [] { return static_cast<int64_t>(PcbApi_GetNextObject(ObjectHandle{7})); }},
      {"PcbApi_DestroyIterator", 0,
       [] { return static_cast<int64_t>(PcbApi_DestroyIterator(ObjectHandle{7})); }},
      {"PcbApi_QueryObjectBoundingRectangle", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryObjectBoundingRectangle(
             ObjectHandle{7}, Scratch<Coord>(), Scratch<Coord>(), Scratch<Coord>(),
             Scratch<Coord>()));
       }},
      {"PcbApi_QueryObjectImport_FromUser", 0,
       [] { return static_cast<int64_t>(PcbApi_QueryObjectImport_FromUser(ObjectHandle{7})); }},
      {"PcbApi_QueryObjectGraphicallyInvalidate", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryObjectGraphicallyInvalidate(ObjectHandle{7}));
       }},
      {"PcbApi_GetObjectBitField2", 0,
       [] {
         PcbApi_GetObjectBitField2(QueryMode{7}, ObjectHandle{7}, Scratch<uint8_t>());
         return int64_t{0};
       }},
      {"PcbApi_GetObjectBitField3", 0,
       [] {
         PcbApi_GetObjectBitField3(QueryMode{7}, ObjectHandle{7}, Scratch<uint16_t>());
         return int64_t{0};
       }},
      {"PcbApi_QueryPrimitive", 0,
       [] {
         return static_cast<int64_t>(
             PcbApi_QueryPrimitive(QueryMode{7}, ObjectHandle{7}, Scratch<uint16_t>(),
                                   Scratch<uint16_t>(), Scratch<LayerId>(), Scratch<ObjectHandle>(),
                                   Scratch<ObjectHandle>(), Scratch<uint8_t>()));
       }},
      {"PcbApi_QueryArc", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryArc(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint16_t>(), Scratch<uint16_t>(),
             Scratch<LayerId>(), Scratch<ObjectHandle>(), Scratch<uint8_t>(),
             Scratch<ObjectHandle>(), Scratch<Coord>(), Scratch<Coord>(), Scratch<Coord>(),
             Scratch<double>(), Scratch<double>(), Scratch<Coord>(), Scratch<int32_t>()));
       }},
      {"PcbApi_QueryPad", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryPad(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint16_t>(), Scratch<uint16_t>(),
             Scratch<LayerId>(), Scratch<ObjectHandle>(), Scratch<uint8_t>(),
             Scratch<ObjectHandle>(), Scratch<Coord>(), Scratch<Coord>(), Scratch<Coord>(),
             Scratch<Coord>(), Scratch<Coord>(), Scratch<Coord>(), Scratch<Coord>(),
             Scratch<Coord>(), Scratch<Coord>(), Scratch<uint8_t>(), Scratch<uint8_t>(),
             Scratch<uint8_t>(), Scratch<ShortString<20>>(), Scratch<uint8_t>(), Scratch<uint8_t>(),
             Scratch<double>()));
       }},
      {"PcbApi_QueryVia", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryVia(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint16_t>(), Scratch<uint16_t>(),
             Scratch<LayerId>(), Scratch<ObjectHandle>(), Scratch<uint8_t>(),
             Scratch<ObjectHandle>(), Scratch<Coord>(), Scratch<Coord>(), Scratch<Coord>(),
             Scratch<Coord>(), Scratch<LayerId>(), Scratch<LayerId>()));
       }},
      {"PcbApi_QueryTrack", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryTrack(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint16_t>(), Scratch<uint16_t>(),
             Scratch<LayerId>(), Scratch<ObjectHandle>(), Scratch<uint8_t>(),
             Scratch<ObjectHandle>(), Scratch<Coord>(), Scratch<Coord>(), Scratch<Coord>(),
             Scratch<Coord>(), Scratch<Coord>(), Scratch<int32_t>(), Scratch<int32_t>(),
             Scratch<int32_t>()));
       }},
      {"PcbApi_QueryText", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryText(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint16_t>(), Scratch<uint16_t>(),
             Scratch<LayerId>(), Scratch<ObjectHandle>(), Scratch<uint8_t>(),
             Scratch<ObjectHandle>(), Scratch<Coord>(), Scratch<Coord>(), Scratch<Coord>(),
             Scratch<int32_t>(), Scratch<double>(), Scratch<uint8_t>(), Scratch<ShortString<254>>(),
             Scratch<Coord>(), Scratch<int32_t>(), Scratch<int32_t>()));
       }},
      {"PcbApi_QueryFill", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryFill(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint16_t>(), Scratch<uint16_t>(),
             Scratch<LayerId>(), Scratch<ObjectHandle>(), Scratch<uint8_t>(),
             Scratch<ObjectHandle>(), Scratch<Coord>(), Scratch<Coord>(), Scratch<Coord>(),
             Scratch<Coord>(), Scratch<int32_t>(), Scratch<double>()));
       }},
      {"PcbApi_QueryPadStackMode", 0,
       [] {
         return static_cast<int64_t>(
             PcbApi_QueryPadStackMode(QueryMode{7}, ObjectHandle{7}, Scratch<uint8_t>()));
       }},
      {"PcbApi_QueryPadOrViaShapeOnLayer", 0,
       [] {
         return static_cast<int64_t>(
             PcbApi_QueryPadOrViaShapeOnLayer(ObjectHandle{7}, LayerId{7}, Scratch<uint8_t>()));
       }},
      {"PcbApi_QueryPadOrViaSizeOnLayer", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryPadOrViaSizeOnLayer(
             ObjectHandle{7}, LayerId{7}, Scratch<Coord>(), Scratch<Coord>()));
       }},
      {"PcbApi_SetPadShapeOnLayer", 0,
       [] {
         return static_cast<int64_t>(
             PcbApi_SetPadShapeOnLayer(ObjectHandle{7}, LayerId{7}, uint8_t{7}));
       }},
      {"PcbApi_SetPadSizeOnLayer", 0,
       [] {
         return static_cast<int64_t>(
             PcbApi_SetPadSizeOnLayer(ObjectHandle{7}, LayerId{7}, Coord{7}, Coord{7}));
       }},
      {"PcbApi_QueryCoordinate", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryCoordinate(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint16_t>(), Scratch<uint16_t>(),
             Scratch<uint8_t>(), Scratch<Coord>(), Scratch<Coord>(), Scratch<LayerId>(),
             Scratch<int32_t>(), Scratch<int32_t>(), Scratch<int32_t>(), Scratch<int32_t>(),
             Scratch<int32_t>(), Scratch<int32_t>()));
       }},
      {"PcbApi_QueryDimension", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryDimension(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint16_t>(), Scratch<uint16_t>(),
             Scratch<uint8_t>(), Scratch<Coord>(), Scratch<Coord>(), Scratch<int32_t>(),
             Scratch<int32_t>(), Scratch<LayerId>(), Scratch<int32_t>(), Scratch<int32_t>(),
             Scratch<int32_t>(), Scratch<int32_t>(), Scratch<int32_t>(), Scratch<uint8_t>()));
       }},
      {"PcbApi_QueryExtDimension", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryExtDimension(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint8_t>(), Scratch<int32_t>(),
             Scratch<int32_t>(), Scratch<int32_t>(), Scratch<uint8_t>(), Scratch<int32_t>(),
             Scratch<String255>(), Scratch<uint8_t>(), Scratch<int32_t>(), Scratch<String255>(),
             Scratch<String255>(), Scratch<double>(), Scratch<int32_t>(), Scratch<int32_t>(),
             Scratch<int32_t>(), Scratch<uint8_t>(), Scratch<int32_t>(), Scratch<int32_t>(),
             Scratch<int32_t>()));
       }},
      {"PcbApi_References_Count", 0,
       [] {
         return static_cast<int64_t>(PcbApi_References_Count(ObjectHandle{7}, Scratch<int32_t>()));
       }},
      {"PcbApi_References_At", 0,
       [] {
         return static_cast<int64_t>(PcbApi_References_At(QueryMode{7}, ObjectHandle{7}, int32_t{7},
                                                          Scratch<int32_t>(), Scratch<int32_t>(),
                                                          Scratch<int32_t>(), Scratch<int32_t>()));
       }},
      {"PcbApi_QueryPolygon", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryPolygon(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint16_t>(), Scratch<uint16_t>(),
             Scratch<LayerId>(), Scratch<ObjectHandle>(), Scratch<uint8_t>(), Scratch<uint8_t>(),
             Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<int32_t>(), Scratch<int32_t>(),
             Scratch<uint8_t>(), Scratch<uint16_t>(), Scratch<int32_t>(), Scratch<uint8_t>(),
             Scratch<int32_t>(), Scratch<int32_t>()));
       }},
      {"PcbApi_QueryFromTo", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryFromTo(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint16_t>(), Scratch<Coord>(), Scratch<Coord>(),
             Scratch<LayerId>(), Scratch<Coord>(), Scratch<Coord>(), Scratch<LayerId>(),
             Scratch<ObjectHandle>()));
       }},
      {"PcbApi_QueryManualFromTo", 1,
       [] {
         return static_cast<int64_t>(PcbApi_QueryManualFromTo(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint16_t>(), Scratch<String255>(),
             Scratch<String255>(), Scratch<String255>(), Scratch<int32_t>()));
       }},
      {"PcbApi_QueryNet", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryNet(QueryMode{7}, ObjectHandle{7},
                                                     Scratch<uint16_t>(), Scratch<String255>(),
                                                     Scratch<uint8_t>(), Scratch<uint8_t>()));
       }},
      {"PcbApi_QueryClass", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryClass(QueryMode{7}, ObjectHandle{7},
                                                       Scratch<uint16_t>(), Scratch<uint8_t>(),
                                                       Scratch<uint8_t>(), Scratch<String255>()));
       }},
      {"PcbApi_AddMemberToClass", 1,
       [] {
         return static_cast<int64_t>(
             PcbApi_AddMemberToClass(ObjectHandle{7}, Scratch<String255>()));
       }},
      {"PcbApi_GetMemberFromClassAt", 1,
       [] {
         return static_cast<int64_t>(
             PcbApi_GetMemberFromClassAt(ObjectHandle{7}, int32_t{7}, Scratch<String255>()));
       }},
      {"PcbApi_RemoveAllMembersFromClass", 1,
       [] { return static_cast<int64_t>(PcbApi_RemoveAllMembersFromClass(ObjectHandle{7})); }},
      {"PcbApi_QueryRule", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryRule(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint8_t>(), Scratch<uint8_t>(),
             Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(),
             Scratch<uint8_t>(), Scratch<String255>(), Scratch<String255>(), Scratch<String255>(),
             Scratch<String255>(), Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<int32_t>(),
             Scratch<int32_t>(), Scratch<int32_t>(), Scratch<int32_t>(), Scratch<String255>(),
             Scratch<String255>(), Scratch<String255>(), Scratch<String255>(), Scratch<String255>(),
             Scratch<String255>()));
       }},
      {"PcbApi_QueryComponent", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryComponent(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint16_t>(), Scratch<uint16_t>(),
             Scratch<LayerId>(), Scratch<uint8_t>(), Scratch<ObjectHandle>(),
             Scratch<ObjectHandle>(), Scratch<ShortString<250>>(), Scratch<uint8_t>(),
             Scratch<uint8_t>(), Scratch<Coord>(), Scratch<Coord>(), Scratch<int32_t>(),
             Scratch<double>(), Scratch<uint8_t>()));
       }},
      {"PcbApi_QueryComponentEx", 0,
       [] {
         return static_cast<int64_t>(
             PcbApi_QueryComponentEx(QueryMode{7}, ObjectHandle{7}, Scratch<int32_t>(),
                                     Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<int32_t>()));
       }},
      {"PcbApi_QueryComponentSourceLinks", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryComponentSourceLinks(
             QueryMode{7}, ObjectHandle{7}, Scratch<String255>(), Scratch<String255>(),
             Scratch<String255>(), Scratch<String255>(), Scratch<String255>(), Scratch<String255>(),
             Scratch<String255>()));
       }},
      {"PcbApi_QueryComponentChannelOffset", 0,
       [] {
         return static_cast<int64_t>(
             PcbApi_QueryComponentChannelOffset(QueryMode{7}, ObjectHandle{7}, Scratch<int32_t>()));
       }},
      {"PcbApi_QueryComponentKind", 0,
       [] {
         return static_cast<int64_t>(
             PcbApi_QueryComponentKind(QueryMode{7}, ObjectHandle{7}, Scratch<uint8_t>()));
       }},
      {"PcbApi_QueryBoard", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryBoard(
             QueryMode{7}, ObjectHandle{7}, Scratch<int32_t>(), Scratch<String255>(),
             Scratch<uint8_t>(), Scratch<int32_t>(), Scratch<int32_t>(), Scratch<int32_t>(),
             Scratch<int32_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<int32_t>()));
       }},
      {"PcbApi_QueryBoardGridsEx", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryBoardGridsEx(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint8_t>(), Scratch<uint8_t>(),
             Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<double>(), Scratch<double>(),
             Scratch<double>(), Scratch<double>(), Scratch<int32_t>(), Scratch<uint8_t>(),
             Scratch<double>(), Scratch<double>(), Scratch<double>(), Scratch<double>()));
       }},
      {"PcbApi_QueryBoardLayerPairsCount", 1,
       [] {
         return static_cast<int64_t>(
             PcbApi_QueryBoardLayerPairsCount(ObjectHandle{7}, Scratch<int32_t>()));
       }},
      {"PcbApi_QueryBoardLayerPairAt", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryBoardLayerPairAt(
             QueryMode{7}, ObjectHandle{7}, int32_t{7}, Scratch<LayerId>(), Scratch<LayerId>(),
             Scratch<uint8_t>(), Scratch<uint8_t>()));
       }},
      {"PcbApi_QueryBoardEngineeringChangeOrderOptions", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryBoardEngineeringChangeOrderOptions(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint8_t>(), Scratch<String255>()));
       }},
      {"PcbApi_QueryBoardOutputOptions", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryBoardOutputOptions(
             QueryMode{7}, ObjectHandle{7}, Scratch<int32_t>(), Scratch<int32_t>(),
             Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(),
             Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(),
             Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(),
             Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(),
             Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(),
             Scratch<uint8_t>(), Scratch<uint8_t>()));
       }},
      {"PcbApi_QueryBoardOutputOptionsPlotLayers", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryBoardOutputOptionsPlotLayers(
             QueryMode{7}, ObjectHandle{7}, LayerId{7}, Scratch<uint8_t>()));
       }},
      {"PcbApi_QueryBoardOutputOptionsFlipLayers", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryBoardOutputOptionsFlipLayers(
             QueryMode{7}, ObjectHandle{7}, LayerId{7}, Scratch<uint8_t>()));
       }},
      {"PcbApi_QueryBoardAdvancedPlacerOptions", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryBoardAdvancedPlacerOptions(
             QueryMode{7}, ObjectHandle{7}, Scratch<String255>(), Scratch<String255>(),
             Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>()));
       }},
      {"PcbApi_QueryBoardGerberOptions", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryBoardGerberOptions(
             QueryMode{7}, ObjectHandle{7}, Scratch<uint8_t>(), Scratch<uint8_t>(),
             Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(),
             Scratch<uint8_t>(), Scratch<int32_t>(), Scratch<int32_t>(), Scratch<int32_t>(),
             Scratch<int32_t>(), Scratch<int32_t>(), Scratch<String255>(), Scratch<int32_t>(),
             Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<int32_t>(), Scratch<int32_t>()));
       }},
      {"PcbApi_QueryBoardPrinterOptions", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryBoardPrinterOptions(
             QueryMode{7}, ObjectHandle{7}, Scratch<String255>(), Scratch<String255>(),
             Scratch<String255>(), Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(),
             Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<int32_t>(),
             Scratch<double>(), Scratch<double>(), Scratch<double>(), Scratch<ByteBlock<22>>(),
             Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<double>(), Scratch<double>(),
             Scratch<double>(), Scratch<int32_t>(), Scratch<int32_t>(), Scratch<uint8_t>(),
             Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<uint8_t>()));
       }},
      {"PcbApi_QueryBoardPrinterOptionsPlotterPen", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryBoardPrinterOptionsPlotterPen(
             QueryMode{7}, ObjectHandle{7}, int32_t{7}, Scratch<int32_t>(), Scratch<int32_t>()));
       }},
      {"PcbApi_QueryBoardPrinterOptionsCompositeLayer", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryBoardPrinterOptionsCompositeLayer(
             QueryMode{7}, ObjectHandle{7}, LayerId{7}, Scratch<int32_t>(), Scratch<int32_t>(),
             Scratch<uint8_t>(), Scratch<int32_t>()));
       }},
      {"PcbApi_QueryBoardExternalDielectrics", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryBoardExternalDielectrics(
             QueryMode{7}, ObjectHandle{7}, Scratch<String255>(), Scratch<uint8_t>(),
             Scratch<double>(), Scratch<Coord>(), Scratch<String255>(), Scratch<uint8_t>(),
             Scratch<double>(), Scratch<Coord>()));
       }},
      {"PcbApi_QueryBoardLayerInfo", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryBoardLayerInfo(
             QueryMode{7}, ObjectHandle{7}, LayerId{7}, Scratch<int32_t>(), Scratch<uint8_t>(),
             Scratch<uint8_t>()));
       }},
      {"PcbApi_QueryLayer", 0,
       [] {
         return static_cast<int64_t>(
             PcbApi_QueryLayer(QueryMode{7}, LayerId{7}, ObjectHandle{7}, Scratch<String255>(),
                               Scratch<Coord>(), Scratch<uint8_t>(), Scratch<uint8_t>(),
                               Scratch<LayerId>(), Scratch<LayerId>(), Scratch<uint8_t>()));
       }},
      {"PcbApi_QueryInternalPlane", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryInternalPlane(
             QueryMode{7}, LayerId{7}, ObjectHandle{7}, Scratch<String255>(), Scratch<Coord>(),
             Scratch<uint8_t>(), Scratch<uint8_t>(), Scratch<LayerId>(), Scratch<LayerId>(),
             Scratch<String255>()));
       }},
      {"PcbApi_QueryLayerDielectric", 0,
       [] {
         return static_cast<int64_t>(PcbApi_QueryLayerDielectric(
             QueryMode{7}, LayerId{7}, ObjectHandle{7}, Scratch<String255>(), Scratch<uint8_t>(),
             Scratch<double>(), Scratch<Coord>()));
       }},
  };
  std::set<std::string> seen;
  for (const UnboundCase& c : cases) {
    std::memset(scratch, 0xAB, sizeof scratch);
    EXPECT_EQ(c.Call(), c.Default) << c.Name;
    for (unsigned char b : scratch) ASSERT_EQ(b, 0xAB) << c.Name << " wrote into a field";
    seen.insert(c.Name);
  }
  EXPECT_EQ(seen.size(), 62u);
  for (std::size_t i = 0; i < PcbApiNames.size(); ++i) EXPECT_EQ(PcbApiEntry(i), nullptr);
}

TEST(PcbApiNames, ListHoldsEveryNameOnceInBindingOrder) {
  std::set<std::string_view> unique(PcbApiNames.begin(), PcbApiNames.end());
  EXPECT_EQ(unique.size(), 238u);
  EXPECT_EQ(PcbApiNames.front(), "PcbApi_QueryFocusedPrimitive");
  EXPECT_EQ(PcbApiNames.back(), "PcbApi_DestroyLibReader");
  EXPECT_EQ(PcbApiNames[PcbApiIndex("PcbApi_Scope2_Includes") + 1], "PcbApi_Scope1_Includes");
  for (std::string_view n : PcbApiNames)
    EXPECT_TRUE(n.starts_with("PcbApi_") || n.starts_with("PCBAPI_")) << n;
}

TEST(CoordToMils, RoundsTheFractionToThreeDecimalsAsStored) {
  const struct {
    Coord In;
    double Out;
  } cases[] = {
      {12345, 1.234},
      {-12345, -1.234},
      {5, 0.001},
      {4, 0.0},
      {-1, 0.0},
      {10000, 1.0},
      {254000, 25.4},
      {2147483647, 214748.365},
      {-2147483647 - 1, -214748.365},
      
      
      {0, 0.0},
      {-5, -0.001},
  };
  for (const auto& c : cases) EXPECT_EQ(CoordToMils(c.In), c.Out) << c.In;
}

TEST(DegreesToRadians, IsExactForTheCommonAngles) {
  EXPECT_EQ(DegreesToRadians(180), 3.141592653589793);
  EXPECT_EQ(DegreesToRadians(90), 1.5707963267948966);
  EXPECT_EQ(DegreesToRadians(0), 0.0);
  EXPECT_EQ(DegreesToRadians(-180), -3.141592653589793);
  EXPECT_EQ(DegreesToRadians(360), 6.283185307179586);
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  const struct {
    long double In, Out;
  } cases[] = {{0.5L, 0},   {1.5L, 2},    {2.5L, 2},    {-0.5L, 0},  {-1.5L, -2},
               {-2.5L, -2}, {2.4999L, 2}, {2.5001L, 3}, {-2.6L, -3}, {7, 7}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.In), c.Out) << static_cast<double>(c.In);
}

}  // namespace
}  // namespace qv
