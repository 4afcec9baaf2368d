// The editor bindings against the recording fake editor, loaded under the editor module's name.
#include <cstdint>
#include <string>

#include "bindings/PCBProcs.h"
#include "tests/support/FakeEditorFixture.h"

namespace qv::test {
namespace {

using PcbApiBinding = FakeEditorTest;

TEST_F(PcbApiBinding, BindsWhatTheEditorExportsAndLeavesTheRestEmpty) {
  EXPECT_NE(PcbApiEntry(PcbApiIndex("PcbApi_QueryPad")), nullptr);
  EXPECT_NE(PcbApiEntry(PcbApiIndex("PcbApi_GetObjectBitField3")), nullptr);
  EXPECT_EQ(PcbApiEntry(PcbApiIndex("PcbApi_QueryFocusedPrimitive")), nullptr);
  EXPECT_EQ(PcbApiEntry(PcbApiIndex("PcbApi_DestroyLibReader")), nullptr);
}

TEST_F(PcbApiBinding, LayerQueriesTakeTheLayerBeforeTheBoardAndLayerInfoAfterIt) {
  String255 name;
  Coord thickness = 0;
  uint8_t b1 = 0, b2 = 0, b3 = 0;
  LayerId previous = 0, next = 0;
  PcbApi_QueryLayer(qmGet, 7, 1234, &name, &thickness, &b1, &b2, &previous, &next, &b3);
  int32_t info = 0;
  uint8_t scratch = 0;
  PcbApi_QueryBoardLayerInfo(qmSet, 1234, 7, &info, &scratch, &scratch);
  ASSERT_EQ(Editor().Log.size(), 2u);
  EXPECT_EQ(Editor().Log[0].Args, (std::vector<int64_t>{qmGet, 7, 1234}));
  EXPECT_EQ(Editor().Log[1].Args, (std::vector<int64_t>{qmSet, 1234, 7}));
}

TEST_F(PcbApiBinding, ResultsAndFieldsComeBackUnchanged) {
  Editor().SetField("PcbApi_QueryObjectBoundingRectangle", 42, NoKey, 2, Coord{-99});
  Editor().SetStatus("PcbApi_QueryObjectImport_FromUser", 42, NoKey, -7);
  Coord x1 = 5, y1 = 6, x2 = 7, y2 = 8;
  EXPECT_EQ(PcbApi_QueryObjectBoundingRectangle(42, &x1, &y1, &x2, &y2), 0);
  EXPECT_EQ(x2, -99);
  EXPECT_EQ(x1, 5);  // a field the editor did not write keeps its value
  EXPECT_EQ(PcbApi_QueryObjectImport_FromUser(42), -7);
  Editor().Kinds[42] = 21;
  EXPECT_EQ(PcbApi_GetObjectIdFromObjectHandle(42), 21);
}

TEST_F(PcbApiBinding, AddMemberToClassHandsTheEditorAPrivateCopy) {
  Editor().ScribbleOnMemberNames = true;
  String255 member;
  member.Assign("GND");
  EXPECT_EQ(PcbApi_AddMemberToClass(9, &member), 0);
  EXPECT_EQ(member.View(), "GND");
  auto calls = Editor().CallsOf("PcbApi_AddMemberToClass");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Field<String255>(0).View(), "GND");
}

}  // namespace
}  // namespace qv::test
