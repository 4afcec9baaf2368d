// The board wrapper, its layer stack and pairs, the iteration routine and the component wrapper,
// against the recording fake editor.
#include <cstdint>
#include <string>
#include <vector>

#include "tests/pcb/PcbFixture.h"

namespace qv::test {
namespace {

using PcbBoard = FakeEditorTest;
constexpr ObjectHandle BoardHandle = 100;

struct Expected {
  std::string Name;
  std::vector<int64_t> Args;
};

// The calls of one board transfer, in order, before and after the layer pairs.
std::vector<Expected> BoardTraffic(QueryMode m, ObjectHandle b, int pairs, bool countFirst) {
  std::vector<Expected> e;
  e.push_back({"PcbApi_QueryBoard", {m, b}});
  for (int l = 1; l <= 82; ++l) e.push_back({"PcbApi_QueryBoardLayerInfo", {m, b, l}});
  for (int l = 1; l <= 82; ++l) {
    const bool plane = l >= 39 && l <= 54;
    e.push_back({plane ? "PcbApi_QueryInternalPlane" : "PcbApi_QueryLayer", {m, l, b}});
    e.push_back({"PcbApi_QueryLayerDielectric", {m, l, b}});
  }
  e.push_back({"PcbApi_QueryBoardGridsEx", {m, b}});
  e.push_back({"PcbApi_QueryBoardOutputOptions", {m, b}});
  for (int i = 1; i <= 109; ++i)
    e.push_back({"PcbApi_QueryBoardOutputOptionsPlotLayers", {m, b, i}});
  for (int i = 1; i <= 109; ++i)
    e.push_back({"PcbApi_QueryBoardOutputOptionsFlipLayers", {m, b, i}});
  e.push_back({"PcbApi_QueryBoardGerberOptions", {m, b}});
  e.push_back({"PcbApi_QueryBoardPrinterOptions", {m, b}});
  for (int p = 1; p <= 8; ++p)
    e.push_back({"PcbApi_QueryBoardPrinterOptionsPlotterPen", {m, b, p}});
  for (int l = 1; l <= 82; ++l)
    e.push_back({"PcbApi_QueryBoardPrinterOptionsCompositeLayer", {m, b, l}});
  e.push_back({"PcbApi_QueryBoardAdvancedPlacerOptions", {m, b}});
  e.push_back({"PcbApi_QueryBoardEngineeringChangeOrderOptions", {m, b}});
  if (countFirst) e.push_back({"PcbApi_QueryBoardLayerPairsCount", {b}});
  for (int i = 0; i < pairs; ++i) e.push_back({"PcbApi_QueryBoardLayerPairAt", {m, b, i}});
  e.push_back({"PcbApi_QueryBoardExternalDielectrics", {m, b}});
  return e;
}

void ExpectTraffic(const FakeEditorState& editor, const std::vector<Expected>& expected) {
  ASSERT_EQ(editor.Log.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(editor.Log[i].Name, expected[i].Name) << "call " << i;
    EXPECT_EQ(editor.Log[i].Args, expected[i].Args) << "call " << i << " " << expected[i].Name;
  }
}

// A stack TopLayer -> MidLayer1 -> BottomLayer, as the editor reports it.
void ScriptStack(FakeEditorState& editor) {
  auto link = [&](LayerId layer, LayerId previous, LayerId next) {
    editor.SetField("PcbApi_QueryLayer", BoardHandle, layer, 4, previous);
    editor.SetField("PcbApi_QueryLayer", BoardHandle, layer, 5, next);
  };
  link(1, 0, 2);
  link(2, 1, 32);
  link(32, 2, 0);
  // Every other layer has a previous layer of its own, so only TopLayer starts a stack.
  for (int l = 3; l <= 82; ++l) {
    if (l == 32) continue;
    const bool plane = l >= 39 && l <= 54;
    editor.SetField(plane ? "PcbApi_QueryInternalPlane" : "PcbApi_QueryLayer", BoardHandle, l, 4,
                    LayerId{74});
  }
}

void ScriptPairs(FakeEditorState& editor, std::vector<std::pair<LayerId, LayerId>> pairs) {
  editor.SetField("PcbApi_QueryBoardLayerPairsCount", BoardHandle, NoKey, 0,
                  static_cast<int32_t>(pairs.size()));
  for (std::size_t i = 0; i < pairs.size(); ++i) {
    editor.SetField("PcbApi_QueryBoardLayerPairAt", BoardHandle, i, 0, pairs[i].first);
    editor.SetField("PcbApi_QueryBoardLayerPairAt", BoardHandle, i, 1, pairs[i].second);
  }
}

TEST_F(PcbBoard, ReadingIsTheWholeRecordInOrderWithThePairs) {
  ScriptPairs(Editor(), {{1, 32}, {2, 3}});
  TPcbBoard board(BoardHandle);
  EXPECT_EQ(board.TransferRecord(qmGet), 0);
  ExpectTraffic(Editor(), BoardTraffic(qmGet, BoardHandle, 2, true));
  EXPECT_EQ(Editor().Log.size(), 562u + 1 + 2);
  EXPECT_EQ(board.LayerPairs.size(), 2u);
}

TEST_F(PcbBoard, WritingSendsTheKeptPairsWithoutAskingTheirCount) {
  ScriptPairs(Editor(), {{1, 32}, {2, 3}, {4, 5}});
  TPcbBoard board(BoardHandle);
  board.TransferRecord(qmGet);
  Editor().Log.clear();
  board.TransferRecord(qmUpdate);
  ExpectTraffic(Editor(), BoardTraffic(qmUpdate, BoardHandle, 3, false));
  auto pairs = Editor().CallsOf("PcbApi_QueryBoardLayerPairAt");
  EXPECT_EQ(pairs[2].Field<LayerId>(0), 4);
  EXPECT_EQ(pairs[2].Field<LayerId>(1), 5);
}

TEST_F(PcbBoard, ReadsItsFieldsAndMirrorsTwoGridValues) {
  Editor().SetField("PcbApi_QueryBoard", BoardHandle, NoKey, 1, Text255("C:\\a\\Board.PcbDoc"));
  Editor().SetField("PcbApi_QueryBoard", BoardHandle, NoKey, 2, uint8_t{1});
  Editor().SetField("PcbApi_QueryBoardGridsEx", BoardHandle, NoKey, 6, 2.5);
  Editor().SetField("PcbApi_QueryBoardGridsEx", BoardHandle, NoKey, 12, 7.5);
  Editor().SetField("PcbApi_QueryBoardLayerPairAt", BoardHandle, 0, 2, uint8_t{0xB});
  Editor().SetField("PcbApi_QueryBoardLayerPairAt", BoardHandle, 0, 3, uint8_t{0xA});
  Editor().SetField("PcbApi_QueryBoardLayerPairsCount", BoardHandle, NoKey, 0, int32_t{1});
  Editor().SetField("PcbApi_QueryInternalPlane", BoardHandle, 40, 6, Text255("GND"));
  Editor().SetStatus("PcbApi_QueryBoard", BoardHandle, NoKey, 0);
  TPcbBoard board(BoardHandle);
  board.TransferRecord(qmGet);
  EXPECT_EQ(board.FileName.View(), "C:\\a\\Board.PcbDoc");
  EXPECT_EQ(board.IsLibrary, 1);
  EXPECT_EQ(board.GridMirror1, 2.5);
  EXPECT_EQ(board.GridMirror2, 7.5);
  EXPECT_EQ(board.LayerPairs[0]->PairByteB, 0xB);
  EXPECT_EQ(board.LayerPairs[0]->PairByteA, 0xA);
  EXPECT_EQ(static_cast<TInternalPlane&>(*board.Layers[40]).NetName.View(), "GND");
}

TEST_F(PcbBoard, OnlyTheBoardQueryStatusIsReturnedAndEveryStepStillRuns) {
  Editor().SetStatus("PcbApi_QueryBoard", BoardHandle, NoKey, 4);
  Editor().SetStatus("PcbApi_QueryLayer", AnyHandle, NoKey, 6);
  TPcbBoard board(BoardHandle);
  EXPECT_EQ(board.TransferRecord(qmSet), 4);
  EXPECT_EQ(Editor().Log.size(), 562u);
}

TEST_F(PcbBoard, PairsAreNamedInStackOrder) {
  ScriptStack(Editor());
  ScriptPairs(Editor(), {{32, 1}, {1, 32}, {4, 3}, {33, 2}, {0, 1}});
  TPcbBoard board(BoardHandle);
  board.TransferRecord(qmGet);
  const char* names[] = {"TopLayer - BottomLayer", "TopLayer - BottomLayer",
                         "MidLayer3 - MidLayer2", "TopOverlay - MidLayer1", "NoLayer - TopLayer"};
  ASSERT_EQ(board.LayerPairs.size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(board.LayerPairs[i]->Name.View(), names[i]);
}

TEST_F(PcbBoard, StackPositionsCountTheLayersOfTheSetInStackOrder) {
  ScriptStack(Editor());
  TPcbBoard board(BoardHandle);
  board.TransferRecord(qmGet);
  const LayerSet stack = SignalLayers | PlaneLayers;
  EXPECT_EQ(board.FirstLayerInStack(), board.Layers[1].get());
  EXPECT_EQ(board.NextLayerInStack(*board.Layers[2]), board.Layers[32].get());
  EXPECT_EQ(board.NextLayerInStack(*board.Layers[32]), nullptr);
  const struct {
    LayerId Layer;
    int32_t Position;
  } cases[] = {{1, 1}, {2, 2}, {32, 3}, {TopOverlay, 0}, {5, 3}};
  for (const auto& c : cases)
    EXPECT_EQ(board.StackPosition(stack, *board.Layers[c.Layer]), c.Position) << int(c.Layer);
  EXPECT_EQ(board.StackPosition(LayerSet::Range(32, 32), *board.Layers[32]), 1);
}

TEST_F(PcbBoard, AStackWhoseLinksRunInACircleStillEnds) {
  TPcbBoard board(BoardHandle);
  for (int l = 1; l <= 82; ++l) board.Layers[l]->PreviousLayer = 1;
  board.Layers[1]->PreviousLayer = 0;
  board.Layers[1]->NextLayer = 2;
  board.Layers[2]->NextLayer = 1;
  EXPECT_EQ(board.StackPosition(SignalLayers, *board.Layers[32]), 2);
  EXPECT_EQ(board.StackPosition(SignalLayers, *board.Layers[2]), 2);
}

TEST_F(PcbBoard, AddObjectAsksTheEditorOnlyForARealHandle) {
  TPcbBoard board(BoardHandle);
  EXPECT_EQ(board.AddObject(0), 1);
  EXPECT_TRUE(Editor().Log.empty());
  Editor().SetStatus("PcbApi_AddObjectToContainer", BoardHandle, NoKey, 5);
  EXPECT_EQ(board.AddObject(77), 5);
  EXPECT_EQ(Editor().Log[0].Args, (std::vector<int64_t>{BoardHandle, 77}));
}

TEST_F(PcbBoard, IterationVisitsKindByKindAndLayerByLayer) {
  Editor().Contents[{BoardHandle, ComponentObject, BottomLayer}] = {21, 22};
  Editor().Contents[{BoardHandle, ComponentObject, TopLayer}] = {11, 12, 13};
  Editor().Contents[{BoardHandle, PadObject, TopLayer}] = {31};
  TPcbBoard board(BoardHandle);
  std::vector<ObjectHandle> seen;
  auto collect = [&](ObjectHandle h) { seen.push_back(h); };
  IterateBoardObjects(board, collect, ComponentSet, AllLayers, 0);
  EXPECT_EQ(seen, (std::vector<ObjectHandle>{11, 12, 13, 21, 22}));
  auto created = Editor().CallsOf("PcbApi_CreateIterator");
  ASSERT_EQ(created.size(), 82u);
  EXPECT_EQ(created[0].Args, (std::vector<int64_t>{BoardHandle, 9, 0, 1}));
  EXPECT_EQ(Editor().CallsOf("PcbApi_DestroyIterator").size(), 82u);

  seen.clear();
  Editor().Log.clear();
  IterateBoardObjects(board, collect, ObjectSetOf(PadObject) | ComponentSet, LayerSet::Range(0, 1),
                      2);
  EXPECT_EQ(seen, (std::vector<ObjectHandle>{31, 11, 12, 13}));
  EXPECT_EQ(Editor().CallsOf("PcbApi_CreateIterator")[0].Args,
            (std::vector<int64_t>{BoardHandle, 2, 2, 0}));

  Editor().Log.clear();
  IterateBoardObjects(board, collect, ObjectSet{1} << 21 | ObjectSet{1} << 31, AllLayers, 0);
  EXPECT_TRUE(Editor().Log.empty());
}

using PcbComponent = FakeEditorTest;

TEST_F(PcbComponent, TransferIsSevenExchangesInOrder) {
  Editor().SetStatus("PcbApi_QueryComponent", 50, NoKey, 3);
  TPcbComponent c(50);
  EXPECT_EQ(c.TransferRecord(qmUpdate), 3);
  EXPECT_EQ(Editor().Names(), (std::vector<std::string>{
                                  "PcbApi_GetObjectBitField2", "PcbApi_GetObjectBitField3",
                                  "PcbApi_QueryComponentChannelOffset", "PcbApi_QueryComponentKind",
                                  "PcbApi_QueryComponent", "PcbApi_QueryComponentEx",
                                  "PcbApi_QueryComponentSourceLinks"}));
  for (const FakeCall& call : Editor().Log) EXPECT_EQ(call.Args, (std::vector<int64_t>{2, 50}));
}

TEST_F(PcbComponent, ReadsItsRecordAndKeepsAFullPattern) {
  const std::string pattern(250, 'P');
  ShortString<250> p;
  p.Assign(pattern);
  Editor().SetField("PcbApi_QueryComponent", 50, NoKey, 2, LayerId{32});
  Editor().SetField("PcbApi_QueryComponent", 50, NoKey, 4, ObjectHandle{61});
  Editor().SetField("PcbApi_QueryComponent", 50, NoKey, 6, p);
  Editor().SetField("PcbApi_QueryComponent", 50, NoKey, 9, Coord{-1500});
  Editor().SetField("PcbApi_QueryComponent", 50, NoKey, 10, Coord{2500});
  Editor().SetField("PcbApi_QueryComponent", 50, NoKey, 12, 270.0);
  Editor().SetField("PcbApi_QueryComponentSourceLinks", 50, NoKey, 6, Text255("lib.SchLib"));
  TPcbComponent c(50);
  EXPECT_EQ(c.GetRotation(), 0.0);
  EXPECT_EQ(c.TransferRecord(qmGet), 0);
  EXPECT_EQ(c.Layer, BottomLayer);
  EXPECT_EQ(c.NameHandle, 61u);
  EXPECT_EQ(c.Pattern.View(), pattern);
  EXPECT_EQ(c.X, -1500);
  EXPECT_EQ(c.Y, 2500);
  EXPECT_EQ(c.GetRotation(), 270.0);
  EXPECT_EQ(c.SourceLinks[6].View(), "lib.SchLib");
  EXPECT_EQ(c.NetHandle, 0u);

  Editor().Log.clear();
  c.TransferRecord(qmSet);
  EXPECT_EQ(Editor().CallsOf("PcbApi_QueryComponent")[0].Field<ShortString<250>>(6).View(),
            pattern);
}

}  // namespace
}  // namespace qv::test
