// The object base and the six primitives against the recording fake editor.
#include <cstdint>
#include <string>
#include <vector>

#include "tests/pcb/PcbFixture.h"

namespace qv::test {
namespace {

using PcbObject = FakeEditorTest;

TEST_F(PcbObject, OnePointObjectsEndWhereTheyStart) {
  TPcbPad pad(1);
  TPcbVia via(2);
  TPcbArc arc(3);
  TPcbText text(4);
  TPCBObject base(5);
  for (TPCBObject* o : std::vector<TPCBObject*>{&pad, &via, &arc, &text, &base}) {
    o->SetX(17);
    o->SetY(-4);
    o->SetX2(99);  // changes nothing on these kinds
    o->SetY2(99);
    EXPECT_EQ(o->GetX2(), 17);
    EXPECT_EQ(o->GetY2(), -4);
  }
  TPcbTrack track(6);
  track.SetX2(99);
  EXPECT_EQ(track.GetX2(), 99);
}

TEST_F(PcbObject, ConstructorsSetTheKindAndContactNoEditor) {
  EXPECT_EQ(TPcbArc(1).GetObjectId(), 1);
  EXPECT_EQ(TPcbPad(1).GetObjectId(), 2);
  EXPECT_EQ(TPcbVia(1).GetObjectId(), 3);
  EXPECT_EQ(TPcbTrack(1).GetObjectId(), 4);
  EXPECT_EQ(TPcbText(1).GetObjectId(), 5);
  EXPECT_EQ(TPcbFill(1).GetObjectId(), 6);
  EXPECT_EQ(TPcbComponent(1).GetObjectId(), 9);
  EXPECT_EQ(TPCBObject(1).GetObjectId(), 0);
  EXPECT_TRUE(Editor().Log.empty());
}

TEST_F(PcbObject, FlagSettersThatSendTransferAtOnceAndOthersDoNot) {
  TPCBObject o(8);
  EXPECT_TRUE(o.GetFlagBit8Clear());
  o.SetFlagBit8Clear(false);
  EXPECT_EQ(o.Flags, 0x0100);
  EXPECT_FALSE(o.GetFlagBit8Clear());
  ASSERT_EQ(Editor().Names(),
            (std::vector<std::string>{"PcbApi_GetObjectBitField2", "PcbApi_GetObjectBitField3",
                                      "PcbApi_QueryPrimitive"}));
  for (const FakeCall& c : Editor().Log) EXPECT_EQ(c.Args[0], qmSet);
  EXPECT_EQ(Editor().Log[2].Field<uint16_t>(0), 0x0100);

  Editor().Log.clear();
  o.SetFlagBit3(true);
  EXPECT_TRUE(o.GetFlagBit3());
  EXPECT_EQ(Editor().Log.size(), 3u);

  Editor().Log.clear();
  o.SetBitField3Bits1And2(true);
  EXPECT_EQ(o.BitField3, 0x0006);
  EXPECT_TRUE(o.GetBitField3Bit1Or2());
  o.SetBitField3Bit1(false);
  EXPECT_TRUE(o.GetBitField3Bit1Or2());
  o.SetBitField3Bit2(false);
  EXPECT_FALSE(o.GetBitField3Bit1Or2());
  o.SetFlagBit15(true);
  o.SetFlagBit4(true);
  EXPECT_EQ(o.Flags, 0x8118);
  EXPECT_TRUE(Editor().Log.empty());
}

TEST_F(PcbObject, BaseTransferPassesComponentHandleBeforeCommonByte) {
  Editor().SetField("PcbApi_QueryPrimitive", 8, NoKey, 3, ObjectHandle{300});
  Editor().SetField("PcbApi_QueryPrimitive", 8, NoKey, 4, ObjectHandle{400});
  Editor().SetField("PcbApi_QueryPrimitive", 8, NoKey, 5, uint8_t{5});
  Editor().SetField("PcbApi_GetObjectBitField2", 8, NoKey, 0, uint8_t{0x41});
  TPCBObject o(8);
  EXPECT_EQ(o.TransferRecord(qmGet), 0);
  EXPECT_EQ(o.NetHandle, 300u);
  EXPECT_EQ(o.ComponentHandle, 400u);
  EXPECT_EQ(o.CommonByte, 5);
  EXPECT_TRUE(o.GetBitField2Bit0());
  EXPECT_TRUE(o.GetBitField2Bit6());
  EXPECT_FALSE(o.GetBitField2Bit5());
}

TEST_F(PcbObject, LayerGettersAnswerZeroOffTheObjectsLayer) {
  TPcbTrack t(1);
  t.SetLayer(TopLayer);
  t.X = 10;
  t.Width = 7;
  EXPECT_EQ(t.GetXOnLayer(TopLayer), 10);
  EXPECT_EQ(t.GetWidthOnLayer(TopLayer), 7);
  EXPECT_EQ(t.GetXOnLayer(BottomLayer), 0);
  EXPECT_EQ(t.GetWidthOnLayer(BottomLayer), 0);
  EXPECT_EQ(t.GetCornerX1OnLayer(BottomLayer, 5), 0);
}

struct CornerCase {
  Coord X, Y, X2, Y2;
  double Rotation;
  Coord Expansion;
  Coord Corners[8];  // X1, Y1, X2, Y2, X3, Y3, X4, Y4
};

TEST_F(PcbObject, BaseCornersOfTheEnlargedTurnedRectangle) {
  const CornerCase cases[] = {
      {-50, -20, 50, 20, 0, 5, {-55, -25, 55, -25, -55, 25, 55, 25}},
      {-50, -20, 50, 20, 0, 0, {-50, -20, 50, -20, -50, 20, 50, 20}},
      {3, 0, 3, 0, 0, 0, {2, 0, 2, 0, 2, 0, 2, 0}},  // flat: the rotation is not consulted
      {3, 0, 3, 0, 45, 0, {2, 0, 2, 0, 2, 0, 2, 0}},
      {0, 0, 10, 0, 0, 0, {0, 0, 10, 0, 0, 0, 10, 0}},
      {0, 0, 100, 40, 90, 0, {70, -30, 70, 70, 30, -30, 30, 70}},
  };
  for (const CornerCase& c : cases) {
    TPcbFill f(1);
    f.X = c.X, f.Y = c.Y, f.X2 = c.X2, f.Y2 = c.Y2, f.Rotation = c.Rotation;
    const Coord got[8] = {f.GetCornerX1(c.Expansion), f.GetCornerY1(c.Expansion),
                          f.GetCornerX2(c.Expansion), f.GetCornerY2(c.Expansion),
                          f.GetCornerX3(c.Expansion), f.GetCornerY3(c.Expansion),
                          f.GetCornerX4(c.Expansion), f.GetCornerY4(c.Expansion)};
    for (int i = 0; i < 8; ++i)
      EXPECT_EQ(got[i], c.Corners[i]) << "corner value " << i << " of (" << c.X << "," << c.Y
                                      << ")-(" << c.X2 << "," << c.Y2 << ") rot " << c.Rotation;
  }
}

TEST_F(PcbObject, BoundingRectangleGettersAnswerZeroWhenTheQueryFails) {
  Editor().SetStatus("PcbApi_QueryObjectBoundingRectangle", 4, NoKey, 3);
  TPCBObject o(4);
  EXPECT_EQ(o.GetBoundingRectX1(), 0);
  EXPECT_EQ(o.GetBoundingRectY2(), 0);
  Editor().Statuses.clear();
  Editor().SetField("PcbApi_QueryObjectBoundingRectangle", 4, NoKey, 3, Coord{-8});
  EXPECT_EQ(o.GetBoundingRectY2(), -8);
  EXPECT_EQ(o.GetBoundingRectX2(), 0);
}

TEST_F(PcbObject, PrimitiveQueriesCarryTheCommonPartFirstThenTheirOwnFields) {
  // Common part of every primitive query: Flags, CommonWord, Layer, NetHandle, CommonByte,
  // ComponentHandle, X, Y.
  auto script = [&](const std::string& q, ObjectHandle h) {
    Editor().SetField(q, h, NoKey, 0, uint16_t{0x1234});
    Editor().SetField(q, h, NoKey, 1, uint16_t{0x5678});
    Editor().SetField(q, h, NoKey, 2, LayerId{32});
    Editor().SetField(q, h, NoKey, 3, ObjectHandle{77});
    Editor().SetField(q, h, NoKey, 4, uint8_t{9});
    Editor().SetField(q, h, NoKey, 5, ObjectHandle{88});
    Editor().SetField(q, h, NoKey, 6, Coord{-1000});
    Editor().SetField(q, h, NoKey, 7, Coord{2000});
  };
  auto common = [](const TPCBObject& o) {
    EXPECT_EQ(o.Flags, 0x1234);
    EXPECT_EQ(o.CommonWord, 0x5678);
    EXPECT_EQ(o.Layer, 32);
    EXPECT_EQ(o.NetHandle, 77u);
    EXPECT_EQ(o.CommonByte, 9);
    EXPECT_EQ(o.ComponentHandle, 88u);
    EXPECT_EQ(o.X, -1000);
    EXPECT_EQ(o.Y, 2000);
  };

  script("PcbApi_QueryArc", 1);
  Editor().SetField("PcbApi_QueryArc", 1, NoKey, 8, Coord{500});
  Editor().SetField("PcbApi_QueryArc", 1, NoKey, 9, 10.5);
  Editor().SetField("PcbApi_QueryArc", 1, NoKey, 10, 200.25);
  Editor().SetField("PcbApi_QueryArc", 1, NoKey, 11, Coord{12});
  Editor().SetField("PcbApi_QueryArc", 1, NoKey, 12, int32_t{-3});
  TPcbArc arc(1);
  EXPECT_EQ(arc.TransferRecord(qmGet), 0);
  common(arc);
  EXPECT_EQ(arc.GetRadius(), 500);
  EXPECT_EQ(arc.GetStartAngle(), 10.5);
  EXPECT_EQ(arc.GetEndAngle(), 200.25);
  EXPECT_EQ(arc.GetLineWidth(), 12);
  EXPECT_EQ(arc.GetLink1(), -3);

  script("PcbApi_QueryVia", 2);
  Editor().SetField("PcbApi_QueryVia", 2, NoKey, 8, Coord{600});
  Editor().SetField("PcbApi_QueryVia", 2, NoKey, 9, Coord{300});
  Editor().SetField("PcbApi_QueryVia", 2, NoKey, 10, LayerId{1});
  Editor().SetField("PcbApi_QueryVia", 2, NoKey, 11, LayerId{32});
  TPcbVia via(2);
  via.TransferRecord(qmGet);
  common(via);
  EXPECT_EQ(via.GetSize(), 600);
  EXPECT_EQ(via.GetXSize(), 600);
  EXPECT_EQ(via.GetHoleSize(), 300);
  EXPECT_EQ(via.GetLowLayer(), 1);
  EXPECT_EQ(via.GetHighLayer(), 32);

  script("PcbApi_QueryTrack", 3);
  for (int i = 0; i < 6; ++i)
    Editor().SetField("PcbApi_QueryTrack", 3, NoKey, 8 + i, int32_t{100 + i});
  TPcbTrack track(3);
  track.TransferRecord(qmGet);
  common(track);
  EXPECT_EQ(track.GetX2(), 100);
  EXPECT_EQ(track.GetY2(), 101);
  EXPECT_EQ(track.GetWidth(), 102);
  EXPECT_EQ(track.GetLink1(), 103);
  EXPECT_EQ(track.GetLink2(), 104);
  EXPECT_EQ(track.GetLink3(), 105);

  script("PcbApi_QueryText", 4);
  Editor().SetField("PcbApi_QueryText", 4, NoKey, 8, Coord{60});
  Editor().SetField("PcbApi_QueryText", 4, NoKey, 9, int32_t{2});
  Editor().SetField("PcbApi_QueryText", 4, NoKey, 10, 90.0);
  Editor().SetField("PcbApi_QueryText", 4, NoKey, 11, uint8_t{1});
  ShortString<254> designator;
  designator.Assign("R12");
  Editor().SetField("PcbApi_QueryText", 4, NoKey, 12, designator);
  Editor().SetField("PcbApi_QueryText", 4, NoKey, 13, Coord{8});
  Editor().SetField("PcbApi_QueryText", 4, NoKey, 14, int32_t{14});
  Editor().SetField("PcbApi_QueryText", 4, NoKey, 15, int32_t{15});
  TPcbText text(4);
  text.TransferRecord(qmGet);
  common(text);
  String255 got;
  text.GetText(got);
  EXPECT_EQ(got.View(), "R12");
  EXPECT_EQ(text.GetSize(), 60);
  EXPECT_EQ(text.GetFont(), 2);
  EXPECT_EQ(text.GetRotation(), 90.0);
  EXPECT_TRUE(text.GetMirrored());
  EXPECT_EQ(text.GetLineWidth(), 8);
  EXPECT_EQ(text.GetLink2(), 14);
  EXPECT_EQ(text.GetLink3(), 15);

  script("PcbApi_QueryFill", 5);
  Editor().SetField("PcbApi_QueryFill", 5, NoKey, 8, Coord{70});
  Editor().SetField("PcbApi_QueryFill", 5, NoKey, 9, Coord{80});
  Editor().SetField("PcbApi_QueryFill", 5, NoKey, 10, int32_t{5});
  Editor().SetField("PcbApi_QueryFill", 5, NoKey, 11, 45.0);
  TPcbFill fill(5);
  fill.TransferRecord(qmGet);
  common(fill);
  EXPECT_EQ(fill.GetX2(), 70);
  EXPECT_EQ(fill.GetY2(), 80);
  EXPECT_EQ(fill.GetLink1(), 5);
  EXPECT_EQ(fill.GetRotation(), 45.0);
}

TEST_F(PcbObject, PadQueryPassesPadByte2BeforeRotation) {
  const ObjectHandle h = 6;
  for (int i = 0; i < 7; ++i) Editor().SetField("PcbApi_QueryPad", h, NoKey, 8 + i, Coord{i + 1});
  Editor().SetField("PcbApi_QueryPad", h, NoKey, 15, uint8_t{21});
  Editor().SetField("PcbApi_QueryPad", h, NoKey, 16, uint8_t{22});
  Editor().SetField("PcbApi_QueryPad", h, NoKey, 17, uint8_t{23});
  ShortString<20> name;
  name.Assign("A1");
  Editor().SetField("PcbApi_QueryPad", h, NoKey, 18, name);
  Editor().SetField("PcbApi_QueryPad", h, NoKey, 19, uint8_t{31});
  Editor().SetField("PcbApi_QueryPad", h, NoKey, 20, uint8_t{32});
  Editor().SetField("PcbApi_QueryPad", h, NoKey, 21, 30.0);
  TPcbPad pad(h);
  EXPECT_EQ(pad.TransferRecord(qmGet), 0);
  EXPECT_EQ(pad.GetTopXSize(), 1);
  EXPECT_EQ(pad.GetBottomYSize(), 6);
  EXPECT_EQ(pad.GetHoleSize(), 7);
  EXPECT_EQ(pad.GetTopShape(), 21);
  EXPECT_EQ(pad.GetBottomShape(), 23);
  EXPECT_EQ(pad.Name.View(), "A1");
  EXPECT_EQ(pad.PadByte1, 31);
  EXPECT_EQ(pad.PadByte2, 32);
  EXPECT_EQ(pad.GetRotation(), 30.0);
}

TEST_F(PcbObject, PadWithLayerByLayerStackSendsEverySignalLayerInOrder) {
  TPcbPad pad(6);
  pad.StackMode = 2;
  for (unsigned l = 1; l <= 32; ++l) {
    pad.ShapeOnLayer[l] = static_cast<uint8_t>(l % 4);
    pad.XSizeOnLayer[l] = static_cast<Coord>(1000 + l);
    pad.YSizeOnLayer[l] = static_cast<Coord>(2000 + l);
  }
  EXPECT_EQ(pad.TransferRecord(qmSet), 0);
  const auto& log = Editor().Log;
  ASSERT_EQ(log.size(), 2u + 1 + 1 + 64);
  EXPECT_EQ(log[2].Name, "PcbApi_QueryPad");
  EXPECT_EQ(log[3].Name, "PcbApi_QueryPadStackMode");
  EXPECT_EQ(log[3].Field<uint8_t>(0), 2);
  for (unsigned l = 1; l <= 32; ++l) {
    const FakeCall& shape = log[4 + 2 * (l - 1)];
    const FakeCall& size = log[5 + 2 * (l - 1)];
    EXPECT_EQ(shape.Name, "PcbApi_SetPadShapeOnLayer");
    EXPECT_EQ(shape.Args, (std::vector<int64_t>{6, l, l % 4}));
    EXPECT_EQ(size.Name, "PcbApi_SetPadSizeOnLayer");
    EXPECT_EQ(size.Args, (std::vector<int64_t>{6, l, 1000 + l, 2000 + l}));
  }
}

TEST_F(PcbObject, PadReadsItsStackOnlyInLayerByLayerMode) {
  Editor().SetField("PcbApi_QueryPadStackMode", 6, NoKey, 0, uint8_t{2});
  Editor().SetField("PcbApi_QueryPadOrViaShapeOnLayer", 6, 5, 0, uint8_t{3});
  ScriptPadSize(Editor(), 6, 5, 111, 222);
  TPcbPad pad(6);
  EXPECT_EQ(pad.TransferRecord(qmGet), 0);
  EXPECT_EQ(pad.StackMode, 2);
  EXPECT_EQ(pad.ShapeOnLayer[5], 3);
  EXPECT_EQ(pad.XSizeOnLayer[5], 111);
  EXPECT_EQ(pad.YSizeOnLayer[5], 222);
  EXPECT_EQ(Editor().CallsOf("PcbApi_QueryPadOrViaShapeOnLayer").size(), 32u);
  EXPECT_EQ(Editor().CallsOf("PcbApi_QueryPadOrViaSizeOnLayer").back().Args,
            (std::vector<int64_t>{6, 32}));

  Editor().Log.clear();
  Editor().SetField("PcbApi_QueryPadStackMode", 6, NoKey, 0, uint8_t{1});
  EXPECT_EQ(pad.TransferRecord(qmGet), 0);
  EXPECT_EQ(Editor().Names().back(), "PcbApi_QueryPadStackMode");
  EXPECT_EQ(Editor().CallsOf("PcbApi_QueryPadStackMode").size(), 1u);
}

TEST_F(PcbObject, PadWhoseRecordQueryFailsTouchesNoStack) {
  Editor().SetStatus("PcbApi_QueryPad", 6, NoKey, 9);
  TPcbPad pad(6);
  pad.StackMode = 2;
  EXPECT_EQ(pad.TransferRecord(qmSet), 9);
  EXPECT_EQ(Editor().Names(),
            (std::vector<std::string>{"PcbApi_GetObjectBitField2", "PcbApi_GetObjectBitField3",
                                      "PcbApi_QueryPad"}));
}

struct PadCornerCase {
  Coord X, Y, XSize, YSize;
  double Rotation;
  Coord Expansion;
  Coord Corners[8];
};

TEST_F(PcbObject, PadCornersOnALayer) {
  const PadCornerCase cases[] = {
      {0, 0, 100, 40, 0, 0, {-50, -20, 50, -20, -50, 20, 50, 20}},
      {0, 0, 100, 40, 0, 5, {-55, -25, 55, -25, -55, 25, 55, 25}},
      {1000, 2000, 100, 40, 90, 0, {1020, 1950, 1020, 2050, 980, 1950, 980, 2050}},
      // No height: the corners lie on the line through the location, without dividing by 0.
      {10, 20, 10, 0, 30, 0, {5, 20, 15, 20, 5, 20, 15, 20}},
      {10, 20, 10, -10, 0, 5, {0, 20, 20, 20, 0, 20, 20, 20}},
  };
  for (const PadCornerCase& c : cases) {
    TPcbPad pad(6);
    pad.X = c.X, pad.Y = c.Y, pad.Rotation = c.Rotation;
    ScriptPadSize(Editor(), 6, TopLayer, c.XSize, c.YSize);
    const Coord e = c.Expansion;
    const Coord got[8] = {pad.GetCornerX1OnLayer(TopLayer, e), pad.GetCornerY1OnLayer(TopLayer, e),
                          pad.GetCornerX2OnLayer(TopLayer, e), pad.GetCornerY2OnLayer(TopLayer, e),
                          pad.GetCornerX3OnLayer(TopLayer, e), pad.GetCornerY3OnLayer(TopLayer, e),
                          pad.GetCornerX4OnLayer(TopLayer, e), pad.GetCornerY4OnLayer(TopLayer, e)};
    for (int i = 0; i < 8; ++i)
      EXPECT_EQ(got[i], c.Corners[i]) << "corner value " << i << " of a pad " << c.XSize << " by "
                                      << c.YSize << " rot " << c.Rotation << " exp " << e;
  }
  Editor().Log.clear();
  TPcbPad pad(6);
  pad.GetCornerX1OnLayer(TopLayer, 0);
  EXPECT_EQ(Editor().Log.size(), 2u);  // one size query for each of W and H
}

TEST_F(PcbObject, PadCentreLineAndWidthOnALayer) {
  const struct {
    Coord XSize, YSize;
    double Rotation;
    Coord Points[4];
  } cases[] = {
      {100, 40, 0, {-30, 0, 30, 0}},  {40, 100, 0, {0, 30, 0, -30}},
      {101, 40, 0, {-30, 0, 30, 0}},  {50, 50, 0, {7, -3, 7, -3}},
      {100, 40, 90, {7, -33, 7, 27}}, {40, 100, 90, {-23, -3, 37, -3}},
  };
  for (const auto& c : cases) {
    TPcbPad pad(6);
    if (c.Rotation != 0 || c.XSize == c.YSize) pad.X = 7, pad.Y = -3;
    pad.Rotation = c.Rotation;
    ScriptPadSize(Editor(), 6, BottomLayer, c.XSize, c.YSize);
    EXPECT_EQ(pad.GetXOnLayer(BottomLayer), c.Points[0]) << c.XSize << "x" << c.YSize;
    EXPECT_EQ(pad.GetYOnLayer(BottomLayer), c.Points[1]) << c.XSize << "x" << c.YSize;
    EXPECT_EQ(pad.GetX2OnLayer(BottomLayer), c.Points[2]) << c.XSize << "x" << c.YSize;
    EXPECT_EQ(pad.GetY2OnLayer(BottomLayer), c.Points[3]) << c.XSize << "x" << c.YSize;
  }
  TPcbPad pad(6);
  ScriptPadSize(Editor(), 6, TopLayer, 100, 40);
  EXPECT_EQ(pad.GetWidthOnLayer(TopLayer), 40);
  ScriptPadSize(Editor(), 6, TopLayer, 30, 40);
  EXPECT_EQ(pad.GetWidthOnLayer(TopLayer), 30);
}

TEST_F(PcbObject, PadPerLayerGettersRefreshTheirEntryAndAnswerZeroOnFailure) {
  TPcbPad pad(6);
  ScriptPadSize(Editor(), 6, 7, 300, 400);
  Editor().SetField("PcbApi_QueryPadOrViaShapeOnLayer", 6, 7, 0, uint8_t{2});
  EXPECT_EQ(pad.GetXSizeOnLayer(7), 300);
  EXPECT_EQ(pad.GetYSizeOnLayer(7), 400);
  EXPECT_EQ(pad.GetShapeOnLayer(7), 2);
  EXPECT_EQ(pad.XSizeOnLayer[7], 300);
  Editor().SetStatus("PcbApi_QueryPadOrViaSizeOnLayer", 6, 7, 1);
  EXPECT_EQ(pad.GetXSizeOnLayer(7), 0);
  EXPECT_EQ(pad.XSizeOnLayer[7], 300);  // the failed query left the entry as it was
}

TEST_F(PcbObject, PerLayerGettersAnswerZeroForALayerIdBeyondTheLastLayer) {
  TPcbPad pad(6);
  for (LayerId l : {LayerId{83}, LayerId{200}, LayerId{255}}) {
    EXPECT_EQ(pad.GetXSizeOnLayer(l), 0);
    EXPECT_EQ(pad.GetYSizeOnLayer(l), 0);
    EXPECT_EQ(pad.GetShapeOnLayer(l), 0);
    EXPECT_EQ(pad.GetWidthOnLayer(l), 0);
    EXPECT_EQ(pad.GetCornerX2OnLayer(l, 0), 0);
    EXPECT_EQ(pad.GetX2OnLayer(l), 0);
  }
  EXPECT_TRUE(Editor().Log.empty());
}

TEST_F(PcbObject, ViaPerLayerGettersUseLocalsAndLeaveTheRecordAlone) {
  TPcbVia via(9);
  via.Size = 123;
  ScriptPadSize(Editor(), 9, 3, 456, 789);
  Editor().SetField("PcbApi_QueryPadOrViaShapeOnLayer", 9, 3, 0, uint8_t{1});
  EXPECT_EQ(via.GetSizeOnLayer(3), 456);
  EXPECT_EQ(via.GetShapeOnLayer(3), 1);
  EXPECT_EQ(via.Size, 123);
  Editor().SetStatus("PcbApi_QueryPadOrViaSizeOnLayer", 9, 3, 2);
  EXPECT_EQ(via.GetSizeOnLayer(3), 0);
}

TEST_F(PcbObject, StringSettersKeepTheirCapacity) {
  TPcbText text(1);
  text.SetText(Text255(std::string(255, 'x')));
  EXPECT_EQ(text.Text.View().size(), 254u);
  TPcbPad pad(2);
  pad.SetName(Text255("ABCDEFGHIJKLMNOPQRSTUVWXY"));
  String255 name;
  pad.GetName(name);
  EXPECT_EQ(name.View(), "ABCDEFGHIJKLMNOPQRST");
  TPcbVia via(3);
  via.SetName(Text255("V"));
  via.GetName(name);
  EXPECT_EQ(name.View(), "");
}

TEST_F(PcbObject, TextWidthIsItsLineWidthAndCannotBeSet) {
  TPcbText text(1);
  text.SetLineWidth(25);
  text.SetWidth(99);
  EXPECT_EQ(text.GetWidth(), 25);
  EXPECT_EQ(text.GetLineWidth(), 25);
}

}  // namespace
}  // namespace qv::test
