#pragma once
// The wrapper classes of the PCB editor's objects. A wrapper holds an editor object's handle and a
// local copy of its record; TransferRecord moves the whole record to or from the editor, and the
// property operations read and change the local copy. Freeing a wrapper never touches the editor
// object. The order of each record's fields on the wire lives in its class's TransferRecord.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bindings/PCBProcs.h"
#include "pcb/Pcbtypes.h"

namespace qv {

// The common base of the wrappers of board objects, with the property interface that every kind
// shares. The virtual operations are declared in their fixed slot order.
class TPCBObject {
 public:
  explicit TPCBObject(ObjectHandle handle) : Handle(handle) {}
  virtual ~TPCBObject() = default;
  TPCBObject(const TPCBObject&) = delete;
  TPCBObject& operator=(const TPCBObject&) = delete;

  virtual Status TransferRecord(QueryMode mode);
  virtual Status GetBoundingRect(Coord& x1, Coord& y1, Coord& x2, Coord& y2);
  virtual bool ImportFromUser();
  virtual Status GraphicallyInvalidate();
  virtual bool GetFlagBit4();
  virtual bool GetBitField2Bit4();
  virtual bool GetBitField2Bit0();
  virtual bool GetBitField2Bit1();
  virtual bool GetBitField2Bit3();
  virtual bool GetBitField2Bit5();
  virtual bool GetBitField2Bit6();
  virtual void SetFlagBit4(bool value);
  virtual bool GetFlagBit3();
  // Also sends the record with qmSet.
  virtual void SetFlagBit3(bool value);
  virtual bool GetFlagBit8Clear();
  // True clears bit 8, False sets it; also sends the record with qmSet.
  virtual void SetFlagBit8Clear(bool value);
  virtual bool GetBitField3Bit1Or2();
  virtual void SetBitField3Bits1And2(bool value);
  virtual bool GetBitField3Bit1();
  virtual void SetBitField3Bit1(bool value);
  virtual bool GetBitField3Bit2();
  virtual void SetBitField3Bit2(bool value);
  virtual bool GetFlagBit11();
  virtual void SetFlagBit11(bool value);
  virtual bool GetFlagBit13();
  virtual void SetFlagBit13(bool value);
  virtual bool GetFlagBit12();
  virtual void SetFlagBit12(bool value);
  virtual bool GetFlagBit14();
  virtual void SetFlagBit14(bool value);
  virtual bool GetFlagBit15();
  virtual void SetFlagBit15(bool value);
  virtual ObjectHandle GetHandle();
  virtual qv::ObjectId GetObjectId();
  virtual Coord GetX();
  virtual Coord GetY();
  virtual Coord GetX2();
  virtual Coord GetY2();
  virtual uint16_t GetFlags();
  virtual uint16_t GetCommonWord();
  virtual qv::LayerId GetLayer();
  virtual uint8_t GetCommonByte();
  virtual ObjectHandle GetNetHandle();
  virtual ObjectHandle GetComponentHandle();
  virtual int32_t GetLink1();
  virtual int32_t GetLink2();
  virtual int32_t GetLink3();
  virtual Coord GetTopXSize();
  virtual Coord GetTopYSize();
  virtual Coord GetMidXSize();
  virtual Coord GetMidYSize();
  virtual Coord GetBottomXSize();
  virtual Coord GetBottomYSize();
  virtual Coord GetHoleSize();
  virtual uint8_t GetTopShape();
  virtual uint8_t GetMidShape();
  virtual uint8_t GetBottomShape();
  virtual void GetName(String255& name);
  virtual double GetRotation();
  virtual Coord GetWidth();
  virtual uint8_t GetShape();
  virtual Coord GetSize();
  virtual Coord GetXSize();
  virtual Coord GetYSize();
  virtual qv::LayerId GetLowLayer();
  virtual qv::LayerId GetHighLayer();
  virtual Coord GetRadius();
  virtual double GetStartAngle();
  virtual double GetEndAngle();
  virtual Coord GetLineWidth();
  // The editor's bounding rectangle, asked anew on every call; 0 when it cannot answer.
  virtual Coord GetBoundingRectX1();
  virtual Coord GetBoundingRectY1();
  virtual Coord GetBoundingRectX2();
  virtual Coord GetBoundingRectY2();
  virtual int32_t GetFont();
  virtual bool GetMirrored();
  virtual void GetText(String255& text);
  virtual qv::LayerId GetFromLayer();
  virtual qv::LayerId GetToLayer();
  // The corners of the object's rectangle enlarged by `expansion` and turned by its rotation:
  // (left, bottom), (right, bottom), (left, top), (right, top) at rotation 0.
  virtual Coord GetCornerX1(Coord expansion);
  virtual Coord GetCornerY1(Coord expansion);
  virtual Coord GetCornerX2(Coord expansion);
  virtual Coord GetCornerY2(Coord expansion);
  virtual Coord GetCornerX3(Coord expansion);
  virtual Coord GetCornerY3(Coord expansion);
  virtual Coord GetCornerX4(Coord expansion);
  virtual Coord GetCornerY4(Coord expansion);
  // Per layer: the plain value on the object's own layer, 0 on any other.
  virtual Coord GetSizeOnLayer(qv::LayerId layer);
  virtual Coord GetXSizeOnLayer(qv::LayerId layer);
  virtual Coord GetYSizeOnLayer(qv::LayerId layer);
  virtual uint8_t GetShapeOnLayer(qv::LayerId layer);
  virtual Coord GetWidthOnLayer(qv::LayerId layer);
  virtual Coord GetCornerX1OnLayer(qv::LayerId layer, Coord expansion);
  virtual Coord GetCornerY1OnLayer(qv::LayerId layer, Coord expansion);
  virtual Coord GetCornerX2OnLayer(qv::LayerId layer, Coord expansion);
  virtual Coord GetCornerY2OnLayer(qv::LayerId layer, Coord expansion);
  virtual Coord GetCornerX3OnLayer(qv::LayerId layer, Coord expansion);
  virtual Coord GetCornerY3OnLayer(qv::LayerId layer, Coord expansion);
  virtual Coord GetCornerX4OnLayer(qv::LayerId layer, Coord expansion);
  virtual Coord GetCornerY4OnLayer(qv::LayerId layer, Coord expansion);
  virtual Coord GetXOnLayer(qv::LayerId layer);
  virtual Coord GetYOnLayer(qv::LayerId layer);
  virtual Coord GetX2OnLayer(qv::LayerId layer);
  virtual Coord GetY2OnLayer(qv::LayerId layer);
  virtual void SetHandle(ObjectHandle value);
  virtual void SetObjectId(qv::ObjectId value);
  virtual void SetX(Coord value);
  virtual void SetY(Coord value);
  virtual void SetX2(Coord value);
  virtual void SetY2(Coord value);
  virtual void SetFlags(uint16_t value);
  virtual void SetCommonWord(uint16_t value);
  virtual void SetLayer(qv::LayerId value);
  virtual void SetCommonByte(uint8_t value);
  virtual void SetNetHandle(ObjectHandle value);
  virtual void SetComponentHandle(ObjectHandle value);
  virtual void SetLink1(int32_t value);
  virtual void SetLink2(int32_t value);
  virtual void SetLink3(int32_t value);
  virtual void SetTopXSize(Coord value);
  virtual void SetTopYSize(Coord value);
  virtual void SetMidXSize(Coord value);
  virtual void SetMidYSize(Coord value);
  virtual void SetBottomXSize(Coord value);
  virtual void SetBottomYSize(Coord value);
  virtual void SetHoleSize(Coord value);
  virtual void SetTopShape(uint8_t value);
  virtual void SetMidShape(uint8_t value);
  virtual void SetBottomShape(uint8_t value);
  virtual void SetName(const String255& value);
  virtual void SetRotation(double value);
  virtual void SetWidth(Coord value);
  virtual void SetShape(uint8_t value);
  virtual void SetSize(Coord value);
  virtual void SetXSize(Coord value);
  virtual void SetYSize(Coord value);
  virtual void SetLowLayer(qv::LayerId value);
  virtual void SetHighLayer(qv::LayerId value);
  virtual void SetRadius(Coord value);
  virtual void SetStartAngle(double value);
  virtual void SetEndAngle(double value);
  virtual void SetLineWidth(Coord value);
  virtual void SetFont(int32_t value);
  virtual void SetMirrored(bool value);
  virtual void SetText(const String255& value);
  virtual void SetFromLayer(qv::LayerId value);
  virtual void SetToLayer(qv::LayerId value);

