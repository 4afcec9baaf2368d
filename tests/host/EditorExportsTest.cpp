// The stand-in editor through its exports: handles, record queries in each mode, iterators, the
// "PCB:" processes and the host's control functions.
#include "tests/host/EditorFixture.h"

namespace editortest {
namespace {

const char* const kTwoSided = R"(QuorvelPcb 1 board
net Name="GND"
component Pattern="DIP14" X=100 Y=200 NameText=1
  text Layer=33 Text="U1"
  track Layer=1 X2=100 Net=1
  track Layer=1 X2=200
end
component Pattern="SO8" Layer=32 Rotation=90
  pad Name="1"
end
component Pattern="DIP14" X=5000
end
track Layer=2 X2=5
)";

TEST_F(EditorTest, StaleUnknownAndMismatchedHandlesAreRefusedWithoutHarm) {
  EDITOR_FN(PcbApi_GetObjectIdFromObjectHandle);
  EDITOR_FN(PcbApi_CreateObject);
  EDITOR_FN(PcbApi_QueryArc);
  EDITOR_FN(PcbApi_QueryBoard);
  EDITOR_FN(PcbApi_CreateIterator);
  EDITOR_FN(PcbApi_GetFirstObject);
  EDITOR_FN(PcbApi_DestroyIterator);
  EDITOR_FN(PcbApi_AddObjectToContainer);
  ObjectHandle board = Open("b.PcbDoc", kTwoSided);
  ObjectHandle track = PcbApi_CreateObject(4);
  ASSERT_NE(track, 0u);
  Track before;
  ASSERT_EQ(QueryTrack(qmGet, track, before), 0);

  Track t = before;
  t.x = 999;
  ObjectHandle iterator = PcbApi_CreateIterator(board, 9, 0, 1);
  for (ObjectHandle wrong : {ObjectHandle{0}, ObjectHandle{0xFFFFFFF0u}, board, iterator}) {
    SCOPED_TRACE(wrong);
    EXPECT_NE(QueryTrack(qmSet, wrong, t), 0);
    EXPECT_NE(QueryTrack(qmGet, wrong, t), 0);
    EXPECT_EQ(PcbApi_GetObjectIdFromObjectHandle(wrong), 0);
  }
  // A track handle asked for as an arc, and an unknown query mode.
  uint16_t w = 0;
  uint8_t b = 0;
  LayerId l = 0;
  ObjectHandle h = 0;
  Coord c = 0;
  double d = 0;
  int32_t i = 0;
  EXPECT_NE(PcbApi_QueryArc(qmSet, track, &w, &w, &l, &h, &b, &h, &c, &c, &c, &d, &d, &c, &i), 0);
  EXPECT_NE(QueryTrack(7, track, t), 0);
  // Null pointers are refused.
  EXPECT_NE(PcbApi_QueryArc(qmGet, track, nullptr, &w, &l, &h, &b, &h, &c, &c, &c, &d, &d, &c, &i),
            0);
  EXPECT_NE(PcbApi_QueryBoard(qmGet, board, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr, nullptr),
            0);
  Track after;
  ASSERT_EQ(QueryTrack(qmGet, track, after), 0);
  EXPECT_EQ(after, before);

  // A destroyed iterator and the objects of a closed document are stale.
  EXPECT_EQ(PcbApi_DestroyIterator(iterator), 0);
  EXPECT_NE(PcbApi_DestroyIterator(iterator), 0);
  EXPECT_EQ(PcbApi_GetFirstObject(iterator), 0u);
  ObjectHandle component = Iterate(board, 9, 0, 1).front();
  ObjectHandle primitive = Iterate(component, 4, 2, 0).front();
  ASSERT_EQ(Gorvath_CloseDocument(board), 1);
  EXPECT_EQ(PcbApi_GetObjectIdFromObjectHandle(component), 0);
  EXPECT_NE(QueryTrack(qmGet, primitive, t), 0);
  EXPECT_EQ(PcbApi_CreateIterator(board, 9, 0, 1), 0u);
  EXPECT_NE(PcbApi_AddObjectToContainer(board, track), 0);
  EXPECT_EQ(PcbApi_GetObjectIdFromObjectHandle(track), 4);  // a free object lives on
}

TEST_F(EditorTest, NewObjectsHaveDefaultsAndRecordsRoundTripInEveryWriteMode) {
  EDITOR_FN(PcbApi_CreateObject);
  EDITOR_FN(PcbApi_QueryPad);
  EDITOR_FN(PcbApi_QueryPadStackMode);
  EDITOR_FN(PcbApi_SetPadShapeOnLayer);
  EDITOR_FN(PcbApi_SetPadSizeOnLayer);
  EDITOR_FN(PcbApi_QueryPadOrViaSizeOnLayer);
  EDITOR_FN(PcbApi_QueryPadOrViaShapeOnLayer);
  EDITOR_FN(PcbApi_GetObjectBitField2);
  EDITOR_FN(PcbApi_GetObjectBitField3);
  for (QueryMode mode : {qmSet, qmUpdate}) {
    SCOPED_TRACE(int(mode));
    ObjectHandle track = PcbApi_CreateObject(4);
    Track t;
    ASSERT_EQ(QueryTrack(qmGet, track, t), 0);
    EXPECT_EQ(t.layer, 1);
    EXPECT_EQ(t.width, 100000);
    t = {0x8001, 0xfffe, 57, 0, 0xaa, 0, -2147483647 - 1, 2147483647, 3, -4, 5, -6, 7, 8};
    ASSERT_EQ(QueryTrack(mode, track, t), 0);
    Track back;
    ASSERT_EQ(QueryTrack(qmGet, track, back), 0);
    EXPECT_EQ(back, t);

    uint8_t bits2 = 0x5a;
    uint16_t bits3 = 0xa55a;
    PcbApi_GetObjectBitField2(mode, track, &bits2);
    PcbApi_GetObjectBitField3(mode, track, &bits3);
    bits2 = 0;
    bits3 = 0;
    PcbApi_GetObjectBitField2(qmGet, track, &bits2);
    PcbApi_GetObjectBitField3(qmGet, track, &bits3);
    EXPECT_EQ(bits2, 0x5a);
    EXPECT_EQ(bits3, 0xa55a);

    ObjectHandle pad = PcbApi_CreateObject(2);
    uint16_t f = 0, w = 0;
    LayerId l = 0;
    ObjectHandle n = 0, comp = 0;
    uint8_t cb = 0, s1 = 0, s2 = 0, s3 = 0, b1 = 0, b2 = 0;
    Coord x = 0, y = 0, sz[7] = {};
    ShortString<20> name;
    double rot = 0;
    auto pad_query = [&](QueryMode m) {
      return PcbApi_QueryPad(m, pad, &f, &w, &l, &n, &cb, &comp, &x, &y, &sz[0], &sz[1], &sz[2],
                             &sz[3], &sz[4], &sz[5], &sz[6], &s1, &s2, &s3, &name, &b1, &b2, &rot);
    };
    ASSERT_EQ(pad_query(qmGet), 0);
    EXPECT_EQ(l, 74);  // a new pad is on the multi layer
    name.Assign("ABCDEFGHIJKLMNOPQRST");
    sz[0] = 11, sz[5] = 66, s2 = 9, b1 = 1, b2 = 2, rot = 33.3;
    ASSERT_EQ(pad_query(mode), 0);
    name.Assign("");
    rot = 0;
    ASSERT_EQ(pad_query(qmGet), 0);
    EXPECT_EQ(name.View(), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(rot, 33.3);
    EXPECT_EQ(sz[5], 66);

    uint8_t stack = 2;
    ASSERT_EQ(PcbApi_QueryPadStackMode(mode, pad, &stack), 0);
    stack = 0;
    ASSERT_EQ(PcbApi_QueryPadStackMode(qmGet, pad, &stack), 0);
    EXPECT_EQ(stack, 2);
    ASSERT_EQ(PcbApi_SetPadSizeOnLayer(pad, 7, 70, 71), 0);
    ASSERT_EQ(PcbApi_SetPadShapeOnLayer(pad, 7, 4), 0);
    Coord xs = 0, ys = 0;
    uint8_t shape = 0;
    ASSERT_EQ(PcbApi_QueryPadOrViaSizeOnLayer(pad, 7, &xs, &ys), 0);
    ASSERT_EQ(PcbApi_QueryPadOrViaShapeOnLayer(pad, 7, &shape), 0);
    EXPECT_EQ(xs, 70);
    EXPECT_EQ(ys, 71);
    EXPECT_EQ(shape, 4);
    // Layers without their own entry follow the top, mid and bottom values.
    ASSERT_EQ(PcbApi_QueryPadOrViaSizeOnLayer(pad, 32, &xs, &ys), 0);
    EXPECT_EQ(ys, 66);
    ASSERT_EQ(PcbApi_QueryPadOrViaShapeOnLayer(pad, 2, &shape), 0);
    EXPECT_EQ(shape, 9);
    EXPECT_NE(PcbApi_QueryPadOrViaSizeOnLayer(pad, 83, &xs, &ys), 0);
  }
}

TEST_F(EditorTest, ComponentExchangesCarryEveryField) {
  EDITOR_FN(PcbApi_QueryComponentEx);
  EDITOR_FN(PcbApi_QueryComponentSourceLinks);
  EDITOR_FN(PcbApi_QueryComponentChannelOffset);
  EDITOR_FN(PcbApi_QueryComponentKind);
  ObjectHandle board = Open("c.PcbDoc", kTwoSided);
  ObjectHandle comp = Iterate(board, 9, 0, 1).front();
  Component c;
  ASSERT_EQ(QueryComponent(qmGet, comp, c), 0);
  EXPECT_EQ(c.pattern.View(), "DIP14");
  EXPECT_EQ(c.name, Iterate(comp, 5, 2, 0).front());  // the designator text
  c.pattern.Assign(std::string(250, 'p'));
  c.flags = 7, c.word = 8, c.byte = 9, c.byte1 = 10, c.byte2 = 11, c.value = -12, c.byte3 = 13;
  ASSERT_EQ(QueryComponent(qmSet, comp, c), 0);
  Component back;
  ASSERT_EQ(QueryComponent(qmGet, comp, back), 0);
  EXPECT_EQ(back, c);
  // A designator must be one of the component's own texts.
  Component bad = c;
  bad.name = Iterate(comp, 4, 2, 0).front();
  EXPECT_NE(QueryComponent(qmSet, comp, bad), 0);

  int32_t ex1 = -1, ex2 = 2, offset = 77;
  uint8_t eb1 = 3, eb2 = 4, kind = 5;
  ASSERT_EQ(PcbApi_QueryComponentEx(qmUpdate, comp, &ex1, &eb1, &eb2, &ex2), 0);
  ASSERT_EQ(PcbApi_QueryComponentChannelOffset(qmSet, comp, &offset), 0);
  ASSERT_EQ(PcbApi_QueryComponentKind(qmSet, comp, &kind), 0);
  String255 links[7];
  for (int i = 0; i < 7; ++i) links[i].Assign("link" + std::to_string(i));
  ASSERT_EQ(PcbApi_QueryComponentSourceLinks(qmSet, comp, &links[0], &links[1], &links[2],
                                             &links[3], &links[4], &links[5], &links[6]),
            0);
  ex1 = ex2 = offset = 0;
  eb1 = eb2 = kind = 0;
  for (auto& link : links) link.Assign("");
  ASSERT_EQ(PcbApi_QueryComponentEx(qmGet, comp, &ex1, &eb1, &eb2, &ex2), 0);
  ASSERT_EQ(PcbApi_QueryComponentChannelOffset(qmGet, comp, &offset), 0);
  ASSERT_EQ(PcbApi_QueryComponentKind(qmGet, comp, &kind), 0);
  ASSERT_EQ(PcbApi_QueryComponentSourceLinks(qmGet, comp, &links[0], &links[1], &links[2],
                                             &links[3], &links[4], &links[5], &links[6]),
            0);
  EXPECT_EQ(std::tuple(ex1, eb1, eb2, ex2, offset, kind), std::tuple(-1, 3, 4, 2, 77, 5));
  EXPECT_EQ(links[6].View(), "link6");
}

TEST_F(EditorTest, BoardRecordsRoundTripAndKeepAConsistentStack) {
  EDITOR_FN(PcbApi_QueryBoard);
  EDITOR_FN(PcbApi_QueryLayer);
  EDITOR_FN(PcbApi_QueryBoardLayerPairsCount);
  EDITOR_FN(PcbApi_QueryBoardLayerPairAt);
  EDITOR_FN(PcbApi_QueryBoardOutputOptionsPlotLayers);
  EDITOR_FN(PcbApi_QueryBoardPrinterOptionsPlotterPen);
  EDITOR_FN(PcbApi_QueryBoardGridsEx);
  ObjectHandle board = Open("Board.PcbDoc", "QuorvelPcb 1 board\n");
  int32_t v[6] = {};
  String255 file;
  uint8_t isLibrary = 9, b1 = 0, b2 = 0;
  ASSERT_EQ(PcbApi_QueryBoard(qmGet, board, &v[0], &file, &isLibrary, &v[1], &v[2], &v[3], &v[4],
                              &b1, &b2, &v[5]),
            0);
  EXPECT_EQ(file.View(), Path("Board.PcbDoc"));
  EXPECT_EQ(isLibrary, 0);
  v[5] = 42;
  ASSERT_EQ(PcbApi_QueryBoard(qmUpdate, board, &v[0], &file, &isLibrary, &v[1], &v[2], &v[3], &v[4],
                              &b1, &b2, &v[5]),
            0);

  // A new board's stack: TopLayer over BottomLayer, one drill pair between them.
  String255 name;
  Coord copper = 0;
  uint8_t l1 = 0, l2 = 0, l3 = 0;
  LayerId previous = 9, next = 9;
  ASSERT_EQ(PcbApi_QueryLayer(qmGet, 1, board, &name, &copper, &l1, &l2, &previous, &next, &l3), 0);
  EXPECT_EQ(name.View(), "TopLayer");
  EXPECT_EQ(std::tuple(copper, previous, next), std::tuple(14000, 0, 32));
  ASSERT_EQ(PcbApi_QueryLayer(qmGet, 6, board, &name, &copper, &l1, &l2, &previous, &next, &l3), 0);
  EXPECT_EQ(name.View(), "MidLayer5");
  int32_t count = 0;
  ASSERT_EQ(PcbApi_QueryBoardLayerPairsCount(board, &count), 0);
  ASSERT_EQ(count, 1);
  LayerId p1 = 0, p2 = 0;
  uint8_t pa = 0, pb = 0;
  ASSERT_EQ(PcbApi_QueryBoardLayerPairAt(qmGet, board, 0, &p1, &p2, &pb, &pa), 0);
  EXPECT_EQ(std::tuple(p1, p2), std::tuple(1, 32));
  EXPECT_NE(PcbApi_QueryBoardLayerPairAt(qmGet, board, 1, &p1, &p2, &pb, &pa), 0);
  pb = 5;
  ASSERT_EQ(PcbApi_QueryBoardLayerPairAt(qmSet, board, 0, &p1, &p2, &pb, &pa), 0);

  // Plot entries run 1 to 109; pens 1 to 8.
  uint8_t plot = 3;
  EXPECT_EQ(PcbApi_QueryBoardOutputOptionsPlotLayers(qmSet, board, 109, &plot), 0);
  EXPECT_NE(PcbApi_QueryBoardOutputOptionsPlotLayers(qmSet, board, 110, &plot), 0);
  EXPECT_NE(PcbApi_QueryBoardOutputOptionsPlotLayers(qmSet, board, 0, &plot), 0);
  int32_t penA = 1, penB = 2;
  EXPECT_EQ(PcbApi_QueryBoardPrinterOptionsPlotterPen(qmSet, board, 8, &penA, &penB), 0);
  EXPECT_NE(PcbApi_QueryBoardPrinterOptionsPlotterPen(qmSet, board, 9, &penA, &penB), 0);
  uint8_t g[5] = {1, 2, 3, 4, 5};
  double gv[8] = {0.1, 1e300, -2.5, 3, 4, 5, 6, 7};
  int32_t gi = -9;
  ASSERT_EQ(PcbApi_QueryBoardGridsEx(qmSet, board, &g[0], &g[1], &g[2], &g[3], &gv[0], &gv[1],
                                     &gv[2], &gv[3], &gi, &g[4], &gv[4], &gv[5], &gv[6], &gv[7]),
            0);

  // What was written survives a save and a fresh load.
  ASSERT_EQ(Gorvath_DocumentChanged(board), 1);
  ASSERT_EQ(Gorvath_SaveDocument(board, nullptr), 1) << Gorvath_LastError();
  EXPECT_EQ(Gorvath_DocumentChanged(board), 0);
  ASSERT_EQ(Gorvath_CloseDocument(board), 1);
  board = Gorvath_OpenDocument(Path("Board.PcbDoc").c_str());
  ASSERT_NE(board, 0u) << Gorvath_LastError();
  double back[8] = {};
  uint8_t gb[5] = {};
  ASSERT_EQ(PcbApi_QueryBoardGridsEx(qmGet, board, &gb[0], &gb[1], &gb[2], &gb[3], &back[0],
                                     &back[1], &back[2], &back[3], &gi, &gb[4], &back[4], &back[5],
                                     &back[6], &back[7]),
            0);
  EXPECT_EQ(std::vector(back, back + 8), std::vector(gv, gv + 8));
  ASSERT_EQ(PcbApi_QueryBoard(qmGet, board, &v[0], &file, &isLibrary, &v[1], &v[2], &v[3], &v[4],
                              &b1, &b2, &v[5]),
            0);
  EXPECT_EQ(v[5], 42);
  ASSERT_EQ(PcbApi_QueryBoardLayerPairAt(qmGet, board, 0, &p1, &p2, &pb, &pa), 0);
  EXPECT_EQ(pb, 5);
  plot = 0;
  ASSERT_EQ(PcbApi_QueryBoardOutputOptionsPlotLayers(qmGet, board, 109, &plot), 0);
  EXPECT_EQ(plot, 3);
}

TEST_F(EditorTest, AnObjectTakesItsNetOnlyIntoTheNetsOwnDocument) {
  EDITOR_FN(PcbApi_CreateObject);
  EDITOR_FN(PcbApi_AddObjectToContainer);
  ObjectHandle first = Open("n1.PcbDoc", "QuorvelPcb 1 board\nnet Name=\"GND\"\n");
  ObjectHandle second = Open("n2.PcbDoc", "QuorvelPcb 1 board\n");
  ObjectHandle net = Iterate(first, 8, 0, 0).front();
  for (ObjectHandle board : {first, second}) {
    ObjectHandle track = PcbApi_CreateObject(4);
    Track t;
    ASSERT_EQ(QueryTrack(qmGet, track, t), 0);
    t.net = net;
    ASSERT_EQ(QueryTrack(qmSet, track, t), 0);  // a free object may name any net
    ASSERT_EQ(PcbApi_AddObjectToContainer(board, track), 0);
    ASSERT_EQ(QueryTrack(qmGet, track, t), 0);
    EXPECT_EQ(t.net, board == first ? net : 0u);
    t.net = net;
    EXPECT_EQ(QueryTrack(qmSet, track, t) == 0, board == first);
  }
}

TEST_F(EditorTest, IteratorsVisitOneKindOnOneLayerInTheEditorsOrder) {
  EDITOR_FN(PcbApi_GetObjectIdFromObjectHandle);
  ObjectHandle board = Open("i.PcbDoc", kTwoSided);
  auto top = Iterate(board, 9, 0, 1);
  auto bottom = Iterate(board, 9, 0, 32);
  ASSERT_EQ(top.size(), 2u);
  ASSERT_EQ(bottom.size(), 1u);
  EXPECT_LT(top[0], top[1]);
  Component c;
  ASSERT_EQ(QueryComponent(qmGet, bottom[0], c), 0);
  EXPECT_EQ(c.pattern.View(), "SO8");
  EXPECT_TRUE(Iterate(board, 9, 0, 2).empty());
  EXPECT_EQ(Iterate(board, 9, 0, 0).size(), 3u);  // layer 0: every layer

  // A component's own primitives by kind; the board's tracks by layer include them.
  auto tracks = Iterate(top[0], 4, 2, 0);
  ASSERT_EQ(tracks.size(), 2u);
  EXPECT_EQ(PcbApi_GetObjectIdFromObjectHandle(tracks[0]), 4);
  EXPECT_TRUE(Iterate(top[0], 2, 2, 0).empty());
  EXPECT_EQ(Iterate(board, 4, 0, 1), tracks);
  EXPECT_EQ(Iterate(board, 4, 0, 2).size(), 1u);
  EXPECT_EQ(Iterate(board, 8, 0, 0).size(), 1u);  // the net
  Track t;
  ASSERT_EQ(QueryTrack(qmGet, tracks[0], t), 0);
  EXPECT_EQ(t.net, Iterate(board, 8, 0, 0).front());
  EXPECT_EQ(t.component, top[0]);
}

TEST_F(EditorTest, NetsClassesFromTosDimensionsAndPolygonsAnswerTheirQueries) {
  EDITOR_FN(PcbApi_QueryClass);
  EDITOR_FN(PcbApi_GetMemberFromClassAt);
  EDITOR_FN(PcbApi_AddMemberToClass);
  EDITOR_FN(PcbApi_RemoveAllMembersFromClass);
  EDITOR_FN(PcbApi_References_Count);
  EDITOR_FN(PcbApi_References_At);
  EDITOR_FN(PcbApi_QueryPolygon);
  EDITOR_FN(PcbApi_QueryFromTo);
  EDITOR_FN(PcbApi_QueryNet);
  EDITOR_FN(PcbApi_QueryDimension);
  EDITOR_FN(PcbApi_QueryManualFromTo);
  ObjectHandle board = Open("o.PcbDoc", R"(QuorvelPcb 1 board
net Name="GND"
class Name="Power"
member Name="GND"
member Name="VCC"
fromto X=1 X2=2 Net=1
manualfromto ManualField1="a" ManualField4=4
polygon Layer=2 PolygonField11=513 Net=1
boardoutline Layer=56
dimension Layer=57 DimValue3=3 DimValue8=8
reference Value1=1
reference Value4=4
)");
  for (ObjectId kind : {7, 8, 10, 11, 13, 15, 21}) EXPECT_EQ(Iterate(board, kind, 0, 0).size(), 1u);
  EXPECT_EQ(Iterate(board, 10, 0, 2).size(), 1u);
  ObjectHandle net = Iterate(board, 8, 0, 0).front();
  uint16_t word = 0;
  String255 text;
  uint8_t b1 = 0, b2 = 0;
  ASSERT_EQ(PcbApi_QueryNet(qmGet, net, &word, &text, &b1, &b2), 0);
  EXPECT_EQ(text.View(), "GND");

  // Class members: read until status 1, replaced by remove-all and add.
  ObjectHandle cls = Iterate(board, 13, 0, 0).front();
  ASSERT_EQ(PcbApi_QueryClass(qmGet, cls, &word, &b1, &b2, &text), 0);
  EXPECT_EQ(text.View(), "Power");
  String255 member;
  ASSERT_EQ(PcbApi_GetMemberFromClassAt(cls, 1, &member), 0);
  EXPECT_EQ(member.View(), "VCC");
  EXPECT_EQ(PcbApi_GetMemberFromClassAt(cls, 2, &member), 1);
  EXPECT_EQ(PcbApi_GetMemberFromClassAt(cls, -1, &member), 1);
  ASSERT_EQ(PcbApi_RemoveAllMembersFromClass(cls), 0);
  member.Assign("AGND");
  ASSERT_EQ(PcbApi_AddMemberToClass(cls, &member), 0);
  member.Assign("");
  ASSERT_EQ(PcbApi_GetMemberFromClassAt(cls, 0, &member), 0);
  EXPECT_EQ(member.View(), "AGND");
  EXPECT_EQ(PcbApi_GetMemberFromClassAt(cls, 1, &member), 1);

  // A from-to names its net; a net of another kind is refused.
  ObjectHandle fromTo = Iterate(board, 7, 0, 0).front();
  Coord x = 0, y = 0, x2 = 0, y2 = 0;
  LayerId from = 0, to = 0;
  ObjectHandle fromToNet = 0;
  ASSERT_EQ(PcbApi_QueryFromTo(qmGet, fromTo, &word, &x, &y, &from, &x2, &y2, &to, &fromToNet), 0);
  EXPECT_EQ(std::tuple(x, x2, fromToNet), std::tuple(1, 2, net));
  fromToNet = cls;
  EXPECT_NE(PcbApi_QueryFromTo(qmSet, fromTo, &word, &x, &y, &from, &x2, &y2, &to, &fromToNet), 0);

  String255 m1, m2, m3;
  int32_t m4 = 0;
  ASSERT_EQ(
      PcbApi_QueryManualFromTo(qmGet, Iterate(board, 15, 0, 0).front(), &word, &m1, &m2, &m3, &m4),
      0);
  EXPECT_EQ(std::tuple(std::string(m1.View()), m4), std::tuple(std::string("a"), 4));

  // The board outline answers the polygon query.
  for (ObjectId kind : {10, 21}) {
    uint16_t flags = 0, f11 = 0;
    LayerId layer = 0;
    ObjectHandle polygonNet = 0;
    uint8_t cb = 0, f1 = 0, f2 = 0, f3 = 0, f4 = 0, f10 = 0;
    int32_t f5 = 0, f6 = 0, f7 = 0, f8 = 0, f9 = 0;
    ASSERT_EQ(PcbApi_QueryPolygon(qmGet, Iterate(board, kind, 0, 0).front(), &flags, &word, &layer,
                                  &polygonNet, &cb, &f2, &f3, &f4, &f5, &f6, &f10, &f11, &f7, &f1,
                                  &f8, &f9),
              0);
    EXPECT_EQ(layer, kind == 10 ? 2 : 56);
    EXPECT_EQ(f11, kind == 10 ? 513 : 0);
  }

  // Dimension references: counted, read and written one by one, at most 200.
  ObjectHandle dim = Iterate(board, 11, 0, 0).front();
  uint16_t flags = 0;
  uint8_t cb = 0, d8 = 0;
  LayerId layer = 0;
  int32_t d[7] = {};
  ASSERT_EQ(PcbApi_QueryDimension(qmGet, dim, &flags, &word, &cb, &x, &y, &d[0], &d[1], &layer,
                                  &d[2], &d[3], &d[4], &d[5], &d[6], &d8),
            0);
  EXPECT_EQ(std::tuple(d[2], d8, layer), std::tuple(3, 8, 57));
  int32_t count = 0;
  ASSERT_EQ(PcbApi_References_Count(dim, &count), 0);
  ASSERT_EQ(count, 2);
  int32_t r[4] = {};
  ASSERT_EQ(PcbApi_References_At(qmGet, dim, 1, &r[0], &r[1], &r[2], &r[3]), 0);
  EXPECT_EQ(r[3], 4);
  EXPECT_NE(PcbApi_References_At(qmGet, dim, 2, &r[0], &r[1], &r[2], &r[3]), 0);
  for (int32_t i = 2; i < 200; ++i)
    ASSERT_EQ(PcbApi_References_At(qmSet, dim, i, &r[0], &r[1], &r[2], &r[3]), 0) << i;
  EXPECT_NE(PcbApi_References_At(qmSet, dim, 200, &r[0], &r[1], &r[2], &r[3]), 0);
  ASSERT_EQ(PcbApi_References_Count(dim, &count), 0);
  EXPECT_EQ(count, 200);
}

TEST_F(EditorTest, LibraryProcessesBuildFootprints) {
  EDITOR_FN(PcbApi_GetCurrentBoardHandle);
  EDITOR_FN(PcbApi_CreateObject);
  EDITOR_FN(PcbApi_AddObjectToContainer);
  std::string file = Path("Amp.PcbLib");
  ASSERT_EQ(Gorvath_CreateLibraryFile(file.c_str()), 1) << Gorvath_LastError();
  EXPECT_EQ(Gorvath_CreateLibraryFile(file.c_str()), 0);  // never replaces a file
  ObjectHandle lib = Gorvath_OpenDocument(file.c_str());
  ASSERT_NE(lib, 0u) << Gorvath_LastError();
  EXPECT_EQ(Gorvath_DocumentIsLibrary(lib), 1);
  ASSERT_EQ(Gorvath_SetCurrentDocument(lib), 1);
  EXPECT_EQ(PcbApi_GetCurrentBoardHandle(), lib);
  ObjectHandle view = Gorvath_GetView(lib);
  ASSERT_NE(view, 0u);

  ASSERT_EQ(Gorvath_RunProcess("PCB:CreateComponent", "FootPrint=SO8", view), 1);
  Track t;
  ObjectHandle track = PcbApi_CreateObject(4);
  ASSERT_EQ(QueryTrack(qmGet, track, t), 0);
  t.x = 25000, t.y = -10000, t.x2 = 45000, t.y2 = 30000;
  ASSERT_EQ(QueryTrack(qmSet, track, t), 0);
  ASSERT_EQ(PcbApi_AddObjectToContainer(lib, track), 0);
  EXPECT_NE(PcbApi_AddObjectToContainer(lib, track), 0);  // already held
  ASSERT_EQ(Gorvath_RunProcess("PCB:SetComponentReference", "Location.X=2|Location.Y=-1", view), 1);
  ASSERT_EQ(Gorvath_RunProcess("PCB:Zoom", "Action=All", view), 1);
  ASSERT_EQ(QueryTrack(qmGet, track, t), 0);
  EXPECT_EQ(std::tuple(t.x, t.y, t.x2, t.y2), std::tuple(5000, 0, 25000, 40000));

  auto patterns = [&] {
    std::vector<std::string> names;
    for (ObjectHandle c : Iterate(lib, 9, 0, 0)) {
      Component rec;
      EXPECT_EQ(QueryComponent(qmGet, c, rec), 0);
      names.emplace_back(rec.pattern.View());
    }
    return names;
  };
  EXPECT_EQ(patterns(), (std::vector<std::string>{"PCBComponent_1", "SO8"}));
  ASSERT_EQ(Gorvath_RunProcess("PCB:DeleteComponentFromLibrary", "FootPrint=PCBComponent_1", view),
            1);
  ASSERT_EQ(Gorvath_RunProcess("PCB:FirstComponent", "", view), 1);
  EXPECT_EQ(patterns(), std::vector<std::string>{"SO8"});

  int32_t footprints = 0, primitives = 0;
  ASSERT_EQ(Gorvath_DocumentSummary(lib, &footprints, &primitives), 1);
  EXPECT_EQ(std::tuple(footprints, primitives), std::tuple(1, 1));
  ASSERT_EQ(Gorvath_SaveDocument(lib, nullptr), 1) << Gorvath_LastError();
  EXPECT_EQ(ReadFile(file),
            "QuorvelPcb 1 library\ncomponent Pattern=\"SO8\"\n  track X=5000 X2=25000 "
            "Y2=40000\nend\n");
}

TEST_F(EditorTest, DeletingAFootprintByNameRemovesTheFirstOfThatName) {
  EDITOR_FN(PcbApi_CreateObject);
  EDITOR_FN(PcbApi_AddObjectToContainer);
  // A board may well have a footprint named like a new library's empty one; deleting that name
  // must remove the empty one the library started with, not the footprint just built.
  std::string file = Path("Same.PcbLib");
  ASSERT_EQ(Gorvath_CreateLibraryFile(file.c_str()), 1);
  ObjectHandle lib = Gorvath_OpenDocument(file.c_str());
  ObjectHandle view = Gorvath_GetView(lib);
  ASSERT_EQ(Gorvath_RunProcess("PCB:CreateComponent", "FootPrint=PCBComponent_1", view), 1);
  ASSERT_EQ(PcbApi_AddObjectToContainer(lib, PcbApi_CreateObject(4)), 0);
  ASSERT_EQ(Gorvath_RunProcess("PCB:DeleteComponentFromLibrary", "FootPrint=PCBComponent_1", view),
            1);
  auto footprints = Iterate(lib, 9, 0, 0);
  ASSERT_EQ(footprints.size(), 1u);
  EXPECT_EQ(Iterate(footprints[0], 4, 2, 0).size(), 1u);
}

TEST_F(EditorTest, ProcessesRefuseWhatTheyCannotDo) {
  ObjectHandle board = Open("p.PcbDoc", kTwoSided);
  ObjectHandle boardView = Gorvath_GetView(board);
  std::string file = Path("p.PcbLib");
  ASSERT_EQ(Gorvath_CreateLibraryFile(file.c_str()), 1);
  ObjectHandle view = Gorvath_GetView(Gorvath_OpenDocument(file.c_str()));
  struct Case {
    const char* name;
    const char* parameters;
    ObjectHandle view;
    const char* message;
  } cases[] = {
      {"PCB:CreateComponent", "FootPrint=X", boardView, "is not a library"},
      {"PCB:CreateComponent", "Foot=X", view, "parameter FootPrint missing"},
      {"PCB:SetComponentReference", "Location.X=1", view, "parameter Location.Y missing"},
      {"PCB:SetComponentReference", "Location.X=a|Location.Y=1", view, "not a number"},
      {"PCB:SetComponentReference", "Location.X=1e12|Location.Y=1", view, "not a number"},
      {"PCB:DeleteComponentFromLibrary", "FootPrint=None", view, "no footprint None"},
      {"PCB:Explode", "", view, "unknown process"},
      {"PCB:Zoom", "Action=All", 0, "no document view"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + c.parameters);
    EXPECT_EQ(Gorvath_RunProcess(c.name, c.parameters, c.view), 0);
    EXPECT_NE(std::string(Gorvath_LastError()).find(c.message), std::string::npos)
        << Gorvath_LastError();
  }
}

TEST_F(EditorTest, MalformedDocumentsAreRefusedWithFileAndLine) {
  struct Case {
    const char* file;
    const char* text;
    const char* message;
  } cases[] = {
      {"a.PcbDoc", "", ":1: not a document of this editor"},
      {"a.PcbDoc", "QuorvelPcb 2 board\n", ":1: format version 2 is not supported"},
      {"a.PcbDoc", "QuorvelPcb 1 library\n", ":1: the document kind 'library' does not match"},
      {"a.PcbDoc", "QuorvelPcb 1 board\n\ntrack Width=x\n", ":3: field Width: 'x' is not a whole"},
      {"a.PcbDoc", "QuorvelPcb 1 board\ntrack Layer=83\n", ":2: Layer 83 is not a layer"},
      {"a.PcbDoc", "QuorvelPcb 1 board\ntrack Layer=300\n", ":2: field Layer: 300 is out of range"},
      {"a.PcbDoc", "QuorvelPcb 1 board\ntrack Colour=1\n", ":2: unknown field Colour for 'track'"},
      {"a.PcbDoc", "QuorvelPcb 1 board\nblob\n", ":2: unknown keyword 'blob'"},
      {"a.PcbDoc", "QuorvelPcb 1 board\ntext Text=\"abc\n", ":2: text of field Text is not closed"},
      {"a.PcbDoc", "QuorvelPcb 1 board\ntext Text=\"\\q\"\n", ":2: field Text: unknown escape"},
      {"a.PcbDoc", "QuorvelPcb 1 board\ncomponent\ntrack\n", ":2: component is not closed"},
      {"a.PcbDoc", "QuorvelPcb 1 board\nend\n", ":2: 'end' without a component"},
      {"a.PcbDoc", "QuorvelPcb 1 board\ntrack Net=1\n", ":2: Net=1 names no net"},
      {"a.PcbDoc", "QuorvelPcb 1 board\nlayer Id=1 NextLayer=3\n",
       ":2: layer stack broken: layer 1 is followed by 3"},
      {"a.PcbDoc", "QuorvelPcb 1 board\nlayer Id=0\n", ":2: Id 0 is out of range"},
      {"a.PcbDoc", "QuorvelPcb 1 board\npadlayer Layer=1\n", ":2: 'padlayer' must follow a pad"},
      {"a.PcbDoc", "QuorvelPcb 1 board\ncomponent NameText=2\ntext\nend\n",
       ":2: NameText=2 but the component holds 1 texts"},
      {"a.PcbDoc", "QuorvelPcb 1 board\npad Name=\"123456789012345678901\"\n",
       ":2: field Name: a text of 21 characters where at most 20 fit"},
      {"a.txt", "QuorvelPcb 1 board\n", "not a document file name"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::ofstream(Path(c.file), std::ios::binary) << c.text;
    EXPECT_EQ(Gorvath_OpenDocument(Path(c.file).c_str()), 0u);
    std::string error = Gorvath_LastError();
    EXPECT_EQ(error.rfind(Path(c.file), 0), 0u) << error;
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
    EXPECT_EQ(Gorvath_DocumentCount(), 0);  // nothing half-loaded stays behind
  }
  EXPECT_EQ(Gorvath_OpenDocument(Path("missing.PcbDoc").c_str()), 0u);
  EXPECT_NE(std::string(Gorvath_LastError()).find("cannot be opened"), std::string::npos);
}

TEST_F(EditorTest, TraceReportsEveryCallWithItsArgumentsAndCountsThem) {
  EDITOR_FN(PcbApi_CreateObject);
  std::vector<std::string> lines;
  Gorvath_SetTrace(
      [](const char* line, void* context) {
        static_cast<std::vector<std::string>*>(context)->emplace_back(line);
      },
      &lines);
  uint64_t before = Gorvath_CallCount();
  ObjectHandle track = PcbApi_CreateObject(4);
  Track t;
  QueryTrack(qmGet, track, t);
  Gorvath_SetTrace(nullptr, nullptr);
  EXPECT_EQ(Gorvath_CallCount() - before, 2u);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "PcbApi_CreateObject(4) = " + std::to_string(track));
  EXPECT_EQ(lines[1], "PcbApi_QueryTrack(1, " + std::to_string(track) +
                          ", *0, *0, *1, *0, *0, *0, *0, *0, *0, *0, *100000, *0, *0, *0) = 0");

  // Texts are written escaped, so that every call stays on one line.
  EDITOR_FN(PcbApi_QueryNet);
  ObjectHandle net = PcbApi_CreateObject(8);
  uint16_t word = 0;
  String255 name;
  name.Assign("a\nb\"");
  uint8_t b1 = 0, b2 = 0;
  lines.clear();
  Gorvath_SetTrace(
      [](const char* line, void* context) {
        static_cast<std::vector<std::string>*>(context)->emplace_back(line);
      },
      &lines);
  PcbApi_QueryNet(qmSet, net, &word, &name, &b1, &b2);
  Gorvath_SetTrace(nullptr, nullptr);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0],
            "PcbApi_QueryNet(0, " + std::to_string(net) + R"(, *0, "a\x0ab\"", *0, *0) = 0)");
}

}  // namespace
}  // namespace editortest
