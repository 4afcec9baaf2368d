#pragma once
// The records the editor keeps for its objects and boards, field by field, with the names under
// which the document format writes them. Every record query of the editor's function family moves
// these fields; the document format writes every field that differs from its default.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace gorvath {

using ObjectHandle = uint32_t;
using ObjectId = uint8_t;
using LayerId = uint8_t;
using Coord = int32_t;

constexpr LayerId kNoLayer = 0;
constexpr LayerId kTopLayer = 1;
constexpr LayerId kBottomLayer = 32;
constexpr LayerId kMultiLayer = 74;
constexpr LayerId kLastLayer = 82;
constexpr int kLayerCount = 83;        // LayerId 0 to 82
constexpr int kPlotLayerCount = 110;   // plot and flip entries 1 to 109
constexpr int kPenCount = 9;           // plotter pens 1 to 8
constexpr int kPrinterFieldSize = 22;  // reserved bytes of the printer options
constexpr int kMaxKind = 21;           // ObjectId 0 to 21

// Object kinds.
enum Kind : ObjectId {
  kArc = 1,
  kPad = 2,
  kVia = 3,
  kTrack = 4,
  kText = 5,
  kFill = 6,
  kFromTo = 7,
  kNet = 8,
  kComponent = 9,
  kPolygon = 10,
  kDimension = 11,
  kCoordinate = 12,
  kClass = 13,
  kRule = 14,
  kManualFromTo = 15,
  kBoardOutline = 21,
};
bool IsKnownKind(ObjectId kind);
bool IsPrimitiveKind(ObjectId kind);  // 1 to 6
std::string_view KindKeyword(ObjectId kind);

// The fixed name of a layer ("TopLayer", "MidLayer5", ...); empty beyond 82.
std::string LayerName(LayerId layer);

// A text field with its capacity in characters.
template <std::size_t Capacity>
struct Text {
  std::string value;
  static constexpr std::size_t capacity = Capacity;
  friend bool operator==(const Text&, const Text&) = default;
};
using Text255 = Text<255>;

// Reserved bytes that a record only carries.
template <std::size_t N>
using Bytes = std::array<uint8_t, N>;

// One named field of record R.
template <class R, class T>
struct Field {
  std::string_view name;
  T R::*member;
};
template <class R, class T>
constexpr Field<R, T> F(std::string_view name, T R::*member) {
  return {name, member};
}

// Fields that every object carries. X and Y of a primitive inside a component are kept in the
// component's own frame (top side, unrotated, origin at its location); see Placement.
struct CommonRecord {
  uint16_t Flags = 0;
  uint16_t CommonWord = 0;
  LayerId Layer = kTopLayer;
  uint8_t CommonByte = 0;
  uint8_t BitField2 = 0;
  uint16_t BitField3 = 0;
  Coord X = 0;
  Coord Y = 0;
  friend bool operator==(const CommonRecord&, const CommonRecord&) = default;
};

struct ArcRecord {
  Coord Radius = 100000;
  double StartAngle = 0.0;
  double EndAngle = 360.0;
  Coord LineWidth = 100000;
  int32_t Link1 = 0;
  friend bool operator==(const ArcRecord&, const ArcRecord&) = default;
};

// One explicit entry of a pad's per-layer stack.
struct PadLayer {
  LayerId Layer = 0;
  Coord XSize = 0;
  Coord YSize = 0;
  uint8_t Shape = 0;
  friend bool operator==(const PadLayer&, const PadLayer&) = default;
};

struct PadRecord {
  Coord TopXSize = 600000;
  Coord TopYSize = 600000;
  Coord MidXSize = 600000;
  Coord MidYSize = 600000;
  Coord BottomXSize = 600000;
  Coord BottomYSize = 600000;
  Coord HoleSize = 300000;
  uint8_t TopShape = 1;
  uint8_t MidShape = 1;
  uint8_t BottomShape = 1;
  Text<20> Name;
  uint8_t PadByte1 = 0;
  uint8_t PadByte2 = 0;
  double Rotation = 0.0;
  uint8_t StackMode = 0;
  std::vector<PadLayer> Stack;  // sorted by layer; layers without an entry follow top/mid/bottom
  friend bool operator==(const PadRecord&, const PadRecord&) = default;
};

struct ViaRecord {
  Coord Size = 500000;
  Coord HoleSize = 280000;
  LayerId LowLayer = kTopLayer;
  LayerId HighLayer = kBottomLayer;
  friend bool operator==(const ViaRecord&, const ViaRecord&) = default;
};

struct TrackRecord {
  Coord X2 = 0;
  Coord Y2 = 0;
  Coord Width = 100000;
  int32_t Link1 = 0;
  int32_t Link2 = 0;
  int32_t Link3 = 0;
  friend bool operator==(const TrackRecord&, const TrackRecord&) = default;
};

