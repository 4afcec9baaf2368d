// A component's turn, flip and move reach its primitives at once, and turning it back leaves every
// primitive exactly as it was, at any angle.
#include <cstring>

#include "tests/host/EditorFixture.h"

namespace editortest {

namespace {

template <class... T>
std::string Join(const T&... values) {
  std::ostringstream s;
  s.precision(17);
  ((s << values << ' '), ...);
  return s.str();
}

// Reads every field of a primitive and, when `write` is set, sends them straight back.
std::string Visit(ObjectHandle h, QueryMode writeMode, bool write) {
  EDITOR_FN(PcbApi_GetObjectIdFromObjectHandle);
  EDITOR_FN(PcbApi_QueryArc);
  EDITOR_FN(PcbApi_QueryPad);
  EDITOR_FN(PcbApi_QueryVia);
  EDITOR_FN(PcbApi_QueryText);
  EDITOR_FN(PcbApi_QueryFill);
  EDITOR_FN(PcbApi_QueryPadOrViaSizeOnLayer);
  EDITOR_FN(PcbApi_QueryPadOrViaShapeOnLayer);
  uint16_t flags = 0, word = 0;
  LayerId layer = 0;
  ObjectHandle net = 0, component = 0;
  uint8_t byte = 0;
  Coord x = 0, y = 0;
  auto common = [&] {
    return Join(unsigned(flags), word, unsigned(layer), net, unsigned(byte), component, x, y);
  };
  switch (PcbApi_GetObjectIdFromObjectHandle(h)) {
    case 1: {
      Coord radius = 0, width = 0;
      double start = 0, end = 0;
      int32_t link = 0;
      for (QueryMode m : {qmGet, writeMode}) {
        EXPECT_EQ(PcbApi_QueryArc(m, h, &flags, &word, &layer, &net, &byte, &component, &x, &y,
                                  &radius, &start, &end, &width, &link),
                  0);
        if (!write) break;
      }
      return "arc " + common() + Join(radius, start, end, width, link);
    }
    case 2: {
      Coord s[7] = {};
      uint8_t shapes[3] = {}, b1 = 0, b2 = 0;
      ShortString<20> name;
      double rotation = 0;
      for (QueryMode m : {qmGet, writeMode}) {
        EXPECT_EQ(PcbApi_QueryPad(m, h, &flags, &word, &layer, &net, &byte, &component, &x, &y,
                                  &s[0], &s[1], &s[2], &s[3], &s[4], &s[5], &s[6], &shapes[0],
                                  &shapes[1], &shapes[2], &name, &b1, &b2, &rotation),
                  0);
        if (!write) break;
      }
      std::string stack;
      for (LayerId l : {LayerId(1), LayerId(2), LayerId(3), LayerId(32)}) {
        Coord xs = 0, ys = 0;
        uint8_t shape = 0;
        PcbApi_QueryPadOrViaSizeOnLayer(h, l, &xs, &ys);
        PcbApi_QueryPadOrViaShapeOnLayer(h, l, &shape);
        stack += Join(unsigned(l), xs, ys, unsigned(shape));
      }
      return "pad " + common() +
             Join(s[0], s[1], s[2], s[3], s[4], s[5], s[6], unsigned(shapes[0]),
                  unsigned(shapes[1]), unsigned(shapes[2]), name.View(), unsigned(b1), unsigned(b2),
                  rotation) +
             stack;
    }
    case 3: {
      Coord size = 0, hole = 0;
      LayerId low = 0, high = 0;
      for (QueryMode m : {qmGet, writeMode}) {
        EXPECT_EQ(PcbApi_QueryVia(m, h, &flags, &word, &layer, &net, &byte, &component, &x, &y,
                                  &size, &hole, &low, &high),
                  0);
        if (!write) break;
      }
      return "via " + common() + Join(size, hole, unsigned(low), unsigned(high));
    }
    case 4: {
      Track t;
      EXPECT_EQ(QueryTrack(qmGet, h, t), 0);
      if (write) {
        EXPECT_EQ(QueryTrack(writeMode, h, t), 0);
      }
      return "track " + Join(t.flags, t.word, unsigned(t.layer), t.net, unsigned(t.byte),
                             t.component, t.x, t.y, t.x2, t.y2, t.width, t.link1, t.link2, t.link3);
    }
    case 5: {
      Coord size = 0, width = 0;
      int32_t font = 0, l2 = 0, l3 = 0;
      double rotation = 0;
      uint8_t mirrored = 0;
      ShortString<254> text;
      for (QueryMode m : {qmGet, writeMode}) {
        EXPECT_EQ(PcbApi_QueryText(m, h, &flags, &word, &layer, &net, &byte, &component, &x, &y,
                                   &size, &font, &rotation, &mirrored, &text, &width, &l2, &l3),
                  0);
        if (!write) break;
      }
      return "text " + common() +
             Join(size, font, rotation, unsigned(mirrored), text.View(), width, l2, l3);
    }
    case 6: {
      Coord x2 = 0, y2 = 0;
      int32_t link = 0;
      double rotation = 0;
      for (QueryMode m : {qmGet, writeMode}) {
        EXPECT_EQ(PcbApi_QueryFill(m, h, &flags, &word, &layer, &net, &byte, &component, &x, &y,
                                   &x2, &y2, &link, &rotation),
                  0);
        if (!write) break;
      }
      return "fill " + common() + Join(x2, y2, link, rotation);
    }
    default:
      return "not a primitive";
  }
}

}  // namespace

std::string Describe(ObjectHandle h) {
  return Visit(h, qmGet, false);
}

std::vector<ObjectHandle> Iterate(ObjectHandle container, ObjectId kind, uint8_t method,
                                  LayerId layer) {
  EDITOR_FN(PcbApi_CreateIterator);
  EDITOR_FN(PcbApi_GetFirstObject);
  EDITOR_FN(PcbApi_GetNextObject);
  EDITOR_FN(PcbApi_DestroyIterator);
  std::vector<ObjectHandle> result;
  ObjectHandle it = PcbApi_CreateIterator(container, kind, method, layer);
  if (!it) return result;
  for (ObjectHandle h = PcbApi_GetFirstObject(it); h; h = PcbApi_GetNextObject(it))
    result.push_back(h);
  EXPECT_EQ(PcbApi_DestroyIterator(it), 0);
  return result;
}

namespace {

// A four-layer board with one component holding every primitive kind.
const char* const kBoard = R"(QuorvelPcb 1 board
layer Id=1 NextLayer=2
layer Id=2 PreviousLayer=1 NextLayer=3
layer Id=3 PreviousLayer=2 NextLayer=32
layer Id=32 PreviousLayer=3
component Pattern="MIX" X=1000000 Y=2000000 NameText=1
  arc Layer=33 X=10000 Y=20000 Radius=50000 StartAngle=10 EndAngle=100
  pad X=-30000 Y=40000 TopXSize=700000 BottomXSize=500000 TopShape=2 Rotation=15 StackMode=2
  padlayer Layer=2 XSize=11 YSize=22 Shape=3
  via X=5 Y=7 HighLayer=3
  track Layer=2 X=1 Y=2 X2=300001 Y2=-77777
  text Layer=33 X=33333 Y=-1 Rotation=45 Text="U1"
  fill Layer=35 X=-10001 Y=-20001 X2=10000 Y2=20000 Rotation=30
end
)";

class GeometryTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    board_ = Open("geometry.PcbDoc", kBoard);
    auto components = Iterate(board_, 9, 0, 1);
    ASSERT_EQ(components.size(), 1u);
    component_ = components[0];
    for (ObjectId kind = 1; kind <= 6; ++kind)
      for (ObjectHandle h : Iterate(component_, kind, 2, 0)) primitives_.push_back(h);
    ASSERT_EQ(primitives_.size(), 6u);
  }
  std::vector<std::string> Snapshot() const {
    std::vector<std::string> s;
    for (ObjectHandle h : primitives_) s.push_back(Describe(h));
    return s;
  }
  void Place(LayerId layer, double rotation, Coord x, Coord y) {
    Component c;
    ASSERT_EQ(QueryComponent(qmGet, component_, c), 0);
    c.layer = layer;
    c.rotation = rotation;
    c.x = x;
    c.y = y;
    ASSERT_EQ(QueryComponent(qmUpdate, component_, c), 0);
  }
  ObjectHandle Primitive(ObjectId kind) const { return primitives_[kind - 1]; }

  ObjectHandle board_ = 0, component_ = 0;
  std::vector<ObjectHandle> primitives_;
};

