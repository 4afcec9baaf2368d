// The editor's document format: every field round-trips exactly, and the writer's output is the
// canonical form, so a second save is byte for byte the first.
#include <gtest/gtest.h>

#include "host/editor/DocumentFormat.h"

namespace gorvath {
namespace {

// Every line kind with fields away from their defaults, in the writer's canonical order.
const char* const kEverything = R"(QuorvelPcb 1 board
board BoardValue1=-1 BoardValue2=2 BoardValue3=3 BoardValue4=4 BoardValue5=5 BoardByte1=6 BoardByte2=255 BoardValue6=-2147483648
layer Id=1 Name="Top \"copper\"" NextLayer=2 LayerInfo=9 InfoByte1=1 InfoByte2=2
layer Id=2 CopperThickness=7000 LayerByte1=1 LayerByte2=2 PreviousLayer=1 NextLayer=32 LayerByte3=3
layer Id=32 PreviousLayer=2
layer Id=39 NetName="GND" DielectricMaterial="Poly\\imide" DielectricType=2 DielectricConstant=3.45 DielectricHeight=1
grids GridByte1=1 GridValue1=0.1 GridValue2=1e+300 GridValue3=-2.5e-310 GridInteger1=7 GridByte5=5 GridValue8=6.02214076e+23
output OutputValue1=1 OutputValue2=-2 OutputByte1=1 OutputByte22=22
plot Id=1 PlotLayer=1
plot Id=109 FlipLayer=1
gerber GerberByte7=7 GerberValue1=1 GerberText="g" GerberValue6=6 GerberByte8=8 GerberByte9=9 GerberValue7=7 GerberValue8=8
printer PrinterText1="a" PrinterText3="c" PrinterByte6=6 PrinterValue1=1 PrinterValue4=0.25 PrinterField=000102030405060708090a0b0c0d0e0f10111213fffe PrinterByte7=7 PrinterValue7=7.5 PrinterValue9=9 PrinterByte13=13
pen Id=8 PenValueA=1 PenValueB=2
composite Id=82 CompositeA=1 CompositeB=2 CompositeC=3 CompositeD=4
placer PlacerText2="p" PlacerByte4=4
eco EcoByte=1 EcoText="eco"
layerpairs
layerpair Layer2=2 ByteA=1 ByteB=2
layerpair Layer1=2
topdielectric Material="Core" Type=3 Constant=4.2 Height=5
bottomdielectric Height=6
net Name="GND" NetByte1=1 NetByte2=2
net CommonWord=3 Name="VCC"
component Flags=65535 CommonWord=1 Layer=32 CommonByte=2 BitField2=3 BitField3=4 X=-5 Y=6 ChannelOffset=1 ComponentKind=2 Pattern="SO\x01\xff" ComponentByte1=3 ComponentByte2=4 ComponentValue=5 Rotation=33.3 ComponentByte3=6 ExValue1=7 ExByte1=8 ExByte2=9 ExValue2=10 SourceLink1="a" SourceLink7="g" NameText=2 CommentText=1
  arc Layer=33 X=1 Y=2 Radius=3 StartAngle=0.5 EndAngle=270 LineWidth=4 Link1=5 Net=2
  pad Layer=1 TopXSize=1 TopYSize=2 MidXSize=3 MidYSize=4 BottomXSize=5 BottomYSize=6 HoleSize=7 TopShape=2 MidShape=3 BottomShape=4 Name="1" PadByte1=1 PadByte2=2 Rotation=90 StackMode=2 Net=1
  padlayer Layer=1 XSize=10 YSize=20 Shape=3
  padlayer Layer=5
  via X=1 Size=2 HoleSize=1 LowLayer=2 HighLayer=3
  track Layer=2 X2=9 Width=1 Link1=1 Link2=2 Link3=3
  text Size=1 Font=2 Rotation=3 Mirrored=1 Text="comment" LineWidth=4 Link2=5 Link3=6
  text Text="U1"
  fill Layer=35 X2=5 Y2=6 Link1=7 Rotation=8
end
track Layer=57
fromto Layer=1 X=1 Y=2 X2=3 Y2=4 FromLayer=5 ToLayer=6 Net=2
manualfromto ManualField1="a" ManualField2="b" ManualField3="c" ManualField4=4
polygon PolygonField1=1 PolygonField2=2 PolygonField3=3 PolygonField4=4 PolygonField5=5 PolygonField6=6 PolygonField7=7 PolygonField8=8 PolygonField9=9 PolygonField10=10 PolygonField11=65535 Net=1
boardoutline Layer=56 PolygonField11=1
dimension Layer=57 X=1 Y=2 DimValue1=1 DimValue7=7 DimValue8=8 ExtValue1=1 ExtValue7="seven" ExtValue12=12.5 ExtValue19=19
reference Value1=1 Value4=4
reference
coordinate Layer=58 CoordinateField1=1 CoordinateField6=6
class CommonWord=1 ClassByte1=2 ClassByte2=3 Name="Power"
member Name="GND"
member Name=""
rule RuleField1=1 RuleField7=7 RuleField8="8" RuleField11="11" RuleField12=12 RuleField13=13 RuleField14=14 RuleField17=-17 RuleField18="18" RuleField23="23"
)";

TEST(DocumentFormat, EveryFieldRoundTripsAndTheWriterIsCanonical) {
  Editor editor;
  std::string error;
  Document* doc = ReadDocument(editor, kEverything, "/tmp/every.PcbDoc", error);
  ASSERT_NE(doc, nullptr) << error;
  std::string first = WriteDocument(*doc);
  EXPECT_EQ(first, kEverything);
  Document* again = ReadDocument(editor, first, "/tmp/again.PcbDoc", error);
  ASSERT_NE(again, nullptr) << error;
  EXPECT_EQ(WriteDocument(*again), first);
  EXPECT_EQ(again->board, doc->board);
}

TEST(DocumentFormat, AnyByteOfATextAndAnyDoubleRoundTrip) {
  Editor editor;
  Document& doc = editor.CreateDocument("/tmp/bytes.PcbDoc", false);
  std::string all;
  for (int c = 0; c < 255; ++c) all += static_cast<char>(c);
  doc.board.Gerber.GerberText.value = all;
  doc.board.Eco.EcoText.value = "\xff";
  doc.board.Grids.GridValue1 = 0.1 + 0.2;
  doc.board.Grids.GridValue2 = 5e-324;
  doc.board.Grids.GridValue3 = -1.7976931348623157e308;
  doc.board.Grids.GridValue4 = 1.0 / 3.0;
  std::string error;
  Document* back = ReadDocument(editor, WriteDocument(doc), "/tmp/back.PcbDoc", error);
  ASSERT_NE(back, nullptr) << error;
  EXPECT_EQ(back->board.Gerber.GerberText.value, all);
  EXPECT_EQ(back->board.Eco.EcoText.value, "\xff");
  EXPECT_EQ(back->board.Grids, doc.board.Grids);
}

TEST(DocumentFormat, AFailedReadLeavesTheEditorAsItWas) {
  Editor editor;
  std::string error;
  EXPECT_EQ(
      ReadDocument(editor, "QuorvelPcb 1 board\nnet\ncomponent\n  track\n  text\nend\nvia Size=x\n",
                   "/tmp/bad.PcbDoc", error),
      nullptr);
  EXPECT_EQ(error, "/tmp/bad.PcbDoc:7: field Size: 'x' is not a whole number");
  EXPECT_TRUE(editor.Documents().empty());
  for (ObjectHandle h = 1; h < 20; ++h) EXPECT_EQ(editor.FindEntry(h), nullptr) << h;
}

TEST(DocumentFormat, FileNamesSayTheKindInAnyCase) {
  EXPECT_EQ(KindOfFileName("a/b.PcbDoc"), DocumentKind::Board);
  EXPECT_EQ(KindOfFileName("B.PCBDOC"), DocumentKind::Board);
  EXPECT_EQ(KindOfFileName("c.pcblib"), DocumentKind::Library);
  EXPECT_EQ(KindOfFileName("PcbLib"), DocumentKind::Unknown);
  EXPECT_EQ(KindOfFileName("d.PcbDocx"), DocumentKind::Unknown);
}

}  // namespace
}  // namespace gorvath