  // The common record.
  ObjectHandle Handle = 0;
  qv::ObjectId ObjectId = 0;
  Coord X = 0;
  Coord Y = 0;
  uint16_t Flags = 0;
  uint8_t BitField2 = 0;
  uint16_t BitField3 = 0;
  uint16_t CommonWord = 0;
  qv::LayerId Layer = 0;
  uint8_t CommonByte = 0;
  ObjectHandle NetHandle = 0;
  ObjectHandle ComponentHandle = 0;

 protected:
  // The two flag exchanges that every transfer makes first.
  void TransferBitFields(QueryMode mode);

 private:
  Coord Corner(int index, Coord expansion);
  Coord BoundingRect(int index);
};

// The common ancestor of the kinds of object that own other objects.
class TPcbGroupObject : public TPCBObject {
 public:
  using TPCBObject::TPCBObject;
};

class TPcbArc : public TPCBObject {
 public:
  explicit TPcbArc(ObjectHandle handle) : TPCBObject(handle) { ObjectId = ArcObject; }
  Status TransferRecord(QueryMode mode) override;
  int32_t GetLink1() override { return Link1; }
  Coord GetRadius() override { return Radius; }
  double GetStartAngle() override { return StartAngle; }
  double GetEndAngle() override { return EndAngle; }
  Coord GetLineWidth() override { return LineWidth; }
  void SetLink1(int32_t value) override { Link1 = value; }
  void SetRadius(Coord value) override { Radius = value; }
  void SetStartAngle(double value) override { StartAngle = value; }
  void SetEndAngle(double value) override { EndAngle = value; }
  void SetLineWidth(Coord value) override { LineWidth = value; }

