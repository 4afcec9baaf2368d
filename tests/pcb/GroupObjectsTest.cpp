// Coordinates, dimensions, polygons, nets, classes, rules, from-tos and the object factory,
// against the recording fake editor.
#include <cstdint>
#include <string>
#include <typeinfo>
#include <vector>

#include "tests/pcb/PcbFixture.h"

namespace qv::test {
namespace {

using PcbGroupObjects = FakeEditorTest;

TEST_F(PcbGroupObjects, DimensionStatusIsTheBitwiseAndOfItsTwoQueries) {
  const struct {
    Status Dimension, Ext, Result;
  } cases[] = {{5, 0, 0}, {5, 4, 4}, {0, 3, 0}, {0, 0, 0}, {6, 3, 2}};
  for (const auto& c : cases) {
    Editor().SetStatus("PcbApi_QueryDimension", 11, NoKey, c.Dimension);
    Editor().SetStatus("PcbApi_QueryExtDimension", 11, NoKey, c.Ext);
    TPcbDimension d(11);
    EXPECT_EQ(d.TransferRecord(qmGet), c.Result) << c.Dimension << " and " << c.Ext;
  }
}

TEST_F(PcbGroupObjects, DimensionReadsItsFieldsAndEachReference) {
  Editor().SetField("PcbApi_QueryDimension", 11, NoKey, 2, uint8_t{3});    // CommonByte
  Editor().SetField("PcbApi_QueryDimension", 11, NoKey, 3, Coord{-40});    // X
  Editor().SetField("PcbApi_QueryDimension", 11, NoKey, 6, int32_t{62});   // DimValue2
  Editor().SetField("PcbApi_QueryDimension", 11, NoKey, 7, LayerId{57});   // Layer
  Editor().SetField("PcbApi_QueryDimension", 11, NoKey, 13, uint8_t{88});  // DimValue8
  Editor().SetField("PcbApi_QueryExtDimension", 11, NoKey, 6, Text255("mil"));
  Editor().SetField("PcbApi_QueryExtDimension", 11, NoKey, 18, int32_t{19});
  Editor().SetField("PcbApi_References_Count", 11, NoKey, 0, int32_t{2});
  Editor().SetField("PcbApi_References_At", 11, 1, 3, int32_t{1004});
  TPcbDimension d(11);
  EXPECT_EQ(d.TransferRecord(qmGet), 0);
  EXPECT_EQ(d.CommonByte, 3);
  EXPECT_EQ(d.X, -40);
  EXPECT_EQ(d.DimValue[1], 62);
  EXPECT_EQ(d.Layer, 57);
  EXPECT_EQ(d.DimValue8, 88);
  EXPECT_EQ(d.ExtValue7.View(), "mil");
  EXPECT_EQ(d.ExtValue19, 19);
  EXPECT_EQ(d.ReferenceCount, 2);
  EXPECT_EQ(d.References[1].RefValue4, 1004);
  EXPECT_EQ(d.GetX(), -40);
  EXPECT_EQ(d.GetRotation(), 0.0);
}

TEST_F(PcbGroupObjects, DimensionWithoutReferencesExchangesNone) {
  TPcbDimension d(11);
  d.TransferRecord(qmGet);
  EXPECT_EQ(Editor().CallsOf("PcbApi_References_Count").size(), 1u);
  EXPECT_TRUE(Editor().CallsOf("PcbApi_References_At").empty());
}

TEST_F(PcbGroupObjects, DimensionWriteAsksTheCountFirstAndSendsThatMany) {
  Editor().SetField("PcbApi_References_Count", 11, NoKey, 0, int32_t{3});
  TPcbDimension d(11);
  for (int i = 0; i < 5; ++i) d.References[i].RefValue1 = 100 + i;
  d.TransferRecord(qmSet);
  const std::vector<std::string> names = Editor().Names();
  ASSERT_EQ(names.size(), 2u + 2 + 1 + 3);
  EXPECT_EQ(names[4], "PcbApi_References_Count");
  auto refs = Editor().CallsOf("PcbApi_References_At");
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(refs[i].Args, (std::vector<int64_t>{qmSet, 11, i}));
    EXPECT_EQ(refs[i].Field<int32_t>(0), 100 + i);
  }
}

TEST_F(PcbGroupObjects, DimensionExchangesNoMoreReferencesThanItsRecordHolds) {
  Editor().SetField("PcbApi_References_Count", 11, NoKey, 0, int32_t{250});
  TPcbDimension d(11);
  d.TransferRecord(qmGet);
  auto refs = Editor().CallsOf("PcbApi_References_At");
  ASSERT_EQ(refs.size(), 200u);
  EXPECT_EQ(refs.back().Args[2], 199);
}

TEST_F(PcbGroupObjects, CoordinateAndPolygonQueriesInTheirOwnFieldOrder) {
  Editor().SetField("PcbApi_QueryCoordinate", 12, NoKey, 2, uint8_t{7});   // CommonByte
  Editor().SetField("PcbApi_QueryCoordinate", 12, NoKey, 5, LayerId{33});  // Layer
  Editor().SetField("PcbApi_QueryCoordinate", 12, NoKey, 11, int32_t{66});
  TPcbCoordinate c(12);
  EXPECT_EQ(c.TransferRecord(qmGet), 0);
  EXPECT_EQ(c.GetObjectId(), 12);
  EXPECT_EQ(c.CommonByte, 7);
  EXPECT_EQ(c.Layer, 33);
  EXPECT_EQ(c.CoordinateField[5], 66);

  const char* q = "PcbApi_QueryPolygon";
  Editor().SetField(q, 21, NoKey, 3, ObjectHandle{500});  // NetHandle
  Editor().SetField(q, 21, NoKey, 5, uint8_t{2});         // PolygonField2
  Editor().SetField(q, 21, NoKey, 10, uint8_t{10});       // PolygonField10
  Editor().SetField(q, 21, NoKey, 11, uint16_t{0xBEEF});  // PolygonField11
  Editor().SetField(q, 21, NoKey, 12, int32_t{7});        // PolygonField7
  Editor().SetField(q, 21, NoKey, 13, uint8_t{1});        // PolygonField1
  Editor().SetField(q, 21, NoKey, 15, int32_t{9});        // PolygonField9
  Editor().SetStatus(q, 21, NoKey, 0);
  TPcbBoardOutline outline(21);
  EXPECT_EQ(outline.GetObjectId(), 21);
  EXPECT_EQ(outline.TransferRecord(qmGet), 0);
  EXPECT_EQ(Editor().Names().back(), q);
  EXPECT_EQ(outline.NetHandle, 500u);
  EXPECT_EQ(outline.PolygonField2, 2);
  EXPECT_EQ(outline.PolygonField10, 10);
  EXPECT_EQ(outline.PolygonField11, 0xBEEF);
  EXPECT_EQ(outline.PolygonField7, 7);
  EXPECT_EQ(outline.PolygonField1, 1);
  EXPECT_EQ(outline.PolygonField9, 9);
}

TEST_F(PcbGroupObjects, ClassReadAppendsMembersUntilTheEditorHasNoMore) {
  Editor().SetField("PcbApi_GetMemberFromClassAt", 13, 0, 0, Text255("GND"));
  Editor().SetField("PcbApi_GetMemberFromClassAt", 13, 1, 0, Text255("VCC"));
  Editor().SetField("PcbApi_QueryClass", 13, NoKey, 3, Text255("Power"));
  TPCBObjectClass c(13);
  EXPECT_EQ(c.TransferRecord(qmGet), 1);
  EXPECT_EQ(c.Members, (std::vector<std::string>{"GND", "VCC"}));
  EXPECT_EQ(c.Name.View(), "Power");
  EXPECT_EQ(Editor().CallsOf("PcbApi_GetMemberFromClassAt").size(), 3u);
  String255 name;
  c.GetName(name);
  EXPECT_EQ(name.View(), "");
}

TEST_F(PcbGroupObjects, ClassReadStopsAtAnyOtherFailureToo) {
  Editor().SetField("PcbApi_GetMemberFromClassAt", 13, 0, 0, Text255("GND"));
  Editor().SetStatus("PcbApi_GetMemberFromClassAt", 13, 1, 7);
  Editor().SetField("PcbApi_GetMemberFromClassAt", 13, 2, 0, Text255("VCC"));
  TPCBObjectClass c(13);
  EXPECT_EQ(c.TransferRecord(qmGet), 7);
  EXPECT_EQ(c.Members, (std::vector<std::string>{"GND"}));
}

TEST_F(PcbGroupObjects, ClassWriteReplacesTheEditorsMembersInOrder) {
  TPCBObjectClass empty(13);
  Editor().SetStatus("PcbApi_RemoveAllMembersFromClass", 13, NoKey, 4);
  EXPECT_EQ(empty.TransferRecord(qmSet), 4);
  EXPECT_EQ(Editor().CallsOf("PcbApi_RemoveAllMembersFromClass").size(), 1u);
  EXPECT_TRUE(Editor().CallsOf("PcbApi_AddMemberToClass").empty());

  Editor().Log.clear();
  TPCBObjectClass c(13);
  c.Members = {"A", std::string(300, 'n'), "C"};
  Editor().SetStatus("PcbApi_AddMemberToClass", 13, NoKey, 6);
  EXPECT_EQ(c.TransferRecord(qmUpdate), 6);
  auto names = Editor().Names();
  EXPECT_EQ(names[3], "PcbApi_RemoveAllMembersFromClass");
  auto adds = Editor().CallsOf("PcbApi_AddMemberToClass");
  ASSERT_EQ(adds.size(), 3u);
  EXPECT_EQ(adds[0].Field<String255>(0).View(), "A");
  EXPECT_EQ(adds[1].Field<String255>(0).View(), std::string(255, 'n'));
  EXPECT_EQ(adds[2].Field<String255>(0).View(), "C");
}

TEST_F(PcbGroupObjects, FromToCarriesItsNetButNoGraphicFields) {
  const char* q = "PcbApi_QueryFromTo";
  Editor().SetField(q, 7, NoKey, 0, uint16_t{0x0102});
  Editor().SetField(q, 7, NoKey, 3, LayerId{1});
  Editor().SetField(q, 7, NoKey, 4, Coord{400});
  Editor().SetField(q, 7, NoKey, 6, LayerId{32});
  Editor().SetField(q, 7, NoKey, 7, ObjectHandle{808});
  TPcbFromTo f(7);
  EXPECT_EQ(f.TransferRecord(qmGet), 0);
  EXPECT_EQ(Editor().CallsOf(q)[0].Fields.size(), 8u);
  EXPECT_EQ(f.CommonWord, 0x0102);
  EXPECT_EQ(f.GetFromLayer(), 1);
  EXPECT_EQ(f.GetX2(), 400);
  EXPECT_EQ(f.GetToLayer(), 32);
  EXPECT_EQ(f.NetHandle, 808u);
  EXPECT_EQ(f.Flags, 0);
  EXPECT_EQ(f.Layer, 0);

  TPcbNet net(8);
  net.X = 5;
  EXPECT_EQ(net.GetX2(), 5);
  EXPECT_EQ(TPcbManualFromTo(15).GetObjectId(), 15);
}

TEST_F(PcbGroupObjects, NetRuleAndManualFromToQueries) {
  Editor().SetField("PcbApi_QueryNet", 8, NoKey, 1, Text255("GND"));
  Editor().SetField("PcbApi_QueryNet", 8, NoKey, 3, uint8_t{2});
  TPcbNet net(8);
  EXPECT_EQ(net.TransferRecord(qmGet), 0);
  String255 name;
  net.GetName(name);
  EXPECT_EQ(name.View(), "GND");
  EXPECT_EQ(net.NetByte2, 2);

  Editor().SetField("PcbApi_QueryRule", 14, NoKey, 6, uint8_t{7});
  Editor().SetField("PcbApi_QueryRule", 14, NoKey, 7, Text255("Clearance"));
  Editor().SetField("PcbApi_QueryRule", 14, NoKey, 12, uint8_t{13});
  Editor().SetField("PcbApi_QueryRule", 14, NoKey, 16, int32_t{17});
  Editor().SetField("PcbApi_QueryRule", 14, NoKey, 22, Text255("All"));
  TPcbRule rule(14);
  EXPECT_EQ(rule.TransferRecord(qmGet), 0);
  EXPECT_EQ(rule.RuleByte[6], 7);
  EXPECT_EQ(rule.RuleText1[0].View(), "Clearance");
  EXPECT_EQ(rule.RuleField13, 13);
  EXPECT_EQ(rule.RuleValue[3], 17);
  EXPECT_EQ(rule.RuleText2[5].View(), "All");

  Editor().SetField("PcbApi_QueryManualFromTo", 15, NoKey, 3, Text255("U1-1"));
  Editor().SetField("PcbApi_QueryManualFromTo", 15, NoKey, 4, int32_t{44});
  TPcbManualFromTo manual(15);
  EXPECT_EQ(manual.TransferRecord(qmGet), 0);
  EXPECT_EQ(manual.ManualField3.View(), "U1-1");
  EXPECT_EQ(manual.ManualField4, 44);
}

TEST_F(PcbGroupObjects, FactoryBuildsTheClassOfEveryKindAndReadsIt) {
  const struct {
    ObjectId Kind;
    const std::type_info& Class;
    const char* Query;
  } cases[] = {
      {1, typeid(TPcbArc), "PcbApi_QueryArc"},
      {2, typeid(TPcbPad), "PcbApi_QueryPad"},
      {3, typeid(TPcbVia), "PcbApi_QueryVia"},
      {4, typeid(TPcbTrack), "PcbApi_QueryTrack"},
      {5, typeid(TPcbText), "PcbApi_QueryText"},
      {6, typeid(TPcbFill), "PcbApi_QueryFill"},
      {7, typeid(TPcbFromTo), "PcbApi_QueryFromTo"},
      {8, typeid(TPcbNet), "PcbApi_QueryNet"},
      {9, typeid(TPcbComponent), "PcbApi_QueryComponent"},
      {10, typeid(TPcbPolygon), "PcbApi_QueryPolygon"},
      {11, typeid(TPcbDimension), "PcbApi_QueryDimension"},
      {12, typeid(TPcbCoordinate), "PcbApi_QueryCoordinate"},
      {13, typeid(TPCBObjectClass), "PcbApi_QueryClass"},
      {14, typeid(TPcbRule), "PcbApi_QueryRule"},
      {15, typeid(TPcbManualFromTo), "PcbApi_QueryManualFromTo"},
      {21, typeid(TPcbBoardOutline), "PcbApi_QueryPolygon"},
  };
  for (const auto& c : cases) {
    Editor().Log.clear();
    const ObjectHandle h = 7000 + c.Kind;
    Editor().Kinds[h] = c.Kind;
    std::unique_ptr<TPCBObject> o = PcbObjectFromHandle(h);
    ASSERT_NE(o, nullptr) << int(c.Kind);
    EXPECT_EQ(typeid(*o), c.Class) << int(c.Kind);
    EXPECT_EQ(o->GetObjectId(), c.Kind);
    EXPECT_EQ(o->GetHandle(), h);
    auto queries = Editor().CallsOf(c.Query);
    ASSERT_EQ(queries.size(), 1u) << c.Query;
    EXPECT_EQ(queries[0].Args, (std::vector<int64_t>{qmGet, h}));
  }
}

TEST_F(PcbGroupObjects, FactoryBuildsNothingForAKindWithoutAClass) {
  for (ObjectId kind : {0, 16, 17, 18, 19, 20, 22, 255}) {
    Editor().Log.clear();
    Editor().Kinds[60] = kind;
    EXPECT_EQ(PcbObjectFromHandle(60), nullptr) << int(kind);
    EXPECT_EQ(Editor().Names(), (std::vector<std::string>{"PcbApi_GetObjectIdFromObjectHandle"}));
  }
}

TEST_F(PcbGroupObjects, ObjectTextsAndTheComponentsDesignator) {
  ShortString<254> designator;
  designator.Assign("U7");
  Editor().Kinds[61] = TextObject;
  Editor().SetField("PcbApi_QueryText", 61, NoKey, 12, designator);
  Editor().Kinds[62] = NetObject;
  Editor().SetField("PcbApi_QueryNet", 62, NoKey, 1, Text255("GND"));
  Editor().Kinds[63] = 17;
  String255 text = Text255("stale");
  GetObjectTextFromHandle(0, text);
  EXPECT_EQ(text.View(), "");
  EXPECT_TRUE(Editor().Log.empty());
  GetObjectTextFromHandle(61, text);
  EXPECT_EQ(text.View(), "U7");
  GetObjectTextFromHandle(62, text);
  EXPECT_EQ(text.View(), "");
  text = Text255("stale");
  GetObjectTextFromHandle(63, text);
  EXPECT_EQ(text.View(), "");

  Editor().Log.clear();
  TPcbComponent component(50);
  component.GetName(text);
  EXPECT_EQ(text.View(), "");
  EXPECT_TRUE(Editor().Log.empty());
  component.NameHandle = 61;
  component.GetName(text);
  EXPECT_EQ(text.View(), "U7");
}

}  // namespace
}  // namespace qv::test