struct TextRecord {
  Coord Size = 600000;
  int32_t Font = 0;
  double Rotation = 0.0;
  uint8_t Mirrored = 0;
  Text<254> String;
  Coord LineWidth = 100000;
  int32_t Link2 = 0;
  int32_t Link3 = 0;
  friend bool operator==(const TextRecord&, const TextRecord&) = default;
};

struct FillRecord {
  Coord X2 = 0;
  Coord Y2 = 0;
  int32_t Link1 = 0;
  double Rotation = 0.0;
  friend bool operator==(const FillRecord&, const FillRecord&) = default;
};

struct ComponentRecord {
  int32_t ChannelOffset = 0;
  uint8_t ComponentKind = 0;
  Text<250> Pattern;
  uint8_t ComponentByte1 = 0;
  uint8_t ComponentByte2 = 0;
  int32_t ComponentValue = 0;
  double Rotation = 0.0;
  uint8_t ComponentByte3 = 0;
  int32_t ExValue1 = 0;
  uint8_t ExByte1 = 0;
  uint8_t ExByte2 = 0;
  int32_t ExValue2 = 0;
  std::array<Text255, 7> SourceLinks;
  friend bool operator==(const ComponentRecord&, const ComponentRecord&) = default;
};

struct CoordinateRecord {
  std::array<int32_t, 6> Values{};
  friend bool operator==(const CoordinateRecord&, const CoordinateRecord&) = default;
};

struct DimensionRecord {
  std::array<int32_t, 7> DimValues{};  // DimValue1 to DimValue7
  uint8_t DimValue8 = 0;
  uint8_t Ext1 = 0;
  int32_t Ext2 = 0, Ext3 = 0, Ext4 = 0;
  uint8_t Ext5 = 0;
  int32_t Ext6 = 0;
  Text255 Ext7;
  uint8_t Ext8 = 0;
  int32_t Ext9 = 0;
  Text255 Ext10, Ext11;
  double Ext12 = 0.0;
  int32_t Ext13 = 0, Ext14 = 0, Ext15 = 0;
  uint8_t Ext16 = 0;
  int32_t Ext17 = 0, Ext18 = 0, Ext19 = 0;
  std::vector<std::array<int32_t, 4>> References;
  friend bool operator==(const DimensionRecord&, const DimensionRecord&) = default;
};

struct PolygonRecord {
  uint8_t Field1 = 0, Field2 = 0, Field3 = 0, Field4 = 0;
  int32_t Field5 = 0, Field6 = 0, Field7 = 0, Field8 = 0, Field9 = 0;
  uint8_t Field10 = 0;
  uint16_t Field11 = 0;
  friend bool operator==(const PolygonRecord&, const PolygonRecord&) = default;
};

struct FromToRecord {
  Coord X2 = 0;
  Coord Y2 = 0;
  LayerId FromLayer = kTopLayer;
  LayerId ToLayer = kTopLayer;
  friend bool operator==(const FromToRecord&, const FromToRecord&) = default;
};

struct ManualFromToRecord {
  Text255 Field1, Field2, Field3;
  int32_t Field4 = 0;
  friend bool operator==(const ManualFromToRecord&, const ManualFromToRecord&) = default;
};

struct NetRecord {
  Text255 Name;
  uint8_t NetByte1 = 0;
  uint8_t NetByte2 = 0;
  friend bool operator==(const NetRecord&, const NetRecord&) = default;
};

struct ClassRecord {
  uint8_t ClassByte1 = 0;
  uint8_t ClassByte2 = 0;
  Text255 Name;
  std::vector<std::string> Members;
  friend bool operator==(const ClassRecord&, const ClassRecord&) = default;
};

struct RuleRecord {
  std::array<uint8_t, 7> Bytes1{};  // Field1 to Field7
  std::array<Text255, 4> Texts1;    // Field8 to Field11
  uint8_t Field12 = 0, Field13 = 0;
  std::array<int32_t, 4> Values{};  // Field14 to Field17
  std::array<Text255, 6> Texts2;    // Field18 to Field23
  friend bool operator==(const RuleRecord&, const RuleRecord&) = default;
};

// The layer description of one LayerId of a board.
struct LayerRecord {
  Text255 Name;
  Coord CopperThickness = 14000;
  uint8_t LayerByte1 = 0;
  uint8_t LayerByte2 = 0;
  LayerId PreviousLayer = 0;
  LayerId NextLayer = 0;
  uint8_t LayerByte3 = 0;
  Text255 NetName;  // internal planes only
  Text255 DielectricMaterial{"FR-4"};
  uint8_t DielectricType = 1;
  double DielectricConstant = 4.8;
  Coord DielectricHeight = 126000;
  int32_t LayerInfo = 0;
  uint8_t InfoByte1 = 0;
  uint8_t InfoByte2 = 0;
  friend bool operator==(const LayerRecord&, const LayerRecord&) = default;
};

struct Dielectric {
  Text255 Material{"FR-4"};
  uint8_t Type = 1;
  double Constant = 4.8;
  Coord Height = 126000;
  friend bool operator==(const Dielectric&, const Dielectric&) = default;
};