  Coord Radius = 0;
  double StartAngle = 0;
  double EndAngle = 0;
  Coord LineWidth = 0;
  int32_t Link1 = 0;
};

// A pad, with its per-layer stack: the arrays hold the editor's shapes and sizes by LayerId.
class TPcbPad : public TPCBObject {
 public:
  explicit TPcbPad(ObjectHandle handle) : TPCBObject(handle) { ObjectId = PadObject; }
  Status TransferRecord(QueryMode mode) override;
  Coord GetTopXSize() override { return TopXSize; }
  Coord GetTopYSize() override { return TopYSize; }
  Coord GetMidXSize() override { return MidXSize; }
  Coord GetMidYSize() override { return MidYSize; }
  Coord GetBottomXSize() override { return BottomXSize; }
  Coord GetBottomYSize() override { return BottomYSize; }
  Coord GetHoleSize() override { return HoleSize; }
  uint8_t GetTopShape() override { return TopShape; }
  uint8_t GetMidShape() override { return MidShape; }
  uint8_t GetBottomShape() override { return BottomShape; }
  void GetName(String255& name) override { name.Assign(Name.View()); }
  double GetRotation() override { return Rotation; }
  // Per layer: asked of the editor on every call and kept in the arrays; 0 when the editor
  // reports a failure or the LayerId names no layer.
  Coord GetXSizeOnLayer(qv::LayerId layer) override;
  Coord GetYSizeOnLayer(qv::LayerId layer) override;
  uint8_t GetShapeOnLayer(qv::LayerId layer) override;
  Coord GetWidthOnLayer(qv::LayerId layer) override;
  Coord GetCornerX1OnLayer(qv::LayerId layer, Coord expansion) override;
  Coord GetCornerY1OnLayer(qv::LayerId layer, Coord expansion) override;
  Coord GetCornerX2OnLayer(qv::LayerId layer, Coord expansion) override;
  Coord GetCornerY2OnLayer(qv::LayerId layer, Coord expansion) override;
  Coord GetCornerX3OnLayer(qv::LayerId layer, Coord expansion) override;
  Coord GetCornerY3OnLayer(qv::LayerId layer, Coord expansion) override;
  Coord GetCornerX4OnLayer(qv::LayerId layer, Coord expansion) override;
  Coord GetCornerY4OnLayer(qv::LayerId layer, Coord expansion) override;
  // The end points of the pad's centre line on a layer.
  Coord GetXOnLayer(qv::LayerId layer) override;
  Coord GetYOnLayer(qv::LayerId layer) override;
  Coord GetX2OnLayer(qv::LayerId layer) override;
  Coord GetY2OnLayer(qv::LayerId layer) override;
  void SetTopXSize(Coord value) override { TopXSize = value; }
  void SetTopYSize(Coord value) override { TopYSize = value; }
  void SetMidXSize(Coord value) override { MidXSize = value; }
  void SetMidYSize(Coord value) override { MidYSize = value; }
  void SetBottomXSize(Coord value) override { BottomXSize = value; }
  void SetBottomYSize(Coord value) override { BottomYSize = value; }
  void SetHoleSize(Coord value) override { HoleSize = value; }
  void SetTopShape(uint8_t value) override { TopShape = value; }
  void SetMidShape(uint8_t value) override { MidShape = value; }
  void SetBottomShape(uint8_t value) override { BottomShape = value; }
  void SetName(const String255& value) override { Name.Assign(value.View()); }
  void SetRotation(double value) override { Rotation = value; }

