// The object model with no editor module in the process: layer names and sets, new wrappers, and
// the getters whose editor calls then answer without writing anything.
#include <gtest/gtest.h>

#include "pcb/Pcbclass.h"

namespace qv {
namespace {

TEST(Layers, NamesOfTheFixedTable) {
  const struct {
    LayerId Layer;
    const char* Name;
  } cases[] = {
      {0, "NoLayer"},          {1, "TopLayer"},     {2, "MidLayer1"},     {6, "MidLayer5"},
      {31, "MidLayer30"},      {32, "BottomLayer"}, {38, "BottomSolder"}, {39, "InternalPlane1"},
      {54, "InternalPlane16"}, {55, "DrillGuide"},  {57, "Mechanical1"},  {72, "Mechanical16"},
      {74, "MultiLayer"},      {80, "GridColor10"}, {82, "ViaHoleLayer"}, {83, ""}};
  for (const auto& c : cases) EXPECT_EQ(LayerName(c.Layer), c.Name) << int(c.Layer);
  for (const auto& name : LayerNames()) EXPECT_LE(name.View().size(), 20u);
}

TEST(Layers, SetsHoldTheirRanges) {
  auto count = [](const LayerSet& s) {
    int n = 0;
    for (int l = 0; l < 88; ++l) n += s.Contains(static_cast<LayerId>(l));
    return n;
  };
  EXPECT_EQ(count(SignalLayers), 32);
  EXPECT_EQ(count(PlaneLayers), 16);
  EXPECT_EQ(count(AllLayers), 82);
  EXPECT_FALSE(AllLayers.Contains(NoLayer));
  EXPECT_TRUE(AllLayers.Contains(MaxLayer));
  EXPECT_FALSE(AllLayers.Contains(83));
  EXPECT_FALSE(AllLayers.Contains(255));
  EXPECT_TRUE(PlaneLayers.Contains(39) && PlaneLayers.Contains(54) && !PlaneLayers.Contains(55));
  EXPECT_EQ(SignalLayers.Bytes[0], 0xFE);
  EXPECT_EQ(SignalLayers.Bytes[4], 0x01);
  EXPECT_EQ(ComponentSet, ObjectSetOf(ComponentObject));
  EXPECT_EQ(ObjectSetOf(40), 0u);
}

TEST(NewBoard, HasEveryLayerDescriptionWithItsDefaults) {
  TPcbBoard board(7);
  EXPECT_EQ(board.Layers[0], nullptr);
  for (int l = 1; l <= 82; ++l) {
    const TLayerObject& layer = *board.Layers[l];
    const bool plane = l >= 39 && l <= 54;
    auto* asPlane = dynamic_cast<const TInternalPlane*>(&layer);
    EXPECT_EQ(asPlane != nullptr, plane) << l;
    if (asPlane != nullptr) {
      EXPECT_EQ(asPlane->NetName.View(), "(No Net)");
    }
    EXPECT_EQ(layer.BoardHandle, 7u);
    EXPECT_EQ(layer.LayerId, l);
    EXPECT_EQ(layer.Name.View(), LayerName(static_cast<LayerId>(l)));
    EXPECT_EQ(layer.CopperThickness, 14000);
    EXPECT_EQ(layer.DielectricMaterial.View(), "FR-4");
    EXPECT_EQ(layer.DielectricType, 1);
    EXPECT_EQ(layer.DielectricConstant, 4.8);
    EXPECT_EQ(layer.DielectricHeight, 126000);
  }
  EXPECT_EQ(board.Layers[6]->Name.View(), "MidLayer5");
  EXPECT_EQ(board.BottomDielectric.Material.View(), "FR-4");
  EXPECT_EQ(board.TopDielectric.Height, 126000);
  EXPECT_TRUE(board.LayerPairs.empty());
}

TEST(UnboundEditor, ReadsLeaveDefaultsAndAFailedPairCountGivesNoPairs) {
  BindPcbApi();
  TPcbBoard board(7);
  board.LayerPairs.push_back(std::make_unique<TPcblayerPair>());
  EXPECT_EQ(board.TransferRecord(qmGet), 0);
  EXPECT_TRUE(board.LayerPairs.empty());
  EXPECT_EQ(board.Layers[40]->CopperThickness, 14000);
  TPcbComponent c(3);
  EXPECT_EQ(c.TransferRecord(qmGet), 0);
  EXPECT_EQ(c.Pattern.View(), "");
}

TEST(UnboundEditor, GettersWhoseQueryWritesNothingAnswerZero) {
  BindPcbApi();
  TPcbVia via(3);
  EXPECT_EQ(via.GetSizeOnLayer(TopLayer), 0);
  EXPECT_EQ(via.GetShapeOnLayer(TopLayer), 0);
  TPcbTrack track(4);
  EXPECT_EQ(track.GetBoundingRectX1(), 0);
  EXPECT_EQ(track.GetBoundingRectY1(), 0);
  EXPECT_EQ(track.GetBoundingRectX2(), 0);
  EXPECT_EQ(track.GetBoundingRectY2(), 0);
  EXPECT_TRUE(track.ImportFromUser());
  TPcbPad pad(5);
  pad.XSizeOnLayer[TopLayer] = 60;
  pad.YSizeOnLayer[TopLayer] = 20;
  EXPECT_EQ(pad.GetXSizeOnLayer(TopLayer), 60);  // the value already in the array
  EXPECT_EQ(pad.GetCornerX1OnLayer(TopLayer, 0), -30);
}

TEST(UnboundEditor, ManualFromToAndClassesReportTheirDefaults) {
  BindPcbApi();
  TPcbManualFromTo manual(1);
  EXPECT_EQ(manual.TransferRecord(qmGet), 1);
  TPCBObjectClass c(2);
  EXPECT_EQ(c.TransferRecord(qmGet), 1);
  EXPECT_TRUE(c.Members.empty());
  c.Members = {"A"};
  EXPECT_EQ(c.TransferRecord(qmSet), 1);
  EXPECT_EQ(PcbObjectFromHandle(5), nullptr);
}

}  // namespace
}  // namespace qv
