#include "pcb/Pcbclass.h"

#include <cmath>
#include <cstdlib>

namespace qv {

namespace {

Coord RoundToCoord(long double value) {
  return static_cast<Coord>(RoundHalfEven(value));
}

bool Bit(uint32_t word, uint32_t mask) {
  return (word & mask) != 0;
}

template <class T>
void SetBit(T& word, uint32_t mask, bool value) {
  word = static_cast<T>(value ? (word | mask) : (word & ~mask));
}

// 32-bit integer arithmetic that wraps instead of overflowing.
int32_t Wrap(int64_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// The corners of a rectangle of width w and height h about (cx, cy), turned: indexes 0 to 7 are
// X1, Y1, X2, Y2, X3, Y3, X4, Y4. `s` is the direction of corners 1 and 4 and `t` that of
// corners 2 and 3, both already turned by the rotation.
long double TurnedCorner(int index, long double cx, long double cy, long double r, long double s,
                         long double t) {
  switch (index) {
    case 0:
      return cx - r * std::sin(s);
    case 1:
      return cy - r * std::cos(s);
    case 2:
      return cx + r * std::cos(t);
    case 3:
      return cy - r * std::sin(t);
    case 4:
      return cx - r * std::cos(t);
    case 5:
      return cy + r * std::sin(t);
    case 6:
      return cx + r * std::sin(s);
    default:
      return cy + r * std::cos(s);
  }
}

// A rectangle without height: its corners lie on one horizontal line through the centre, and the
// rotation is not consulted.
long double FlatCorner(int index, long double cx, long double cy, int32_t w) {
  if (index % 2 == 1) return cy;
  const bool left = index == 0 || index == 4;
  return left ? cx - w / 2.0L : cx + w / 2.0L;
}

}  // namespace

// ----- TPCBObject -----

void TPCBObject::TransferBitFields(QueryMode mode) {
  PcbApi_GetObjectBitField2(mode, Handle, &BitField2);
  PcbApi_GetObjectBitField3(mode, Handle, &BitField3);
}

Status TPCBObject::TransferRecord(QueryMode mode) {
  TransferBitFields(mode);
  return PcbApi_QueryPrimitive(mode, Handle, &Flags, &CommonWord, &Layer, &NetHandle,
                               &ComponentHandle, &CommonByte);
}

Status TPCBObject::GetBoundingRect(Coord& x1, Coord& y1, Coord& x2, Coord& y2) {
  return PcbApi_QueryObjectBoundingRectangle(Handle, &x1, &y1, &x2, &y2);
}

bool TPCBObject::ImportFromUser() {
  return PcbApi_QueryObjectImport_FromUser(Handle) == 0;
}
Status TPCBObject::GraphicallyInvalidate() {
  return PcbApi_QueryObjectGraphicallyInvalidate(Handle);
}

bool TPCBObject::GetFlagBit4() {
  return Bit(Flags, 0x0010);
}
bool TPCBObject::GetBitField2Bit4() {
  return Bit(BitField2, 0x10);
}
bool TPCBObject::GetBitField2Bit0() {
  return Bit(BitField2, 0x01);
}
bool TPCBObject::GetBitField2Bit1() {
  return Bit(BitField2, 0x02);
}
bool TPCBObject::GetBitField2Bit3() {
  return Bit(BitField2, 0x08);
}
bool TPCBObject::GetBitField2Bit5() {
  return Bit(BitField2, 0x20);
}
bool TPCBObject::GetBitField2Bit6() {
  return Bit(BitField2, 0x40);
}
void TPCBObject::SetFlagBit4(bool value) {
  SetBit(Flags, 0x0010, value);
}
bool TPCBObject::GetFlagBit3() {
  return Bit(Flags, 0x0008);
}
void TPCBObject::SetFlagBit3(bool value) {
  SetBit(Flags, 0x0008, value);
  TransferRecord(qmSet);
}
bool TPCBObject::GetFlagBit8Clear() {
  return !Bit(Flags, 0x0100);
}
void TPCBObject::SetFlagBit8Clear(bool value) {
  SetBit(Flags, 0x0100, !value);
  TransferRecord(qmSet);
}
bool TPCBObject::GetBitField3Bit1Or2() {
  return GetBitField3Bit1() || GetBitField3Bit2();
}
void TPCBObject::SetBitField3Bits1And2(bool value) {
  SetBitField3Bit1(value);
  SetBitField3Bit2(value);
}
bool TPCBObject::GetBitField3Bit1() {
  return Bit(BitField3, 0x0002);
}
void TPCBObject::SetBitField3Bit1(bool value) {
  SetBit(BitField3, 0x0002, value);
}
bool TPCBObject::GetBitField3Bit2() {
  return Bit(BitField3, 0x0004);
}
void TPCBObject::SetBitField3Bit2(bool value) {
  SetBit(BitField3, 0x0004, value);
}
bool TPCBObject::GetFlagBit11() {
  return Bit(Flags, 0x0800);
}
void TPCBObject::SetFlagBit11(bool value) {
  SetBit(Flags, 0x0800, value);
}
bool TPCBObject::GetFlagBit13() {
  return Bit(Flags, 0x2000);
}
void TPCBObject::SetFlagBit13(bool value) {
  SetBit(Flags, 0x2000, value);
}
bool TPCBObject::GetFlagBit12() {
  return Bit(Flags, 0x1000);
}
void TPCBObject::SetFlagBit12(bool value) {
  SetBit(Flags, 0x1000, value);
}
bool TPCBObject::GetFlagBit14() {
  return Bit(Flags, 0x4000);
}
void TPCBObject::SetFlagBit14(bool value) {
  SetBit(Flags, 0x4000, value);
}
bool TPCBObject::GetFlagBit15() {
  return Bit(Flags, 0x8000);
}
void TPCBObject::SetFlagBit15(bool value) {
  SetBit(Flags, 0x8000, value);
}

ObjectHandle TPCBObject::GetHandle() {
  return Handle;
}
qv::ObjectId TPCBObject::GetObjectId() {
  return ObjectId;
}
Coord TPCBObject::GetX() {
  return X;
}
Coord TPCBObject::GetY() {
  return Y;
}
Coord TPCBObject::GetX2() {
  return X;
}  // a one-point object ends where it starts
Coord TPCBObject::GetY2() {
  return Y;
}
uint16_t TPCBObject::GetFlags() {
  return Flags;
}
uint16_t TPCBObject::GetCommonWord() {
  return CommonWord;
}
qv::LayerId TPCBObject::GetLayer() {
  return Layer;
}
uint8_t TPCBObject::GetCommonByte() {
  return CommonByte;
}
ObjectHandle TPCBObject::GetNetHandle() {
  return NetHandle;
}
ObjectHandle TPCBObject::GetComponentHandle() {
  return ComponentHandle;
}
int32_t TPCBObject::GetLink1() {
  return 0;
}
int32_t TPCBObject::GetLink2() {
  return 0;
}
int32_t TPCBObject::GetLink3() {
  return 0;
}
Coord TPCBObject::GetTopXSize() {
  return 0;
}
Coord TPCBObject::GetTopYSize() {
  return 0;
}
Coord TPCBObject::GetMidXSize() {
  return 0;
}
Coord TPCBObject::GetMidYSize() {
  return 0;
}
Coord TPCBObject::GetBottomXSize() {
  return 0;
}
Coord TPCBObject::GetBottomYSize() {
  return 0;
}
Coord TPCBObject::GetHoleSize() {
  return 0;
}
uint8_t TPCBObject::GetTopShape() {
  return 0;
}
uint8_t TPCBObject::GetMidShape() {
  return 0;
}
uint8_t TPCBObject::GetBottomShape() {
  return 0;
}
void TPCBObject::GetName(String255& name) {
  name = String255{};
}
double TPCBObject::GetRotation() {
  return 0.0;
}
Coord TPCBObject::GetWidth() {
  return 0;
}
uint8_t TPCBObject::GetShape() {
  return 0;
}
Coord TPCBObject::GetSize() {
  return 0;
}
Coord TPCBObject::GetXSize() {
  return GetSize();
}
Coord TPCBObject::GetYSize() {
  return GetSize();
}
qv::LayerId TPCBObject::GetLowLayer() {
  return 0;
}
qv::LayerId TPCBObject::GetHighLayer() {
  return 0;
}
Coord TPCBObject::GetRadius() {
  return 0;
}
double TPCBObject::GetStartAngle() {
  return 0.0;
}
double TPCBObject::GetEndAngle() {
  return 0.0;
}
Coord TPCBObject::GetLineWidth() {
  return 0;
}

Coord TPCBObject::BoundingRect(int index) {
  // Zero first, so that a failed or unavailable query answers 0 rather than stack garbage.
  Coord r[4] = {0, 0, 0, 0};
  PcbApi_QueryObjectBoundingRectangle(Handle, &r[0], &r[1], &r[2], &r[3]);
  return r[index];
}
Coord TPCBObject::GetBoundingRectX1() {
  return BoundingRect(0);
}
Coord TPCBObject::GetBoundingRectY1() {
  return BoundingRect(1);
}
Coord TPCBObject::GetBoundingRectX2() {
  return BoundingRect(2);
}
Coord TPCBObject::GetBoundingRectY2() {
  return BoundingRect(3);
}

int32_t TPCBObject::GetFont() {
  return 0;
}
bool TPCBObject::GetMirrored() {
  return false;
}
void TPCBObject::GetText(String255& text) {
  text = String255{};
}
qv::LayerId TPCBObject::GetFromLayer() {
  return 0;
}
qv::LayerId TPCBObject::GetToLayer() {
  return 0;
}

Coord TPCBObject::Corner(int index, Coord expansion) {
  const Coord x = GetX(), y = GetY(), x2 = GetX2(), y2 = GetY2();
  const int32_t w = Wrap(std::llabs(int64_t{x2} - x) + 2 * int64_t{expansion});
  const int32_t h = Wrap(std::llabs(int64_t{y2} - y) + 2 * int64_t{expansion});
  // Each half is truncated toward zero before the two are added.
  const long double cx = Wrap(int64_t{x / 2} + x2 / 2);
  const long double cy = Wrap(int64_t{y / 2} + y2 / 2);
  if (h == 0) return RoundToCoord(FlatCorner(index, cx, cy, w));
  const long double halfW = w / 2.0L, halfH = h / 2.0L;
  const long double r = std::sqrt(halfW * halfW + halfH * halfH);
  const long double a = std::atan(static_cast<long double>(w) / h);
  const long double turn = DegreesToRadians(GetRotation());
  const long double q = DegreesToRadians(90 - GetRotation());
  return RoundToCoord(TurnedCorner(index, cx, cy, r, a - turn, q - a));
}
Coord TPCBObject::GetCornerX1(Coord e) {
  return Corner(0, e);
}
Coord TPCBObject::GetCornerY1(Coord e) {
  return Corner(1, e);
}
Coord TPCBObject::GetCornerX2(Coord e) {
  return Corner(2, e);
}
Coord TPCBObject::GetCornerY2(Coord e) {
  return Corner(3, e);
}
Coord TPCBObject::GetCornerX3(Coord e) {
  return Corner(4, e);
}
Coord TPCBObject::GetCornerY3(Coord e) {
  return Corner(5, e);
}
Coord TPCBObject::GetCornerX4(Coord e) {
  return Corner(6, e);
}
Coord TPCBObject::GetCornerY4(Coord e) {
  return Corner(7, e);
}

Coord TPCBObject::GetSizeOnLayer(qv::LayerId l) {
  return l == Layer ? GetSize() : 0;
}
Coord TPCBObject::GetXSizeOnLayer(qv::LayerId l) {
  return l == Layer ? GetXSize() : 0;
}
Coord TPCBObject::GetYSizeOnLayer(qv::LayerId l) {
  return l == Layer ? GetYSize() : 0;
}
uint8_t TPCBObject::GetShapeOnLayer(qv::LayerId l) {
  return l == Layer ? GetShape() : 0;
}
Coord TPCBObject::GetWidthOnLayer(qv::LayerId l) {
  return l == Layer ? GetWidth() : 0;
}
Coord TPCBObject::GetCornerX1OnLayer(qv::LayerId l, Coord e) {
  return l == Layer ? GetCornerX1(e) : 0;
}
Coord TPCBObject::GetCornerY1OnLayer(qv::LayerId l, Coord e) {
  return l == Layer ? GetCornerY1(e) : 0;
}
Coord TPCBObject::GetCornerX2OnLayer(qv::LayerId l, Coord e) {
  return l == Layer ? GetCornerX2(e) : 0;
}
Coord TPCBObject::GetCornerY2OnLayer(qv::LayerId l, Coord e) {
  return l == Layer ? GetCornerY2(e) : 0;
}
Coord TPCBObject::GetCornerX3OnLayer(qv::LayerId l, Coord e) {
  return l == Layer ? GetCornerX3(e) : 0;
}
Coord TPCBObject::GetCornerY3OnLayer(qv::LayerId l, Coord e) {
  return l == Layer ? GetCornerY3(e) : 0;
}
Coord TPCBObject::GetCornerX4OnLayer(qv::LayerId l, Coord e) {
  return l == Layer ? GetCornerX4(e) : 0;
}
Coord TPCBObject::GetCornerY4OnLayer(qv::LayerId l, Coord e) {
  return l == Layer ? GetCornerY4(e) : 0;
}
Coord TPCBObject::GetXOnLayer(qv::LayerId l) {
  return l == Layer ? GetX() : 0;
}
Coord TPCBObject::GetYOnLayer(qv::LayerId l) {
  return l == Layer ? GetY() : 0;
}
Coord TPCBObject::GetX2OnLayer(qv::LayerId l) {
  return l == Layer ? GetX2() : 0;
}
Coord TPCBObject::GetY2OnLayer(qv::LayerId l) {
  return l == Layer ? GetY2() : 0;
}

void TPCBObject::SetHandle(ObjectHandle value) {
  Handle = value;
}
void TPCBObject::SetObjectId(qv::ObjectId value) {
  ObjectId = value;
}
void TPCBObject::SetX(Coord value) {
  X = value;
}
void TPCBObject::SetY(Coord value) {
  Y = value;
}
void TPCBObject::SetX2(Coord) {}
void TPCBObject::SetY2(Coord) {}
void TPCBObject::SetFlags(uint16_t value) {
  Flags = value;
}
void TPCBObject::SetCommonWord(uint16_t value) {
  CommonWord = value;
}
void TPCBObject::SetLayer(qv::LayerId value) {
  Layer = value;
}
void TPCBObject::SetCommonByte(uint8_t value) {
  CommonByte = value;
}
void TPCBObject::SetNetHandle(ObjectHandle value) {
  NetHandle = value;
}
void TPCBObject::SetComponentHandle(ObjectHandle value) {
  ComponentHandle = value;
}
void TPCBObject::SetLink1(int32_t) {}
void TPCBObject::SetLink2(int32_t) {}
void TPCBObject::SetLink3(int32_t) {}
void TPCBObject::SetTopXSize(Coord) {}
void TPCBObject::SetTopYSize(Coord) {}
void TPCBObject::SetMidXSize(Coord) {}
void TPCBObject::SetMidYSize(Coord) {}
void TPCBObject::SetBottomXSize(Coord) {}
void TPCBObject::SetBottomYSize(Coord) {}
void TPCBObject::SetHoleSize(Coord) {}
void TPCBObject::SetTopShape(uint8_t) {}
void TPCBObject::SetMidShape(uint8_t) {}
void TPCBObject::SetBottomShape(uint8_t) {}
void TPCBObject::SetName(const String255&) {}
void TPCBObject::SetRotation(double) {}
void TPCBObject::SetWidth(Coord) {}
void TPCBObject::SetShape(uint8_t) {}
void TPCBObject::SetSize(Coord) {}
void TPCBObject::SetXSize(Coord) {}
void TPCBObject::SetYSize(Coord) {}
void TPCBObject::SetLowLayer(qv::LayerId) {}
void TPCBObject::SetHighLayer(qv::LayerId) {}
void TPCBObject::SetRadius(Coord) {}
void TPCBObject::SetStartAngle(double) {}
void TPCBObject::SetEndAngle(double) {}
void TPCBObject::SetLineWidth(Coord) {}
void TPCBObject::SetFont(int32_t) {}
void TPCBObject::SetMirrored(bool) {}
void TPCBObject::SetText(const String255&) {}
void TPCBObject::SetFromLayer(qv::LayerId) {}
void TPCBObject::SetToLayer(qv::LayerId) {}

// ----- Primitives -----

Status TPcbArc::TransferRecord(QueryMode mode) {
  TransferBitFields(mode);
  return PcbApi_QueryArc(mode, Handle, &Flags, &CommonWord, &Layer, &NetHandle, &CommonByte,
                         &ComponentHandle, &X, &Y, &Radius, &StartAngle, &EndAngle, &LineWidth,
                         &Link1);
}

Status TPcbPad::TransferRecord(QueryMode mode) {
  TransferBitFields(mode);
  const Status s = PcbApi_QueryPad(
      mode, Handle, &Flags, &CommonWord, &Layer, &NetHandle, &CommonByte, &ComponentHandle, &X, &Y,
      &TopXSize, &TopYSize, &MidXSize, &MidYSize, &BottomXSize, &BottomYSize, &HoleSize, &TopShape,
      &MidShape, &BottomShape, &Name, &PadByte1, &PadByte2, &Rotation);
  if (s != 0) return s;
  PcbApi_QueryPadStackMode(mode, Handle, &StackMode);
  if (StackMode != LayerByLayerStack) return 0;
  for (unsigned l = TopLayer; l <= BottomLayer; ++l) {
    const auto layer = static_cast<qv::LayerId>(l);
    if (mode == qmGet) {
      PcbApi_QueryPadOrViaShapeOnLayer(Handle, layer, &ShapeOnLayer[l]);
      PcbApi_QueryPadOrViaSizeOnLayer(Handle, layer, &XSizeOnLayer[l], &YSizeOnLayer[l]);
    } else {
      PcbApi_SetPadShapeOnLayer(Handle, layer, ShapeOnLayer[l]);
      PcbApi_SetPadSizeOnLayer(Handle, layer, XSizeOnLayer[l], YSizeOnLayer[l]);
    }
  }
  return 0;
}

Coord TPcbPad::GetXSizeOnLayer(qv::LayerId l) {
  if (l > MaxLayer) return 0;
  const Status s = PcbApi_QueryPadOrViaSizeOnLayer(Handle, l, &XSizeOnLayer[l], &YSizeOnLayer[l]);
  return s == 0 ? XSizeOnLayer[l] : 0;
}

Coord TPcbPad::GetYSizeOnLayer(qv::LayerId l) {
  if (l > MaxLayer) return 0;
  const Status s = PcbApi_QueryPadOrViaSizeOnLayer(Handle, l, &XSizeOnLayer[l], &YSizeOnLayer[l]);
  return s == 0 ? YSizeOnLayer[l] : 0;
}

uint8_t TPcbPad::GetShapeOnLayer(qv::LayerId l) {
  if (l > MaxLayer) return 0;
  const Status s = PcbApi_QueryPadOrViaShapeOnLayer(Handle, l, &ShapeOnLayer[l]);
  return s == 0 ? ShapeOnLayer[l] : 0;
}

Coord TPcbPad::GetWidthOnLayer(qv::LayerId l) {
  const Coord x = GetXSizeOnLayer(l);
  const Coord y = GetYSizeOnLayer(l);
  return y > x ? x : y;
}

Coord TPcbPad::CornerOnLayer(int index, qv::LayerId l, Coord expansion) {
  const int32_t w = Wrap(int64_t{GetXSizeOnLayer(l)} + 2 * int64_t{expansion});
  const int32_t h = Wrap(int64_t{GetYSizeOnLayer(l)} + 2 * int64_t{expansion});
  // Without height the direction of the corners is undefined; they lie on the horizontal line
  // through the pad's location, as for any flat rectangle.
  if (h == 0) return RoundToCoord(FlatCorner(index, X, Y, w));
  const long double halfW = w / 2.0L, halfH = h / 2.0L;
  const double r = RoundToDouble(std::sqrt(halfW * halfW + halfH * halfH));
  const long double a = std::atan(static_cast<long double>(w) / h);
  const double turn = DegreesToRadians(-Rotation);
  const double q = DegreesToRadians(90 - Rotation);
  return RoundToCoord(TurnedCorner(index, X, Y, r, a + turn, q - a));
}
Coord TPcbPad::GetCornerX1OnLayer(qv::LayerId l, Coord e) {
  return CornerOnLayer(0, l, e);
}
Coord TPcbPad::GetCornerY1OnLayer(qv::LayerId l, Coord e) {
  return CornerOnLayer(1, l, e);
}
Coord TPcbPad::GetCornerX2OnLayer(qv::LayerId l, Coord e) {
  return CornerOnLayer(2, l, e);
}
Coord TPcbPad::GetCornerY2OnLayer(qv::LayerId l, Coord e) {
  return CornerOnLayer(3, l, e);
}
Coord TPcbPad::GetCornerX3OnLayer(qv::LayerId l, Coord e) {
  return CornerOnLayer(4, l, e);
}
Coord TPcbPad::GetCornerY3OnLayer(qv::LayerId l, Coord e) {
  return CornerOnLayer(5, l, e);
}
Coord TPcbPad::GetCornerX4OnLayer(qv::LayerId l, Coord e) {
  return CornerOnLayer(6, l, e);
}
Coord TPcbPad::GetCornerY4OnLayer(qv::LayerId l, Coord e) {
  return CornerOnLayer(7, l, e);
}

// Indexes 0 to 3: first X, first Y, second X, second Y.
Coord TPcbPad::CentreLineOnLayer(int index, qv::LayerId l) {
  const Coord b = GetXSizeOnLayer(l) / 2;
  const Coord c = GetYSizeOnLayer(l) / 2;
  if (b == c) return index % 2 == 0 ? X : Y;
  long double dx, dy;  // from the location to the second point
  if (b > c) {
    const long double k = int64_t{b} - c;
    const long double t = DegreesToRadians(Rotation);
    dx = std::cos(t) * k;
    dy = std::sin(t) * k;
  } else {
    const long double k = int64_t{c} - b;
    const long double u = DegreesToRadians(90 - Rotation);
    dx = std::cos(u) * k;
    dy = -(std::sin(u) * k);
  }
  switch (index) {
    case 0:
      return RoundToCoord(X - dx);
    case 1:
      return RoundToCoord(Y - dy);
    case 2:
      return RoundToCoord(X + dx);
    default:
      return RoundToCoord(Y + dy);
  }
}
Coord TPcbPad::GetXOnLayer(qv::LayerId l) {
  return CentreLineOnLayer(0, l);
}
Coord TPcbPad::GetYOnLayer(qv::LayerId l) {
  return CentreLineOnLayer(1, l);
}
Coord TPcbPad::GetX2OnLayer(qv::LayerId l) {
  return CentreLineOnLayer(2, l);
}
Coord TPcbPad::GetY2OnLayer(qv::LayerId l) {
  return CentreLineOnLayer(3, l);
}

Status TPcbVia::TransferRecord(QueryMode mode) {
  TransferBitFields(mode);
  return PcbApi_QueryVia(mode, Handle, &Flags, &CommonWord, &Layer, &NetHandle, &CommonByte,
                         &ComponentHandle, &X, &Y, &Size, &HoleSize, &LowLayer, &HighLayer);
}

Coord TPcbVia::GetSizeOnLayer(qv::LayerId l) {
  Coord xSize = 0, ySize = 0;  // an unbound query writes nothing: answer 0
  return PcbApi_QueryPadOrViaSizeOnLayer(Handle, l, &xSize, &ySize) == 0 ? xSize : 0;
}

uint8_t TPcbVia::GetShapeOnLayer(qv::LayerId l) {
  uint8_t shape = 0;
  return PcbApi_QueryPadOrViaShapeOnLayer(Handle, l, &shape) == 0 ? shape : 0;
}

Status TPcbTrack::TransferRecord(QueryMode mode) {
  TransferBitFields(mode);
  return PcbApi_QueryTrack(mode, Handle, &Flags, &CommonWord, &Layer, &NetHandle, &CommonByte,
                           &ComponentHandle, &X, &Y, &X2, &Y2, &Width, &Link1, &Link2, &Link3);
}

Status TPcbText::TransferRecord(QueryMode mode) {
  TransferBitFields(mode);
  return PcbApi_QueryText(mode, Handle, &Flags, &CommonWord, &Layer, &NetHandle, &CommonByte,
                          &ComponentHandle, &X, &Y, &Size, &Font, &Rotation, &Mirrored, &Text,
                          &LineWidth, &Link2, &Link3);
}

Status TPcbFill::TransferRecord(QueryMode mode) {
  TransferBitFields(mode);
  return PcbApi_QueryFill(mode, Handle, &Flags, &CommonWord, &Layer, &NetHandle, &CommonByte,
                          &ComponentHandle, &X, &Y, &X2, &Y2, &Link1, &Rotation);
}

// ----- Component -----

Status TPcbComponent::TransferRecord(QueryMode mode) {
  TransferBitFields(mode);
  PcbApi_QueryComponentChannelOffset(mode, Handle, &ChannelOffset);
  PcbApi_QueryComponentKind(mode, Handle, &ComponentKind);
  const Status s = PcbApi_QueryComponent(
      mode, Handle, &Flags, &CommonWord, &Layer, &CommonByte, &NameHandle, &CommentHandle, &Pattern,
      &ComponentByte1, &ComponentByte2, &X, &Y, &ComponentValue, &Rotation, &ComponentByte3);
  PcbApi_QueryComponentEx(mode, Handle, &ExValue1, &ExByte1, &ExByte2, &ExValue2);
  PcbApi_QueryComponentSourceLinks(mode, Handle, &SourceLinks[0], &SourceLinks[1], &SourceLinks[2],
                                   &SourceLinks[3], &SourceLinks[4], &SourceLinks[5],
                                   &SourceLinks[6]);
  return s;
}

void TPcbComponent::GetName(String255& name) {
  GetObjectTextFromHandle(NameHandle, name);
}

// ----- Coordinates, dimensions and polygons -----

Status TPcbCoordinate::TransferRecord(QueryMode mode) {
  TransferBitFields(mode);
  auto& f = CoordinateField;
  return PcbApi_QueryCoordinate(mode, Handle, &Flags, &CommonWord, &CommonByte, &X, &Y, &Layer,
                                &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]);
}

Status TPcbDimension::TransferRecord(QueryMode mode) {
  TransferBitFields(mode);
  auto& d = DimValue;
  Status s = PcbApi_QueryDimension(mode, Handle, &Flags, &CommonWord, &CommonByte, &X, &Y, &d[0],
                                   &d[1], &Layer, &d[2], &d[3], &d[4], &d[5], &d[6], &DimValue8);
  s &= PcbApi_QueryExtDimension(mode, Handle, &ExtValue1, &ExtValue2, &ExtValue3, &ExtValue4,
                                &ExtValue5, &ExtValue6, &ExtValue7, &ExtValue8, &ExtValue9,
                                &ExtValue10, &ExtValue11, &ExtValue12, &ExtValue13, &ExtValue14,
                                &ExtValue15, &ExtValue16, &ExtValue17, &ExtValue18, &ExtValue19);
  PcbApi_References_Count(Handle, &ReferenceCount);
  // The record holds MaxReferences entries; references past them are not exchanged.
  const int32_t count = ReferenceCount < MaxReferences ? ReferenceCount : MaxReferences;
  for (int32_t i = 0; i < count; ++i) {
    TDimensionReference& r = References[i];
    PcbApi_References_At(mode, Handle, i, &r.RefValue1, &r.RefValue2, &r.RefValue3, &r.RefValue4);
  }
  return s;
}

Status TPcbPolygon::TransferRecord(QueryMode mode) {
  TransferBitFields(mode);
  return PcbApi_QueryPolygon(mode, Handle, &Flags, &CommonWord, &Layer, &NetHandle, &CommonByte,
                             &PolygonField2, &PolygonField3, &PolygonField4, &PolygonField5,
                             &PolygonField6, &PolygonField10, &PolygonField11, &PolygonField7,
                             &PolygonField1, &PolygonField8, &PolygonField9);
}

// ----- Nets, classes, rules and from-tos -----

Status TPcbNet::TransferRecord(QueryMode mode) {
  TransferBitFields(mode);
  return PcbApi_QueryNet(mode, Handle, &CommonWord, &Name, &NetByte1, &NetByte2);
}

Status TPCBObjectClass::TransferRecord(QueryMode mode) {
  TransferBitFields(mode);
  PcbApi_QueryClass(mode, Handle, &CommonWord, &ClassByte1, &ClassByte2, &Name);
  Status s = 0;
  if (mode != qmSet && mode != qmUpdate) {
    // 1 means no member at the index; any other failure ends the list as well, so that a
    // failing editor cannot keep the loop going for ever.
    for (int32_t i = 0;; ++i) {
      String255 member;
      s = PcbApi_GetMemberFromClassAt(Handle, i, &member);
      if (s != 0) break;
      Members.emplace_back(member.View());
    }
    return s;
  }
  s = PcbApi_RemoveAllMembersFromClass(Handle);
  for (const std::string& member : Members) {
    String255 name;
    name.Assign(member);  // at most 255 characters
    s = PcbApi_AddMemberToClass(Handle, &name);
  }
  return s;
}

Status TPcbRule::TransferRecord(QueryMode mode) {
  TransferBitFields(mode);
  auto& b = RuleByte;
  auto& t = RuleText1;
  auto& v = RuleValue;
  auto& u = RuleText2;
  return PcbApi_QueryRule(mode, Handle, &b[0], &b[1], &b[2], &b[3], &b[4], &b[5], &b[6], &t[0],
                          &t[1], &t[2], &t[3], &RuleField12, &RuleField13, &v[0], &v[1], &v[2],
                          &v[3], &u[0], &u[1], &u[2], &u[3], &u[4], &u[5]);
}

Status TPcbFromTo::TransferRecord(QueryMode mode) {
  TransferBitFields(mode);
  return PcbApi_QueryFromTo(mode, Handle, &CommonWord, &X, &Y, &FromLayer, &X2, &Y2, &ToLayer,
                            &NetHandle);
}

Status TPcbManualFromTo::TransferRecord(QueryMode mode) {
  TransferBitFields(mode);
  return PcbApi_QueryManualFromTo(mode, Handle, &CommonWord, &ManualField1, &ManualField2,
                                  &ManualField3, &ManualField4);
}

// ----- Object factory and object texts -----

namespace {
std::unique_ptr<TPCBObject> NewWrapper(ObjectId kind, ObjectHandle handle) {
  switch (kind) {
    case ArcObject:
      return std::make_unique<TPcbArc>(handle);
    case PadObject:
      return std::make_unique<TPcbPad>(handle);
    case ViaObject:
      return std::make_unique<TPcbVia>(handle);
    case TrackObject:
      return std::make_unique<TPcbTrack>(handle);
    case TextObject:
      return std::make_unique<TPcbText>(handle);
    case FillObject:
      return std::make_unique<TPcbFill>(handle);
    case FromToObject:
      return std::make_unique<TPcbFromTo>(handle);
    case NetObject:
      return std::make_unique<TPcbNet>(handle);
    case ComponentObject:
      return std::make_unique<TPcbComponent>(handle);
    case PolygonObject:
      return std::make_unique<TPcbPolygon>(handle);
    case DimensionObject:
      return std::make_unique<TPcbDimension>(handle);
    case CoordinateObject:
      return std::make_unique<TPcbCoordinate>(handle);
    case ClassObject:
      return std::make_unique<TPCBObjectClass>(handle);
    case RuleObject:
      return std::make_unique<TPcbRule>(handle);
    case ManualFromToObject:
      return std::make_unique<TPcbManualFromTo>(handle);
    case BoardOutlineObject:
      return std::make_unique<TPcbBoardOutline>(handle);
    default:
      return nullptr;
  }
}
}  // namespace

std::unique_ptr<TPCBObject> PcbObjectFromHandle(ObjectHandle handle) {
  std::unique_ptr<TPCBObject> wrapper =
      NewWrapper(PcbApi_GetObjectIdFromObjectHandle(handle), handle);
  if (wrapper != nullptr) wrapper->TransferRecord(qmGet);
  return wrapper;
}

void GetObjectTextFromHandle(ObjectHandle handle, String255& text) {
  text = String255{};
  if (handle == 0) return;
  if (std::unique_ptr<TPCBObject> wrapper = PcbObjectFromHandle(handle)) wrapper->GetText(text);
}

// ----- Layers -----

TLayerObject::TLayerObject(ObjectHandle board, qv::LayerId layer)
    : BoardHandle(board), LayerId(layer) {
  Name.Assign(LayerName(layer));
  DielectricMaterial.Assign("FR-4");
}

Status TLayerObject::TransferDielectric(QueryMode mode) {
  return PcbApi_QueryLayerDielectric(mode, LayerId, BoardHandle, &DielectricMaterial,
                                     &DielectricType, &DielectricConstant, &DielectricHeight);
}

Status TLayerObject::TransferRecord(QueryMode mode) {
  const Status s =
      PcbApi_QueryLayer(mode, LayerId, BoardHandle, &Name, &CopperThickness, &LayerByte1,
                        &LayerByte2, &PreviousLayer, &NextLayer, &LayerByte3);
  TransferDielectric(mode);
  return s;
}

TInternalPlane::TInternalPlane(ObjectHandle board, qv::LayerId layer) : TLayerObject(board, layer) {
  NetName.Assign("(No Net)");
}

Status TInternalPlane::TransferRecord(QueryMode mode) {
  const Status s =
      PcbApi_QueryInternalPlane(mode, LayerId, BoardHandle, &Name, &CopperThickness, &LayerByte1,
                                &LayerByte2, &PreviousLayer, &NextLayer, &NetName);
  TransferDielectric(mode);
  return s;
}

// ----- Board -----

TPcbBoard::TPcbBoard(ObjectHandle handle) : Handle(handle) {
  for (unsigned l = TopLayer; l <= MaxLayer; ++l) {
    const auto layer = static_cast<qv::LayerId>(l);
    if (PlaneLayers.Contains(layer))
      Layers[l] = std::make_unique<TInternalPlane>(Handle, layer);
    else
      Layers[l] = std::make_unique<TLayerObject>(Handle, layer);
  }
  TopDielectric.Material.Assign("FR-4");
  BottomDielectric.Material.Assign("FR-4");
}

TPcbBoard::~TPcbBoard() {
  for (auto& pair : LayerPairs) pair.reset();
  LayerPairs.clear();
  for (auto& layer : Layers) layer.reset();
}

Status TPcbBoard::TransferRecord(QueryMode mode) {
  const Status s = TransferBoardData(mode);
  TransferLayerInfo(mode);
  for (unsigned l = TopLayer; l <= MaxLayer; ++l) Layers[l]->TransferRecord(mode);
  TransferGrids(mode);
  TransferOutputOptions(mode);
  TransferGerberOptions(mode);
  TransferPrinterOptions(mode);
  TransferPlacerOptions(mode);
  TransferChangeOrderOptions(mode);
  TransferLayerPairs(mode);
  TransferExternalDielectrics(mode);
  return s;
}

Status TPcbBoard::TransferBoardData(QueryMode mode) {
  return PcbApi_QueryBoard(mode, Handle, &BoardValue1, &FileName, &IsLibrary, &BoardValue2,
                           &BoardValue3, &BoardValue4, &BoardValue5, &BoardByte1, &BoardByte2,
                           &BoardValue6);
}

void TPcbBoard::TransferLayerInfo(QueryMode mode) {
  for (unsigned l = TopLayer; l <= MaxLayer; ++l) {
    uint8_t scratch = 0;  // the two byte answers are not kept
    PcbApi_QueryBoardLayerInfo(mode, Handle, static_cast<qv::LayerId>(l), &LayerInfo[l], &scratch,
                               &scratch);
  }
}

void TPcbBoard::TransferGrids(QueryMode mode) {
  PcbApi_QueryBoardGridsEx(mode, Handle, &GridByte1, &GridByte2, &GridByte3, &GridByte4,
                           &GridValue1, &GridValue2, &GridValue3, &GridValue4, &GridInteger1,
                           &GridByte5, &GridValue5, &GridValue6, &GridValue7, &GridValue8);
  GridMirror2 = GridValue7;
  GridMirror1 = GridValue3;
}

void TPcbBoard::TransferOutputOptions(QueryMode mode) {
  auto& b = OutputByte;
  PcbApi_QueryBoardOutputOptions(mode, Handle, &OutputValue1, &OutputValue2, &b[0], &b[1], &b[2],
                                 &b[3], &b[4], &b[5], &b[6], &b[7], &b[8], &b[9], &b[10], &b[11],
                                 &b[12], &b[13], &b[14], &b[15], &b[16], &b[17], &b[18], &b[19],
                                 &b[20], &b[21]);
  // The index runs past the last LayerId; it travels in the byte of a LayerId.
  for (int i = 1; i <= OutputLayerIndexes; ++i)
    PcbApi_QueryBoardOutputOptionsPlotLayers(mode, Handle, static_cast<qv::LayerId>(i),
                                             &PlotLayer[i]);
  for (int i = 1; i <= OutputLayerIndexes; ++i)
    PcbApi_QueryBoardOutputOptionsFlipLayers(mode, Handle, static_cast<qv::LayerId>(i),
                                             &FlipLayer[i]);
}

void TPcbBoard::TransferGerberOptions(QueryMode mode) {
  auto& b = GerberByte;
  auto& v = GerberValue;
  PcbApi_QueryBoardGerberOptions(mode, Handle, &b[0], &b[1], &b[2], &b[3], &b[4], &b[5], &b[6],
                                 &v[0], &v[1], &v[2], &v[3], &v[4], &GerberText, &v[5], &b[7],
                                 &b[8], &v[6], &v[7]);
}

void TPcbBoard::TransferPrinterOptions(QueryMode mode) {
  auto& b = PrinterByte;
  PcbApi_QueryBoardPrinterOptions(
      mode, Handle, &PrinterText[0], &PrinterText[1], &PrinterText[2], &b[0], &b[1], &b[2], &b[3],
      &b[4], &b[5], &PrinterValue1, &PrinterValue2, &PrinterValue3, &PrinterValue4, &PrinterField,
      &b[6], &b[7], &PrinterValue5, &PrinterValue6, &PrinterValue7, &PrinterValue8, &PrinterValue9,
      &b[8], &b[9], &b[10], &b[11], &b[12]);
  for (int32_t pen = 1; pen <= PlotterPens; ++pen)
    PcbApi_QueryBoardPrinterOptionsPlotterPen(mode, Handle, pen, &PenValueA[pen], &PenValueB[pen]);
  for (unsigned l = TopLayer; l <= MaxLayer; ++l)
    PcbApi_QueryBoardPrinterOptionsCompositeLayer(mode, Handle, static_cast<qv::LayerId>(l),
                                                  &CompositeA[l], &CompositeB[l], &CompositeC[l],
                                                  &CompositeD[l]);
}

void TPcbBoard::TransferPlacerOptions(QueryMode mode) {
  PcbApi_QueryBoardAdvancedPlacerOptions(mode, Handle, &PlacerText1, &PlacerText2, &PlacerByte[0],
                                         &PlacerByte[1], &PlacerByte[2], &PlacerByte[3]);
}

void TPcbBoard::TransferChangeOrderOptions(QueryMode mode) {
  PcbApi_QueryBoardEngineeringChangeOrderOptions(mode, Handle, &EcoByte, &EcoText);
}

void TPcbBoard::TransferLayerPairs(QueryMode mode) {
  if (mode == qmGet) {
    LayerPairs.clear();
    int32_t count = 0;
    if (PcbApi_QueryBoardLayerPairsCount(Handle, &count) != 0) count = 0;
    for (int32_t i = 0; i < count; ++i) {
      auto pair = std::make_unique<TPcblayerPair>();
      PcbApi_QueryBoardLayerPairAt(qmGet, Handle, i, &pair->PairLayer1, &pair->PairLayer2,
                                   &pair->PairByteB, &pair->PairByteA);
      NameLayerPair(*pair);
      LayerPairs.push_back(std::move(pair));
    }
    return;
  }
  for (std::size_t i = 0; i < LayerPairs.size(); ++i) {
    TPcblayerPair& pair = *LayerPairs[i];
    PcbApi_QueryBoardLayerPairAt(mode, Handle, static_cast<int32_t>(i), &pair.PairLayer1,
                                 &pair.PairLayer2, &pair.PairByteB, &pair.PairByteA);
  }
}

void TPcbBoard::TransferExternalDielectrics(QueryMode mode) {
  PcbApi_QueryBoardExternalDielectrics(mode, Handle, &TopDielectric.Material, &TopDielectric.Type,
                                       &TopDielectric.Constant, &TopDielectric.Height,
                                       &BottomDielectric.Material, &BottomDielectric.Type,
                                       &BottomDielectric.Constant, &BottomDielectric.Height);
}

Status TPcbBoard::AddObject(ObjectHandle handle) {
  if (handle == 0) return 1;
  return PcbApi_AddObjectToContainer(Handle, handle);
}

TLayerObject* TPcbBoard::LayerObject(qv::LayerId layer) const {
  return layer >= TopLayer && layer <= MaxLayer ? Layers[layer].get() : nullptr;
}

TLayerObject* TPcbBoard::FirstLayerInStack() const {
  for (unsigned l = TopLayer; l <= MaxLayer; ++l)
    if (Layers[l]->PreviousLayer == 0) return Layers[l].get();
  return nullptr;
}

TLayerObject* TPcbBoard::NextLayerInStack(const TLayerObject& layer) const {
  return layer.NextLayer == 0 ? nullptr : LayerObject(layer.NextLayer);
}

int32_t TPcbBoard::StackPosition(const LayerSet& set, const TLayerObject& layer) const {
  if (!set.Contains(layer.LayerId)) return 0;
  int32_t count = 0;
  // A layer met a second time ends the walk like the end of the chain, so that a stack whose
  // links run in a circle cannot hold the caller forever.
  LayerSet seen;
  for (const TLayerObject* visited = FirstLayerInStack();
       visited != nullptr && !seen.Contains(visited->LayerId);
       visited = NextLayerInStack(*visited)) {
    seen.Include(visited->LayerId);
    if (set.Contains(visited->LayerId)) ++count;
    if (visited == &layer) break;
  }
  return count;
}

void TPcbBoard::NameLayerPair(TPcblayerPair& pair) const {
  const LayerSet stack = SignalLayers | PlaneLayers;
  // A pair may name a LayerId without a description (NoLayer, or one past the last layer): it
  // then has the table's name, or none, and no place in the stack.
  auto describe = [&](qv::LayerId id, int32_t& position) -> std::string {
    const TLayerObject* layer = LayerObject(id);
    position = layer != nullptr ? StackPosition(stack, *layer) : 0;
    return std::string(layer != nullptr ? layer->Name.View() : LayerName(id));
  };
  int32_t p1 = 0, p2 = 0;
  const std::string n1 = describe(pair.PairLayer1, p1);
  const std::string n2 = describe(pair.PairLayer2, p2);
  pair.Name.Assign(p1 <= p2 ? n1 + " - " + n2 : n2 + " - " + n1);
}

void IterateBoardObjects(const TPcbBoard& board, const std::function<void(ObjectHandle)>& callback,
                         ObjectSet objects, const LayerSet& layers, uint8_t iterationMethod) {
  for (unsigned kind = 0; kind <= 20; ++kind) {
    if (!Contains(objects, static_cast<qv::ObjectId>(kind))) continue;
    for (unsigned l = 0; l <= MaxLayer; ++l) {
      if (!layers.Contains(static_cast<qv::LayerId>(l))) continue;
      const ObjectHandle iterator =
          PcbApi_CreateIterator(board.Handle, static_cast<qv::ObjectId>(kind), iterationMethod,
                                static_cast<qv::LayerId>(l));
      for (ObjectHandle h = PcbApi_GetFirstObject(iterator); h != 0;
           h = PcbApi_GetNextObject(iterator))
        callback(h);
      PcbApi_DestroyIterator(iterator);
    }
  }
}

}  // namespace qv