  // The stack mode whose signal-layer shapes and sizes travel layer by layer.
  static constexpr uint8_t LayerByLayerStack = 2;

  Coord TopXSize = 0;
  Coord TopYSize = 0;
  Coord MidXSize = 0;
  Coord MidYSize = 0;
  Coord BottomXSize = 0;
  Coord BottomYSize = 0;
  Coord HoleSize = 0;
  uint8_t TopShape = 0;
  uint8_t MidShape = 0;
  uint8_t BottomShape = 0;
  ShortString<20> Name;
  uint8_t PadByte1 = 0;
  double Rotation = 0;
  uint8_t PadByte2 = 0;
  std::array<Coord, LayerCount> XSizeOnLayer{};
  std::array<Coord, LayerCount> YSizeOnLayer{};
  std::array<uint8_t, LayerCount> ShapeOnLayer{};
  uint8_t StackMode = 0;

 private:
  Coord CornerOnLayer(int index, qv::LayerId layer, Coord expansion);
  Coord CentreLineOnLayer(int index, qv::LayerId layer);
};

class TPcbVia : public TPCBObject {
 public:
  explicit TPcbVia(ObjectHandle handle) : TPCBObject(handle) { ObjectId = ViaObject; }
  Status TransferRecord(QueryMode mode) override;
  Coord GetHoleSize() override { return HoleSize; }
  Coord GetSize() override { return Size; }
  qv::LayerId GetLowLayer() override { return LowLayer; }
  qv::LayerId GetHighLayer() override { return HighLayer; }
  void SetHoleSize(Coord value) override { HoleSize = value; }
  void SetSize(Coord value) override { Size = value; }
  void SetLowLayer(qv::LayerId value) override { LowLayer = value; }
  void SetHighLayer(qv::LayerId value) override { HighLayer = value; }
  // Asked of the editor on every call; the wrapper's fields do not change.
  Coord GetSizeOnLayer(qv::LayerId layer) override;
  uint8_t GetShapeOnLayer(qv::LayerId layer) override;

  Coord Size = 0;
  Coord HoleSize = 0;
  qv::LayerId LowLayer = 0;
  qv::LayerId HighLayer = 0;
};

class TPcbTrack : public TPCBObject {
 public:
  explicit TPcbTrack(ObjectHandle handle) : TPCBObject(handle) { ObjectId = TrackObject; }
  Status TransferRecord(QueryMode mode) override;
  Coord GetX2() override { return X2; }
  Coord GetY2() override { return Y2; }
  int32_t GetLink1() override { return Link1; }
  int32_t GetLink2() override { return Link2; }
  int32_t GetLink3() override { return Link3; }
  Coord GetWidth() override { return Width; }
  void SetX2(Coord value) override { X2 = value; }
  void SetY2(Coord value) override { Y2 = value; }
  void SetLink1(int32_t value) override { Link1 = value; }
  void SetLink2(int32_t value) override { Link2 = value; }
  void SetLink3(int32_t value) override { Link3 = value; }
  void SetWidth(Coord value) override { Width = value; }