TEST_F(GeometryTest, TurningFlippingAndMovingBackLeavesEveryPrimitiveExactly) {
  const auto original = Snapshot();
  for (double angle : {33.3, 90.0, 180.0, 270.0, 45.0, 359.9, -17.25, 1e-9, 123456.789}) {
    SCOPED_TRACE(angle);
    Place(1, angle, 1000000, 2000000);
    EXPECT_NE(Snapshot(), original);
    Place(32, angle, 1000000, 2000000);
    Place(32, angle, -7654321, 12345);
    // Reading a primitive and sending it back unchanged must not disturb it either.
    for (ObjectHandle h : primitives_) Visit(h, qmUpdate, true);
    Place(1, angle, -7654321, 12345);
    Place(1, 0.0, 1000000, 2000000);
    EXPECT_EQ(Snapshot(), original);
  }
}

TEST_F(GeometryTest, QuarterTurnsAreExactAndTurnAboutTheLocation) {
  Place(1, 90.0, 1000000, 2000000);
  Track t;
  ASSERT_EQ(QueryTrack(qmGet, Primitive(4), t), 0);
  // Own-frame (1, 2) and (300001, -77777) turned a quarter counter-clockwise.
  EXPECT_EQ(t.x, 1000000 - 2);
  EXPECT_EQ(t.y, 2000000 + 1);
  EXPECT_EQ(t.x2, 1000000 + 77777);
  EXPECT_EQ(t.y2, 2000000 + 300001);
  EXPECT_EQ(t.component, component_);
}