struct LayerPairRecord {
  LayerId Layer1 = kTopLayer;
  LayerId Layer2 = kBottomLayer;
  uint8_t ByteA = 0;
  uint8_t ByteB = 0;
  friend bool operator==(const LayerPairRecord&, const LayerPairRecord&) = default;
};

struct BoardMainRecord {
  int32_t BoardValue1 = 0, BoardValue2 = 0, BoardValue3 = 0, BoardValue4 = 0, BoardValue5 = 0;
  uint8_t BoardByte1 = 0, BoardByte2 = 0;
  int32_t BoardValue6 = 0;
  friend bool operator==(const BoardMainRecord&, const BoardMainRecord&) = default;
};

struct GridsRecord {
  uint8_t GridByte1 = 0, GridByte2 = 0, GridByte3 = 0, GridByte4 = 0;
  double GridValue1 = 0, GridValue2 = 0, GridValue3 = 0, GridValue4 = 0;
  int32_t GridInteger1 = 0;
  uint8_t GridByte5 = 0;
  double GridValue5 = 0, GridValue6 = 0, GridValue7 = 0, GridValue8 = 0;
  friend bool operator==(const GridsRecord&, const GridsRecord&) = default;
};

struct OutputRecord {
  int32_t OutputValue1 = 0, OutputValue2 = 0;
  std::array<uint8_t, 22> Bytes{};  // OutputByte1 to OutputByte22
  friend bool operator==(const OutputRecord&, const OutputRecord&) = default;
};

struct GerberRecord {
  std::array<uint8_t, 7> Bytes{};   // GerberByte1 to GerberByte7
  std::array<int32_t, 5> Values{};  // GerberValue1 to GerberValue5
  Text255 GerberText;
  int32_t GerberValue6 = 0;
  uint8_t GerberByte8 = 0, GerberByte9 = 0;
  int32_t GerberValue7 = 0, GerberValue8 = 0;
  friend bool operator==(const GerberRecord&, const GerberRecord&) = default;
};

struct PrinterRecord {
  Text255 PrinterText1, PrinterText2, PrinterText3;
  std::array<uint8_t, 6> Bytes1{};  // PrinterByte1 to PrinterByte6
  int32_t PrinterValue1 = 0;
  double PrinterValue2 = 0, PrinterValue3 = 0, PrinterValue4 = 0;
  Bytes<kPrinterFieldSize> PrinterField{};
  uint8_t PrinterByte7 = 0, PrinterByte8 = 0;
  double PrinterValue5 = 0, PrinterValue6 = 0, PrinterValue7 = 0;
  int32_t PrinterValue8 = 0, PrinterValue9 = 0;
  std::array<uint8_t, 5> Bytes2{};  // PrinterByte9 to PrinterByte13
  friend bool operator==(const PrinterRecord&, const PrinterRecord&) = default;
};

struct PenRecord {
  int32_t PenValueA = 0, PenValueB = 0;
  friend bool operator==(const PenRecord&, const PenRecord&) = default;
};

struct CompositeRecord {
  int32_t CompositeA = 0, CompositeB = 0;
  uint8_t CompositeC = 0;
  int32_t CompositeD = 0;
  friend bool operator==(const CompositeRecord&, const CompositeRecord&) = default;
};

struct PlotRecord {
  uint8_t PlotLayer = 0, FlipLayer = 0;
  friend bool operator==(const PlotRecord&, const PlotRecord&) = default;
};

struct PlacerRecord {
  Text255 PlacerText1, PlacerText2;
  std::array<uint8_t, 4> Bytes{};  // PlacerByte1 to PlacerByte4
  friend bool operator==(const PlacerRecord&, const PlacerRecord&) = default;
};

struct EcoRecord {
  uint8_t EcoByte = 0;
  Text255 EcoText;
  friend bool operator==(const EcoRecord&, const EcoRecord&) = default;
};

// Everything a board carries besides its objects.
struct BoardRecord {
  BoardMainRecord Main;
  std::array<LayerRecord, kLayerCount> Layers;  // entry 0 unused
  GridsRecord Grids;
  OutputRecord Output;
  std::array<PlotRecord, kPlotLayerCount> Plot;  // entry 0 unused
  GerberRecord Gerber;
  PrinterRecord Printer;
  std::array<PenRecord, kPenCount> Pens;                // entry 0 unused
  std::array<CompositeRecord, kLayerCount> Composites;  // entry 0 unused
  PlacerRecord Placer;
  EcoRecord Eco;
  std::vector<LayerPairRecord> LayerPairs;
  Dielectric TopDielectric, BottomDielectric;
  friend bool operator==(const BoardRecord&, const BoardRecord&) = default;
};

// A new board: named layers, planes without net, a two-layer stack TopLayer above BottomLayer and
// one drill pair between them.
BoardRecord DefaultBoardRecord();
// The description a layer has on a new board.
LayerRecord DefaultLayerRecord(LayerId layer);

}  // namespace gorvath