  Coord X2 = 0;
  Coord Y2 = 0;
  Coord Width = 0;
  int32_t Link1 = 0;
  int32_t Link2 = 0;
  int32_t Link3 = 0;
};

class TPcbText : public TPCBObject {
 public:
  explicit TPcbText(ObjectHandle handle) : TPCBObject(handle) { ObjectId = TextObject; }
  Status TransferRecord(QueryMode mode) override;
  int32_t GetLink2() override { return Link2; }
  int32_t GetLink3() override { return Link3; }
  double GetRotation() override { return Rotation; }
  Coord GetWidth() override { return LineWidth; }
  Coord GetSize() override { return Size; }
  Coord GetLineWidth() override { return LineWidth; }
  int32_t GetFont() override { return Font; }
  bool GetMirrored() override { return Mirrored != 0; }
  void GetText(String255& text) override { text.Assign(Text.View()); }
  void SetLink2(int32_t value) override { Link2 = value; }
  void SetLink3(int32_t value) override { Link3 = value; }
  void SetRotation(double value) override { Rotation = value; }
  void SetSize(Coord value) override { Size = value; }
  void SetLineWidth(Coord value) override { LineWidth = value; }
  void SetFont(int32_t value) override { Font = value; }
  void SetMirrored(bool value) override { Mirrored = value ? 1 : 0; }
  void SetText(const String255& value) override { Text.Assign(value.View()); }

  Coord Size = 0;
  int32_t Font = 0;
  double Rotation = 0;
  uint8_t Mirrored = 0;
  ShortString<254> Text;
  Coord LineWidth = 0;
  int32_t Link2 = 0;
  int32_t Link3 = 0;
};

class TPcbFill : public TPCBObject {
 public:
  explicit TPcbFill(ObjectHandle handle) : TPCBObject(handle) { ObjectId = FillObject; }
  Status TransferRecord(QueryMode mode) override;
  Coord GetX2() override { return X2; }
  Coord GetY2() override { return Y2; }
  int32_t GetLink1() override { return Link1; }
  double GetRotation() override { return Rotation; }
  void SetX2(Coord value) override { X2 = value; }
  void SetY2(Coord value) override { Y2 = value; }
  void SetLink1(int32_t value) override { Link1 = value; }
  void SetRotation(double value) override { Rotation = value; }

  Coord X2 = 0;
  Coord Y2 = 0;
  int32_t Link1 = 0;
  double Rotation = 0;
};

// A placed component of a board, or a footprint of a library.
class TPcbComponent : public TPcbGroupObject {
 public:
  explicit TPcbComponent(ObjectHandle handle) : TPcbGroupObject(handle) {
    ObjectId = ComponentObject;
  }
  Status TransferRecord(QueryMode mode) override;
  // The component's designator: the text of the object behind NameHandle.
  void GetName(String255& name) override;
  double GetRotation() override { return Rotation; }

  int32_t ChannelOffset = 0;
  uint8_t ComponentKind = 0;
  ObjectHandle NameHandle = 0;
  ObjectHandle CommentHandle = 0;
  ShortString<250> Pattern;
  uint8_t ComponentByte1 = 0;
  uint8_t ComponentByte2 = 0;
  int32_t ComponentValue = 0;
  double Rotation = 0;
  uint8_t ComponentByte3 = 0;
  int32_t ExValue1 = 0;
  uint8_t ExByte1 = 0;
  uint8_t ExByte2 = 0;
  int32_t ExValue2 = 0;
  std::array<String255, 7> SourceLinks{};  // SourceLink1 to SourceLink7
};

// A coordinate marker.
class TPcbCoordinate : public TPcbGroupObject {
 public:
  explicit TPcbCoordinate(ObjectHandle handle) : TPcbGroupObject(handle) {
    ObjectId = CoordinateObject;
  }
  Status TransferRecord(QueryMode mode) override;

  std::array<int32_t, 6> CoordinateField{};  // CoordinateField1 to CoordinateField6
};

// One reference of a dimension.
struct TDimensionReference {
  int32_t RefValue1 = 0;
  int32_t RefValue2 = 0;
  int32_t RefValue3 = 0;
  int32_t RefValue4 = 0;
};

// A dimension, with the references it measures between.
class TPcbDimension : public TPcbGroupObject {
 public:
  explicit TPcbDimension(ObjectHandle handle) : TPcbGroupObject(handle) {
    ObjectId = DimensionObject;
  }
  // Both dimension queries (their statuses combined with a bitwise AND), then the reference
  // count, always asked of the editor, and the references one by one.
  Status TransferRecord(QueryMode mode) override;

  static constexpr int32_t MaxReferences = 200;