TEST_F(GeometryTest, FlipMirrorsAndSwapsSidedLayers) {
  Place(32, 0.0, 1000000, 2000000);
  Track t;
  ASSERT_EQ(QueryTrack(qmGet, Primitive(4), t), 0);
  EXPECT_EQ(t.layer, 3);  // MidLayer1 becomes MidLayer2 on a four-layer stack
  EXPECT_EQ(t.x, 1000000 - 1);
  EXPECT_EQ(t.y, 2000000 + 2);
  EXPECT_NE(Describe(Primitive(1)).find("arc 0 0 34 "), std::string::npos);   // overlay
  EXPECT_NE(Describe(Primitive(6)).find("fill 0 0 36 "), std::string::npos);  // paste
  // The via spanned TopLayer to MidLayer2 and now spans MidLayer1 to BottomLayer.
  EXPECT_NE(Describe(Primitive(3)).find("280000 2 32 "), std::string::npos)
      << Describe(Primitive(3));
  // The pad's top and bottom sizes trade places and its own mid-layer entry moves to MidLayer2.
  EXPECT_NE(Describe(Primitive(2))
                .find("1030000 2040000 500000 600000 600000 600000 700000 "
                      "600000 300000 1 1 2  0 0 165 "),
            std::string::npos)
      << Describe(Primitive(2));
  EXPECT_NE(Describe(Primitive(2)).find("3 11 22 3 "), std::string::npos);
  // The text reads mirrored.
  EXPECT_NE(Describe(Primitive(5)).find(" 1 U1 "), std::string::npos) << Describe(Primitive(5));
}

TEST_F(GeometryTest, AFlippedComponentsPrimitivesAreFoundOnTheirNewLayer) {
  EXPECT_EQ(Iterate(board_, 4, 0, 2), std::vector<ObjectHandle>{Primitive(4)});
  Place(32, 0.0, 1000000, 2000000);
  EXPECT_TRUE(Iterate(board_, 4, 0, 2).empty());
  EXPECT_EQ(Iterate(board_, 4, 0, 3), std::vector<ObjectHandle>{Primitive(4)});
  EXPECT_EQ(Iterate(board_, 9, 0, 32), std::vector<ObjectHandle>{component_});
  EXPECT_TRUE(Iterate(board_, 9, 0, 1).empty());
}

TEST_F(GeometryTest, AChangedPrimitiveOfATurnedComponentKeepsItsNewBoardPlace) {
  Place(32, 33.3, 500000, 600000);
  Track t;
  ASSERT_EQ(QueryTrack(qmGet, Primitive(4), t), 0);
  t.x = 123456;
  t.y = -654321;
  ASSERT_EQ(QueryTrack(qmSet, Primitive(4), t), 0);
  Track back;
  ASSERT_EQ(QueryTrack(qmGet, Primitive(4), back), 0);
  EXPECT_NEAR(back.x, 123456, 1);
  EXPECT_NEAR(back.y, -654321, 1);
  EXPECT_EQ(back.x2, t.x2);
  EXPECT_EQ(back.y2, t.y2);
}

}  // namespace

}  // namespace editortest