  uint8_t ExtValue1 = 0;
  int32_t ExtValue2 = 0;
  int32_t ExtValue3 = 0;
  std::array<int32_t, 7> DimValue{};  // DimValue1 to DimValue7
  int32_t ExtValue4 = 0;
  uint8_t ExtValue5 = 0;
  int32_t ExtValue6 = 0;
  String255 ExtValue7;
  uint8_t ExtValue8 = 0;
  int32_t ExtValue9 = 0;
  String255 ExtValue10;
  String255 ExtValue11;
  double ExtValue12 = 0;
  int32_t ExtValue13 = 0;
  int32_t ExtValue14 = 0;
  int32_t ExtValue15 = 0;
  uint8_t ExtValue16 = 0;
  int32_t ExtValue17 = 0;
  int32_t ExtValue18 = 0;
  int32_t ExtValue19 = 0;
  uint8_t DimValue8 = 0;
  std::array<TDimensionReference, MaxReferences> References{};
  int32_t ReferenceCount = 0;
};

// A polygon pour.
class TPcbPolygon : public TPcbGroupObject {
 public:
  explicit TPcbPolygon(ObjectHandle handle) : TPcbGroupObject(handle) { ObjectId = PolygonObject; }
  Status TransferRecord(QueryMode mode) override;

  uint8_t PolygonField1 = 0;
  uint8_t PolygonField2 = 0;
  uint8_t PolygonField3 = 0;
  uint8_t PolygonField4 = 0;
  int32_t PolygonField5 = 0;
  int32_t PolygonField6 = 0;
  int32_t PolygonField7 = 0;
  int32_t PolygonField8 = 0;
  int32_t PolygonField9 = 0;
  ByteBlock<18533> PolygonBlock;  // reserved by the record; never read or written
  uint8_t PolygonField10 = 0;
  uint16_t PolygonField11 = 0;
};

// The board outline: a polygon of its own kind.
class TPcbBoardOutline : public TPcbPolygon {
 public:
  explicit TPcbBoardOutline(ObjectHandle handle) : TPcbPolygon(handle) {
    ObjectId = BoardOutlineObject;
  }
};

class TPcbNet : public TPcbGroupObject {
 public:
  explicit TPcbNet(ObjectHandle handle) : TPcbGroupObject(handle) { ObjectId = NetObject; }
  Status TransferRecord(QueryMode mode) override;
  void GetName(String255& name) override { name = Name; }

  String255 Name;
  uint8_t NetByte1 = 0;
  uint8_t NetByte2 = 0;
};

// An object class: a named set of members known by their names.
class TPCBObjectClass : public TPCBObject {
 public:
  explicit TPCBObjectClass(ObjectHandle handle) : TPCBObject(handle) { ObjectId = ClassObject; }
  // Reading appends the editor's members to Members; writing replaces the editor's members with
  // Members. Returns the status of the last member call.
  Status TransferRecord(QueryMode mode) override;

  String255 Name;
  uint8_t ClassByte1 = 0;
  uint8_t ClassByte2 = 0;
  std::vector<std::string> Members;
};

class TPcbRule : public TPCBObject {
 public:
  explicit TPcbRule(ObjectHandle handle) : TPCBObject(handle) { ObjectId = RuleObject; }
  Status TransferRecord(QueryMode mode) override;

  std::array<uint8_t, 7> RuleByte{};     // RuleField1 to RuleField7
  std::array<String255, 4> RuleText1{};  // RuleField8 to RuleField11
  uint8_t RuleField12 = 0;
  uint8_t RuleField13 = 0;
  std::array<int32_t, 4> RuleValue{};    // RuleField14 to RuleField17
  std::array<String255, 6> RuleText2{};  // RuleField18 to RuleField23
};

class TPcbFromTo : public TPCBObject {
 public:
  explicit TPcbFromTo(ObjectHandle handle) : TPCBObject(handle) { ObjectId = FromToObject; }
  Status TransferRecord(QueryMode mode) override;
  Coord GetX2() override { return X2; }
  Coord GetY2() override { return Y2; }
  qv::LayerId GetFromLayer() override { return FromLayer; }
  qv::LayerId GetToLayer() override { return ToLayer; }
  void SetX2(Coord value) override { X2 = value; }
  void SetY2(Coord value) override { Y2 = value; }
  void SetFromLayer(qv::LayerId value) override { FromLayer = value; }
  void SetToLayer(qv::LayerId value) override { ToLayer = value; }

  Coord X2 = 0;
  Coord Y2 = 0;
  qv::LayerId FromLayer = 0;
  qv::LayerId ToLayer = 0;
};

class TPcbManualFromTo : public TPCBObject {
 public:
  explicit TPcbManualFromTo(ObjectHandle handle) : TPCBObject(handle) {
    ObjectId = ManualFromToObject;
  }
  Status TransferRecord(QueryMode mode) override;

  String255 ManualField1;
  String255 ManualField2;
  String255 ManualField3;
  int32_t ManualField4 = 0;
};

// A new wrapper of the class for the handle's kind, filled from the editor with qmGet; none for a
// kind without a wrapper class. The caller owns the wrapper.
std::unique_ptr<TPCBObject> PcbObjectFromHandle(ObjectHandle handle);
// The text of the object behind a handle: a text object's string, empty for every other kind,
// for a kind without a wrapper class and for handle 0 (which asks the editor nothing).
void GetObjectTextFromHandle(ObjectHandle handle, String255& text);

// One layer of a board: its name, copper and dielectric, and its place in the layer stack.
class TLayerObject {
 public:
  TLayerObject(ObjectHandle board, qv::LayerId layer);
  virtual ~TLayerObject() = default;
  TLayerObject(const TLayerObject&) = delete;
  TLayerObject& operator=(const TLayerObject&) = delete;

  // Moves the layer and its dielectric; returns the status of the layer query.
  virtual Status TransferRecord(QueryMode mode);

  ObjectHandle BoardHandle;
  qv::LayerId LayerId;
  String255 Name;
  Coord CopperThickness = 14000;
  String255 DielectricMaterial;
  uint8_t DielectricType = 1;
  double DielectricConstant = 4.8;
  Coord DielectricHeight = 126000;
  uint8_t LayerByte1 = 0;
  uint8_t LayerByte2 = 0;
  qv::LayerId PreviousLayer = 0;  // the layer above in the stack, 0 when none
  qv::LayerId NextLayer = 0;      // the layer below in the stack, 0 when none
  uint8_t LayerByte3 = 0;
  ByteBlock<1> LayerByte3Reserved;

 protected:
  Status TransferDielectric(QueryMode mode);
};

// An internal plane layer (LayerIds 39 to 54), with the name of the net it carries.
class TInternalPlane : public TLayerObject {
 public:
  TInternalPlane(ObjectHandle board, qv::LayerId layer);
  Status TransferRecord(QueryMode mode) override;

  String255 NetName;
};

// A drill layer pair of a board.
class TPcblayerPair {
 public:
  String255 Name;
  qv::LayerId PairLayer1 = 0;
  qv::LayerId PairLayer2 = 0;
  uint8_t PairByteA = 0;
  uint8_t PairByteB = 0;
};

// A board's dielectric outside the layer stack.
struct TDielectric {
  String255 Material;
  uint8_t Type = 1;
  double Constant = 4.8;
  Coord Height = 126000;
};

// A board (or a library's board) of the editor with its whole record: board data, layer stack,
// grids, output, Gerber, printer, placer and change-order options, layer pairs and the external
// dielectrics.
class TPcbBoard {
 public:
  explicit TPcbBoard(ObjectHandle handle);
  virtual ~TPcbBoard();
  TPcbBoard(const TPcbBoard&) = delete;
  TPcbBoard& operator=(const TPcbBoard&) = delete;

  // Moves the whole record (562 editor calls, plus the layer pairs); returns the status of the
  // board query.
  virtual Status TransferRecord(QueryMode mode);
  // Adds an editor object to the board; 1 without asking the editor for handle 0.
  Status AddObject(ObjectHandle handle);
  // The layer description of a LayerId from 1 to 82; none otherwise.
  TLayerObject* LayerObject(qv::LayerId layer) const;
  // The top of the layer stack: the lowest LayerId without a previous layer; none if there is none.
  TLayerObject* FirstLayerInStack() const;
  // The layer below `layer` in the stack; none at the bottom.
  TLayerObject* NextLayerInStack(const TLayerObject& layer) const;
  // The 1-based position of `layer` among the layers of `set` in stack order; 0 when `layer` is
  // not in `set`.
  int32_t StackPosition(const LayerSet& set, const TLayerObject& layer) const;
  // Names a pair from the layer that comes first in the stack to the one that comes later.
  void NameLayerPair(TPcblayerPair& pair) const;

  ObjectHandle Handle;

  int32_t BoardValue1 = 0;
  String255 FileName;
  uint8_t IsLibrary = 0;
  int32_t BoardValue2 = 0;
  int32_t BoardValue3 = 0;
  int32_t BoardValue4 = 0;
  int32_t BoardValue5 = 0;
  uint8_t BoardByte1 = 0;
  uint8_t BoardByte2 = 0;
  int32_t BoardValue6 = 0;
  ByteBlock<2> BoardValue6Reserved;

  std::array<int32_t, LayerCount> LayerInfo{};                   // by LayerId, 1 to 82
  std::array<std::unique_ptr<TLayerObject>, LayerCount> Layers;  // by LayerId, 1 to 82

  uint8_t GridByte1 = 0;
  uint8_t GridByte2 = 0;
  uint8_t GridByte3 = 0;
  uint8_t GridByte4 = 0;
  double GridValue1 = 0;
  double GridValue2 = 0;
  double GridValue3 = 0;
  double GridValue4 = 0;
  int32_t GridInteger1 = 0;
  uint8_t GridByte5 = 0;
  double GridValue5 = 0;
  double GridValue6 = 0;
  double GridValue7 = 0;
  double GridValue8 = 0;
  double GridMirror1 = 0;  // GridValue3 after the last transfer
  double GridMirror2 = 0;  // GridValue7 after the last transfer

  int32_t OutputValue1 = 0;
  int32_t OutputValue2 = 0;
  std::array<uint8_t, 22> OutputByte{};  // OutputByte1 to OutputByte22
  static constexpr int OutputLayerIndexes = 109;
  std::array<uint8_t, OutputLayerIndexes + 1> PlotLayer{};  // by index, 1 to 109
  std::array<uint8_t, OutputLayerIndexes + 1> FlipLayer{};  // by index, 1 to 109

  std::array<uint8_t, 9> GerberByte{};   // GerberByte1 to GerberByte9
  std::array<int32_t, 8> GerberValue{};  // GerberValue1 to GerberValue8
  String255 GerberText;

  std::array<String255, 3> PrinterText{};  // PrinterText1 to PrinterText3
  std::array<uint8_t, 13> PrinterByte{};   // PrinterByte1 to PrinterByte13
  int32_t PrinterValue1 = 0;
  double PrinterValue2 = 0;
  double PrinterValue3 = 0;
  double PrinterValue4 = 0;
  ByteBlock<22> PrinterField;
  double PrinterValue5 = 0;
  double PrinterValue6 = 0;
  double PrinterValue7 = 0;
  int32_t PrinterValue8 = 0;
  int32_t PrinterValue9 = 0;
  static constexpr int PlotterPens = 8;
  std::array<int32_t, PlotterPens + 1> PenValueA{};  // by pen, 1 to 8
  std::array<int32_t, PlotterPens + 1> PenValueB{};
  std::array<int32_t, LayerCount> CompositeA{};  // by LayerId, 1 to 82
  std::array<int32_t, LayerCount> CompositeB{};
  std::array<uint8_t, LayerCount> CompositeC{};
  std::array<int32_t, LayerCount> CompositeD{};

  String255 PlacerText1;
  String255 PlacerText2;
  std::array<uint8_t, 4> PlacerByte{};  // PlacerByte1 to PlacerByte4

  uint8_t EcoByte = 0;
  String255 EcoText;

  std::vector<std::unique_ptr<TPcblayerPair>> LayerPairs;

  TDielectric TopDielectric;
  TDielectric BottomDielectric;

 private:
  Status TransferBoardData(QueryMode mode);
  void TransferLayerInfo(QueryMode mode);
  void TransferGrids(QueryMode mode);
  void TransferOutputOptions(QueryMode mode);
  void TransferGerberOptions(QueryMode mode);
  void TransferPrinterOptions(QueryMode mode);
  void TransferPlacerOptions(QueryMode mode);
  void TransferChangeOrderOptions(QueryMode mode);
  void TransferLayerPairs(QueryMode mode);
  void TransferExternalDielectrics(QueryMode mode);
};

// Visits the board's objects of every kind in `objects` (ObjectIds 0 to 20) on every layer in
// `layers`, kind by kind and layer by layer, calling `callback` with each handle in the editor's
// order. An iterator is made for every selected kind and layer.
void IterateBoardObjects(const TPcbBoard& board, const std::function<void(ObjectHandle)>& callback,
                         ObjectSet objects, const LayerSet& layers, uint8_t iterationMethod);

}  // namespace qv
