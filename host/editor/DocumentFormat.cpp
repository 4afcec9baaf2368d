#include "host/editor/DocumentFormat.h"

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <span>
#include <system_error>
#include <type_traits>
#include <unordered_map>

namespace gorvath {

namespace {

// ---- Field lists: every record's fields under their names in the file ----

constexpr std::string_view kSourceLinks[] = {"SourceLink1", "SourceLink2", "SourceLink3",
                                             "SourceLink4", "SourceLink5", "SourceLink6",
                                             "SourceLink7"};
constexpr std::string_view kCoordinateFields[] = {"CoordinateField1", "CoordinateField2",
                                                  "CoordinateField3", "CoordinateField4",
                                                  "CoordinateField5", "CoordinateField6"};
constexpr std::string_view kDimValues[] = {"DimValue1", "DimValue2", "DimValue3", "DimValue4",
                                           "DimValue5", "DimValue6", "DimValue7"};
constexpr std::string_view kRuleBytes1[] = {"RuleField1", "RuleField2", "RuleField3", "RuleField4",
                                            "RuleField5", "RuleField6", "RuleField7"};
constexpr std::string_view kRuleTexts1[] = {"RuleField8", "RuleField9", "RuleField10",
                                            "RuleField11"};
constexpr std::string_view kRuleValues[] = {"RuleField14", "RuleField15", "RuleField16",
                                            "RuleField17"};
constexpr std::string_view kRuleTexts2[] = {"RuleField18", "RuleField19", "RuleField20",
                                            "RuleField21", "RuleField22", "RuleField23"};
constexpr std::string_view kOutputBytes[] = {
    "OutputByte1",  "OutputByte2",  "OutputByte3",  "OutputByte4",  "OutputByte5",  "OutputByte6",
    "OutputByte7",  "OutputByte8",  "OutputByte9",  "OutputByte10", "OutputByte11", "OutputByte12",
    "OutputByte13", "OutputByte14", "OutputByte15", "OutputByte16", "OutputByte17", "OutputByte18",
    "OutputByte19", "OutputByte20", "OutputByte21", "OutputByte22"};
constexpr std::string_view kGerberBytes[] = {"GerberByte1", "GerberByte2", "GerberByte3",
                                             "GerberByte4", "GerberByte5", "GerberByte6",
                                             "GerberByte7"};
constexpr std::string_view kGerberValues[] = {"GerberValue1", "GerberValue2", "GerberValue3",
                                              "GerberValue4", "GerberValue5"};
constexpr std::string_view kPrinterBytes1[] = {"PrinterByte1", "PrinterByte2", "PrinterByte3",
                                               "PrinterByte4", "PrinterByte5", "PrinterByte6"};
constexpr std::string_view kPrinterBytes2[] = {"PrinterByte9", "PrinterByte10", "PrinterByte11",
                                               "PrinterByte12", "PrinterByte13"};
constexpr std::string_view kPlacerBytes[] = {"PlacerByte1", "PlacerByte2", "PlacerByte3",
                                             "PlacerByte4"};

template <class R, class A, class V>
void Each(V& v, std::span<const std::string_view> names, A R::*member) {
  for (std::size_t i = 0; i < names.size(); ++i) v(names[i], member, i);
}

template <class V>
void Fields(CommonRecord*, V& v) {
  using R = CommonRecord;
  v("Flags", &R::Flags), v("CommonWord", &R::CommonWord), v("Layer", &R::Layer);
  v("CommonByte", &R::CommonByte), v("BitField2", &R::BitField2);
  v("BitField3", &R::BitField3), v("X", &R::X), v("Y", &R::Y);
}
template <class V>
void Fields(ArcRecord*, V& v) {
  using R = ArcRecord;
  v("Radius", &R::Radius), v("StartAngle", &R::StartAngle), v("EndAngle", &R::EndAngle);
  v("LineWidth", &R::LineWidth), v("Link1", &R::Link1);
}
template <class V>
void Fields(PadRecord*, V& v) {
  using R = PadRecord;
  v("TopXSize", &R::TopXSize), v("TopYSize", &R::TopYSize), v("MidXSize", &R::MidXSize);
  v("MidYSize", &R::MidYSize), v("BottomXSize", &R::BottomXSize);
  v("BottomYSize", &R::BottomYSize), v("HoleSize", &R::HoleSize), v("TopShape", &R::TopShape);
  v("MidShape", &R::MidShape), v("BottomShape", &R::BottomShape), v("Name", &R::Name);
  v("PadByte1", &R::PadByte1), v("PadByte2", &R::PadByte2), v("Rotation", &R::Rotation);
  v("StackMode", &R::StackMode);
}
template <class V>
void Fields(PadLayer*, V& v) {
  using R = PadLayer;
  v("Layer", &R::Layer), v("XSize", &R::XSize), v("YSize", &R::YSize), v("Shape", &R::Shape);
}
template <class V>
void Fields(ViaRecord*, V& v) {
  using R = ViaRecord;
  v("Size", &R::Size), v("HoleSize", &R::HoleSize), v("LowLayer", &R::LowLayer);
  v("HighLayer", &R::HighLayer);
}
template <class V>
void Fields(TrackRecord*, V& v) {
  using R = TrackRecord;
  v("X2", &R::X2), v("Y2", &R::Y2), v("Width", &R::Width), v("Link1", &R::Link1);
  v("Link2", &R::Link2), v("Link3", &R::Link3);
}
template <class V>
void Fields(TextRecord*, V& v) {
  using R = TextRecord;
  v("Size", &R::Size), v("Font", &R::Font), v("Rotation", &R::Rotation);
  v("Mirrored", &R::Mirrored), v("Text", &R::String), v("LineWidth", &R::LineWidth);
  v("Link2", &R::Link2), v("Link3", &R::Link3);
}
template <class V>
void Fields(FillRecord*, V& v) {
  using R = FillRecord;
  v("X2", &R::X2), v("Y2", &R::Y2), v("Link1", &R::Link1), v("Rotation", &R::Rotation);
}
template <class V>
void Fields(ComponentRecord*, V& v) {
  using R = ComponentRecord;
  v("ChannelOffset", &R::ChannelOffset), v("ComponentKind", &R::ComponentKind);
  v("Pattern", &R::Pattern), v("ComponentByte1", &R::ComponentByte1);
  v("ComponentByte2", &R::ComponentByte2), v("ComponentValue", &R::ComponentValue);
  v("Rotation", &R::Rotation), v("ComponentByte3", &R::ComponentByte3);
  v("ExValue1", &R::ExValue1), v("ExByte1", &R::ExByte1), v("ExByte2", &R::ExByte2);
  v("ExValue2", &R::ExValue2);
  Each<R>(v, kSourceLinks, &R::SourceLinks);
}
template <class V>
void Fields(CoordinateRecord*, V& v) {
  Each<CoordinateRecord>(v, kCoordinateFields, &CoordinateRecord::Values);
}
template <class V>
void Fields(DimensionRecord*, V& v) {
  using R = DimensionRecord;
  Each<R>(v, kDimValues, &R::DimValues);
  v("DimValue8", &R::DimValue8), v("ExtValue1", &R::Ext1), v("ExtValue2", &R::Ext2);
  v("ExtValue3", &R::Ext3), v("ExtValue4", &R::Ext4), v("ExtValue5", &R::Ext5);
  v("ExtValue6", &R::Ext6), v("ExtValue7", &R::Ext7), v("ExtValue8", &R::Ext8);
  v("ExtValue9", &R::Ext9), v("ExtValue10", &R::Ext10), v("ExtValue11", &R::Ext11);
  v("ExtValue12", &R::Ext12), v("ExtValue13", &R::Ext13), v("ExtValue14", &R::Ext14);
  v("ExtValue15", &R::Ext15), v("ExtValue16", &R::Ext16), v("ExtValue17", &R::Ext17);
  v("ExtValue18", &R::Ext18), v("ExtValue19", &R::Ext19);
}
template <class V>
void Fields(PolygonRecord*, V& v) {
  using R = PolygonRecord;
  v("PolygonField1", &R::Field1), v("PolygonField2", &R::Field2);
  v("PolygonField3", &R::Field3), v("PolygonField4", &R::Field4);
  v("PolygonField5", &R::Field5), v("PolygonField6", &R::Field6);
  v("PolygonField7", &R::Field7), v("PolygonField8", &R::Field8);
  v("PolygonField9", &R::Field9), v("PolygonField10", &R::Field10);
  v("PolygonField11", &R::Field11);
}
template <class V>
void Fields(FromToRecord*, V& v) {
  using R = FromToRecord;
  v("X2", &R::X2), v("Y2", &R::Y2), v("FromLayer", &R::FromLayer), v("ToLayer", &R::ToLayer);
}
template <class V>
void Fields(ManualFromToRecord*, V& v) {
  using R = ManualFromToRecord;
  v("ManualField1", &R::Field1), v("ManualField2", &R::Field2);
  v("ManualField3", &R::Field3), v("ManualField4", &R::Field4);
}
template <class V>
void Fields(NetRecord*, V& v) {
  using R = NetRecord;
  v("Name", &R::Name), v("NetByte1", &R::NetByte1), v("NetByte2", &R::NetByte2);
}
template <class V>
void Fields(ClassRecord*, V& v) {
  using R = ClassRecord;
  v("ClassByte1", &R::ClassByte1), v("ClassByte2", &R::ClassByte2), v("Name", &R::Name);
}
template <class V>
void Fields(RuleRecord*, V& v) {
  using R = RuleRecord;
  Each<R>(v, kRuleBytes1, &R::Bytes1);
  Each<R>(v, kRuleTexts1, &R::Texts1);
  v("RuleField12", &R::Field12), v("RuleField13", &R::Field13);
  Each<R>(v, kRuleValues, &R::Values);
  Each<R>(v, kRuleTexts2, &R::Texts2);
}
template <class V>
void Fields(LayerRecord*, V& v) {
  using R = LayerRecord;
  v("Name", &R::Name), v("CopperThickness", &R::CopperThickness);
  v("LayerByte1", &R::LayerByte1), v("LayerByte2", &R::LayerByte2);
  v("PreviousLayer", &R::PreviousLayer), v("NextLayer", &R::NextLayer);
  v("LayerByte3", &R::LayerByte3), v("NetName", &R::NetName);
  v("DielectricMaterial", &R::DielectricMaterial), v("DielectricType", &R::DielectricType);
  v("DielectricConstant", &R::DielectricConstant), v("DielectricHeight", &R::DielectricHeight);
  v("LayerInfo", &R::LayerInfo), v("InfoByte1", &R::InfoByte1), v("InfoByte2", &R::InfoByte2);
}
template <class V>
void Fields(Dielectric*, V& v) {
  using R = Dielectric;
  v("Material", &R::Material), v("Type", &R::Type), v("Constant", &R::Constant);
  v("Height", &R::Height);
}
template <class V>
void Fields(LayerPairRecord*, V& v) {
  using R = LayerPairRecord;
  v("Layer1", &R::Layer1), v("Layer2", &R::Layer2), v("ByteA", &R::ByteA);
  v("ByteB", &R::ByteB);
}
template <class V>
void Fields(BoardMainRecord*, V& v) {
  using R = BoardMainRecord;
  v("BoardValue1", &R::BoardValue1), v("BoardValue2", &R::BoardValue2);
  v("BoardValue3", &R::BoardValue3), v("BoardValue4", &R::BoardValue4);
  v("BoardValue5", &R::BoardValue5), v("BoardByte1", &R::BoardByte1);
  v("BoardByte2", &R::BoardByte2), v("BoardValue6", &R::BoardValue6);
}
template <class V>
void Fields(GridsRecord*, V& v) {
  using R = GridsRecord;
  v("GridByte1", &R::GridByte1), v("GridByte2", &R::GridByte2);
  v("GridByte3", &R::GridByte3), v("GridByte4", &R::GridByte4);
  v("GridValue1", &R::GridValue1), v("GridValue2", &R::GridValue2);
  v("GridValue3", &R::GridValue3), v("GridValue4", &R::GridValue4);
  v("GridInteger1", &R::GridInteger1), v("GridByte5", &R::GridByte5);
  v("GridValue5", &R::GridValue5), v("GridValue6", &R::GridValue6);
  v("GridValue7", &R::GridValue7), v("GridValue8", &R::GridValue8);
}
template <class V>
void Fields(OutputRecord*, V& v) {
  using R = OutputRecord;
  v("OutputValue1", &R::OutputValue1), v("OutputValue2", &R::OutputValue2);
  Each<R>(v, kOutputBytes, &R::Bytes);
}
template <class V>
void Fields(PlotRecord*, V& v) {
  v("PlotLayer", &PlotRecord::PlotLayer), v("FlipLayer", &PlotRecord::FlipLayer);
}
template <class V>
void Fields(GerberRecord*, V& v) {
  using R = GerberRecord;
  Each<R>(v, kGerberBytes, &R::Bytes);
  Each<R>(v, kGerberValues, &R::Values);
  v("GerberText", &R::GerberText), v("GerberValue6", &R::GerberValue6);
  v("GerberByte8", &R::GerberByte8), v("GerberByte9", &R::GerberByte9);
  v("GerberValue7", &R::GerberValue7), v("GerberValue8", &R::GerberValue8);
}
template <class V>
void Fields(PrinterRecord*, V& v) {
  using R = PrinterRecord;
  v("PrinterText1", &R::PrinterText1), v("PrinterText2", &R::PrinterText2);
  v("PrinterText3", &R::PrinterText3);
  Each<R>(v, kPrinterBytes1, &R::Bytes1);
  v("PrinterValue1", &R::PrinterValue1), v("PrinterValue2", &R::PrinterValue2);
  v("PrinterValue3", &R::PrinterValue3), v("PrinterValue4", &R::PrinterValue4);
  v("PrinterField", &R::PrinterField), v("PrinterByte7", &R::PrinterByte7);
  v("PrinterByte8", &R::PrinterByte8), v("PrinterValue5", &R::PrinterValue5);
  v("PrinterValue6", &R::PrinterValue6), v("PrinterValue7", &R::PrinterValue7);
  v("PrinterValue8", &R::PrinterValue8), v("PrinterValue9", &R::PrinterValue9);
  Each<R>(v, kPrinterBytes2, &R::Bytes2);
}
template <class V>
void Fields(PenRecord*, V& v) {
  v("PenValueA", &PenRecord::PenValueA), v("PenValueB", &PenRecord::PenValueB);
}
template <class V>
void Fields(CompositeRecord*, V& v) {
  using R = CompositeRecord;
  v("CompositeA", &R::CompositeA), v("CompositeB", &R::CompositeB);
  v("CompositeC", &R::CompositeC), v("CompositeD", &R::CompositeD);
}
template <class V>
void Fields(PlacerRecord*, V& v) {
  using R = PlacerRecord;
  v("PlacerText1", &R::PlacerText1), v("PlacerText2", &R::PlacerText2);
  Each<R>(v, kPlacerBytes, &R::Bytes);
}
template <class V>
void Fields(EcoRecord*, V& v) {
  v("EcoByte", &EcoRecord::EcoByte), v("EcoText", &EcoRecord::EcoText);
}

// ---- Values ----

template <class T>
struct IsText : std::false_type {};
template <std::size_t N>
struct IsText<Text<N>> : std::true_type {};


template <class T>
void PutValue(std::string& out, const T& value) {
  if constexpr (IsText<T>::value) {
    PutText(out, value.value);
  } else if constexpr (std::is_same_v<T, Bytes<kPrinterFieldSize>>) {
    static constexpr char hex[] = "0123456789abcdef";
    for (uint8_t b : value) {
      out += hex[b >> 4];
      out += hex[b & 15];
    }
  } else {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, ec == std::errc() ? end : buffer);
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Parses a quoted text; false with `error` set when it is malformed.
bool ParseText(std::string_view in, std::string& out, std::string& error) {
  if (in.size() < 2 || in.front() != '"' || in.back() != '"') {
    error = "a text must be written in double quotes";
    return false;
  }
  in = in.substr(1, in.size() - 2);
  out.clear();
  for (std::size_t i = 0; i < in.size(); ++i) {
    char c = in[i];
    if (c != '\\') {
      out += c;
      continue;
    }
    if (i + 1 >= in.size()) {
      error = "a text ends with a lone backslash";
      return false;
    }
    char e = in[++i];
    if (e == '\\' || e == '"') {
      out += e;
    } else if (e == 'x' && i + 2 < in.size() + 0 && HexDigit(in[i + 1]) >= 0 &&
               HexDigit(in[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(in[i + 1]) * 16 + HexDigit(in[i + 2]));
      i += 2;
    } else {
      error = "unknown escape \\" + std::string(1, e) + " in a text";
      return false;
    }
  }
  return true;
}

template <class T>
bool ParseValue(std::string_view in, T& value, std::string& error) {
  if constexpr (IsText<T>::value) {
    std::string s;
    if (!ParseText(in, s, error)) return false;
    if (s.size() > T::capacity) {
      error = "a text of " + std::to_string(s.size()) + " characters where at most " +
              std::to_string(T::capacity) + " fit";
      return false;
    }
    value.value = std::move(s);
    return true;
  } else if constexpr (std::is_same_v<T, Bytes<kPrinterFieldSize>>) {
    if (in.size() != 2 * value.size()) {
      error = "expected " + std::to_string(2 * value.size()) + " hexadecimal digits";
      return false;
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
      int hi = HexDigit(in[2 * i]), lo = HexDigit(in[2 * i + 1]);
      if (hi < 0 || lo < 0) {
        error = "expected hexadecimal digits";
        return false;
      }
      value[i] = static_cast<uint8_t>(hi * 16 + lo);
    }
    return true;
  } else if constexpr (std::is_floating_point_v<T>) {
    auto [end, ec] = std::from_chars(in.data(), in.data() + in.size(), value);
    if (ec != std::errc() || end != in.data() + in.size() || in.empty()) {
      error = "'" + std::string(in) + "' is not a number";
      return false;
    }
    return true;
  } else {
    int64_t v = 0;
    auto [end, ec] = std::from_chars(in.data(), in.data() + in.size(), v);
    if (ec != std::errc() || end != in.data() + in.size() || in.empty()) {
      error = "'" + std::string(in) + "' is not a whole number";
      return false;
    }
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) {
      error = std::string(in) + " is out of range (" +
              std::to_string(int64_t(std::numeric_limits<T>::min())) + " to " +
              std::to_string(int64_t(std::numeric_limits<T>::max())) + ")";
      return false;
    }
    value = static_cast<T>(v);
    return true;
  }
}

// Writes the fields of `rec` that differ from `def`.
template <class R>
struct FieldWriter {
  const R& rec;
  const R& def;
  std::string& out;
  template <class T>
  void operator()(std::string_view name, T R::*m) {
    Put(name, rec.*m, def.*m);
  }
  template <class A>
  void operator()(std::string_view name, A R::*m, std::size_t i) {
    Put(name, (rec.*m)[i], (def.*m)[i]);
  }
  template <class T>
  void Put(std::string_view name, const T& v, const T& d) {
    if (v == d) return;
    out += ' ';
    out += name;
    out += '=';
    PutValue(out, v);
  }
};

template <class R>
void WriteFields(std::string& out, const R& rec, const R& def) {
  FieldWriter<R> w{rec, def, out};
  Fields(static_cast<R*>(nullptr), w);
}

// Finds a field by name and parses its value into `rec`.
template <class R>
struct FieldReader {
  R& rec;
  std::string_view name;
  std::string_view value;
  std::string& error;
  bool found = false;
  bool ok = true;
  template <class T>
  void operator()(std::string_view n, T R::*m) {
    if (!found && n == name) Take(rec.*m);
  }
  template <class A>
  void operator()(std::string_view n, A R::*m, std::size_t i) {
    if (!found && n == name) Take((rec.*m)[i]);
  }
  template <class T>
  void Take(T& target) {
    found = true;
    ok = ParseValue(value, target, error);
  }
};

// A record line's fields: Name=Value, the value a quoted text or a run of non-blank characters.
struct Token {
  std::string_view name, value;
};

bool Tokenize(std::string_view line, std::string_view& keyword, std::vector<Token>& tokens,
              std::string& error) {
  tokens.clear();
  std::size_t i = 0, n = line.size();
  auto skip = [&] {
    while (i < n && (line[i] == ' ' || line[i] == '\t')) ++i;
  };
  skip();
  std::size_t start = i;
  while (i < n && line[i] != ' ' && line[i] != '\t') ++i;
  keyword = line.substr(start, i - start);
  while (true) {
    skip();
    if (i >= n) return true;
    start = i;
    while (i < n && line[i] != '=' && line[i] != ' ' && line[i] != '\t') ++i;
    if (i >= n || line[i] != '=' || i == start) {
      error = "expected Name=Value, found '" + std::string(line.substr(start, i - start)) + "'";
      return false;
    }
    std::string_view name = line.substr(start, i - start);
    ++i;
    std::size_t vstart = i;
    if (i < n && line[i] == '"') {
      ++i;
      while (i < n && line[i] != '"') i += line[i] == '\\' ? 2 : 1;
      if (i >= n) {
        error = "text of field " + std::string(name) + " is not closed";
        return false;
      }
      ++i;
    } else {
      while (i < n && line[i] != ' ' && line[i] != '\t') ++i;
    }
    if (i < n && line[i] != ' ' && line[i] != '\t') {
      error = "a blank must follow the value of field " + std::string(name);
      return false;
    }
    tokens.push_back({name, line.substr(vstart, i - vstart)});
  }
}

CommonRecord DefaultCommon(ObjectId kind) {
  CommonRecord c;
  if (kind == kPad || kind == kVia) c.Layer = kMultiLayer;
  if (kind == kNet || kind == kClass || kind == kRule || kind == kManualFromTo || kind == kFromTo)
    c.Layer = kNoLayer;
  return c;
}

// ---- Writing ----

class Writer {
 public:
  explicit Writer(const Document& doc) : doc_(doc) {}

  std::string Run() {
    out_ += kFormatName;
    out_ += ' ';
    out_ += std::to_string(kFormatVersion);
    out_ += doc_.IsLibrary() ? " library\n" : " board\n";
    Board();
    int ordinal = 0;
    for (const gorvath::Object* o : doc_.Objects())
      if (o->kind == kNet) netOrdinals_[o->handle] = ++ordinal;
    for (const gorvath::Object* o : doc_.Objects())
      if (o->kind == kNet) WriteObject(*o, "");
    for (const gorvath::Object* o : doc_.Objects())
      if (o->kind != kNet) WriteObject(*o, "");
    return std::move(out_);
  }

 private:
  template <class R>
  void Line(std::string_view keyword, const R& rec, const R& def, std::string_view lead = {}) {
    if (rec == def) return;  // a sub-record at its defaults is left out
    out_ += keyword;
    out_ += lead;
    WriteFields(out_, rec, def);
    out_ += '\n';
  }

  void Board() {
    const BoardRecord& b = doc_.board;
    static const BoardRecord def = DefaultBoardRecord();
    Line("board", b.Main, def.Main);
    for (int id = 1; id < kLayerCount; ++id) {
      LayerRecord d = DefaultLayerRecord(static_cast<LayerId>(id));
      if (b.Layers[id] == d) continue;
      out_ += "layer Id=" + std::to_string(id);
      WriteFields(out_, b.Layers[id], d);
      out_ += '\n';
    }
    Line("grids", b.Grids, def.Grids);
    Line("output", b.Output, def.Output);
    Indexed("plot", b.Plot, PlotRecord{});
    Line("gerber", b.Gerber, def.Gerber);
    Line("printer", b.Printer, def.Printer);
    Indexed("pen", b.Pens, PenRecord{});
    Indexed("composite", b.Composites, CompositeRecord{});
    Line("placer", b.Placer, def.Placer);
    Line("eco", b.Eco, def.Eco);
    if (b.LayerPairs != def.LayerPairs) {
      out_ += "layerpairs\n";
      for (const LayerPairRecord& p : b.LayerPairs) {
        out_ += "layerpair";
        WriteFields(out_, p, LayerPairRecord{});
        out_ += '\n';
      }
    }
    Line("topdielectric", b.TopDielectric, def.TopDielectric);
    Line("bottomdielectric", b.BottomDielectric, def.BottomDielectric);
  }

  template <class R, std::size_t N>
  void Indexed(std::string_view keyword, const std::array<R, N>& entries, const R& def) {
    for (std::size_t id = 1; id < entries.size(); ++id) {
      if (entries[id] == def) continue;
      out_ += keyword;
      out_ += " Id=" + std::to_string(id);
      WriteFields(out_, entries[id], def);
      out_ += '\n';
    }
  }

  void Net(const gorvath::Object& o) {
    if (!o.net) return;
    auto it = netOrdinals_.find(o.net);
    if (it != netOrdinals_.end()) out_ += " Net=" + std::to_string(it->second);
  }

  template <class R>
  void Record(const gorvath::Object& o, const R& rec, std::string_view indent) {
    out_ += indent;
    out_ += KindKeyword(o.kind);
    WriteFields(out_, o.common, DefaultCommon(o.kind));
    WriteFields(out_, rec, R{});
    Net(o);
  }

  void WriteObject(const gorvath::Object& o, std::string_view indent) {
    switch (o.kind) {
      case kArc:
        Record(o, static_cast<const ArcObject&>(o).rec, indent);
        break;
      case kPad: {
        const auto& pad = static_cast<const PadObject&>(o);
        Record(o, pad.rec, indent);
        for (const PadLayer& e : pad.rec.Stack) {
          out_ += '\n';
          out_ += indent;
          out_ += "padlayer";
          WriteFields(out_, e, PadLayer{});
        }
        break;
      }
      case kVia:
        Record(o, static_cast<const ViaObject&>(o).rec, indent);
        break;
      case kTrack:
        Record(o, static_cast<const TrackObject&>(o).rec, indent);
        break;
      case kText:
        Record(o, static_cast<const TextObject&>(o).rec, indent);
        break;
      case kFill:
        Record(o, static_cast<const FillObject&>(o).rec, indent);
        break;
      case kFromTo:
        Record(o, static_cast<const FromToObject&>(o).rec, indent);
        break;
      case kNet:
        Record(o, static_cast<const NetObject&>(o).rec, indent);
        break;
      case kPolygon:
      case kBoardOutline:
        Record(o, static_cast<const PolygonObject&>(o).rec, indent);
        break;
      case kCoordinate:
        Record(o, static_cast<const CoordinateObject&>(o).rec, indent);
        break;
      case kManualFromTo:
        Record(o, static_cast<const ManualFromToObject&>(o).rec, indent);
        break;
      case kRule:
        Record(o, static_cast<const RuleObject&>(o).rec, indent);
        break;
      case kDimension: {
        const auto& d = static_cast<const DimensionObject&>(o);
        Record(o, d.rec, indent);
        for (const auto& r : d.rec.References) {
          out_ += "\nreference";
          for (int i = 0; i < 4; ++i)
            if (r[i] != 0) out_ += " Value" + std::to_string(i + 1) + "=" + std::to_string(r[i]);
        }
        break;
      }
      case kClass: {
        const auto& c = static_cast<const ClassObject&>(o);
        Record(o, c.rec, indent);
        for (const std::string& m : c.rec.Members) {
          out_ += "\nmember Name=";
          PutText(out_, m);
        }
        break;
      }
      case kComponent: {
        const auto& c = static_cast<const ComponentObject&>(o);
        Record(o, c.rec, indent);
        const auto& texts = c.primitives[kText];
        for (std::size_t i = 0; i < texts.size(); ++i)
          if (texts[i]->handle == c.nameText) out_ += " NameText=" + std::to_string(i + 1);
        for (std::size_t i = 0; i < texts.size(); ++i)
          if (texts[i]->handle == c.commentText) out_ += " CommentText=" + std::to_string(i + 1);
        out_ += '\n';
        for (const auto& list : c.primitives)
          for (const gorvath::Object* p : list) WriteObject(*p, "  ");
        out_ += "end";
        break;
      }
      default:
        return;
    }
    out_ += '\n';
  }

  const Document& doc_;
  std::string out_;
  std::unordered_map<ObjectHandle, int> netOrdinals_;
};

// ---- Reading ----

class Reader {
 public:
  Reader(Editor& editor, const std::string& fileName) : editor_(editor), fileName_(fileName) {}

  Document* Run(std::string_view text, std::string& error) {
    DocumentKind kind = KindOfFileName(fileName_);
    if (kind == DocumentKind::Unknown) {
      error = fileName_ + ": not a document file name (expected .PcbDoc or .PcbLib)";
      return nullptr;
    }
    doc_ = &editor_.CreateDocument(fileName_, kind == DocumentKind::Library);
    if (!Parse(text)) {
      error = fileName_ + ":" + std::to_string(line_) + ": " + error_;
      editor_.CloseDocument(*doc_);
      for (gorvath::Object* o : loose_) editor_.Destroy(*o);
      return nullptr;
    }
    doc_->UpdateLayerStack();
    auto footprints = doc_->Footprints();
    doc_->SetCurrentFootprint(footprints.empty() ? nullptr : footprints.front());
    doc_->changes = 0;
    return doc_;
  }

 private:
  bool Fail(std::string message) {
    error_ = std::move(message);
    return false;
  }

  bool Parse(std::string_view text) {
    std::size_t pos = 0;
    bool header = false;
    std::vector<Token> tokens;
    while (pos < text.size() || !header) {
      std::size_t end = text.find('\n', pos);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(pos, end - pos);
      pos = end + 1;
      ++line_;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (!header) {
        if (!Header(line)) return false;
        header = true;
        continue;
      }
      // A line whose first non-blank character is "#" is a comment, whatever follows.
      if (std::size_t first = line.find_first_not_of(" \t");
          first == std::string_view::npos || line[first] == '#')
        continue;
      std::string_view keyword;
      if (!Tokenize(line, keyword, tokens, error_)) return false;
      if (keyword.empty()) continue;
      if (!Line(keyword, tokens)) return false;
    }
    if (component_) {
      line_ = componentLine_;
      return Fail("component is not closed by 'end'");
    }
    return CheckStack();
  }

  bool Header(std::string_view line) {
    std::string expected = std::string(kFormatName) + " " + std::to_string(kFormatVersion) +
                           (doc_->IsLibrary() ? " library" : " board");
    if (line.substr(0, kFormatName.size() + 1) != std::string(kFormatName) + " ")
      return Fail("not a document of this editor (the first line must be '" + expected + "')");
    std::string_view rest = line.substr(kFormatName.size() + 1);
    int version = 0;
    auto [p, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), version);
    if (ec != std::errc()) return Fail("the first line must be '" + expected + "'");
    if (version > kFormatVersion || version < 1)
      return Fail("format version " + std::to_string(version) + " is not supported (this " +
                  "editor reads version " + std::to_string(kFormatVersion) + ")");
    std::string_view kind(p, rest.data() + rest.size() - p);
    std::string_view want = doc_->IsLibrary() ? " library" : " board";
    if (kind != want)
      return Fail("the document kind '" + std::string(kind.empty() ? kind : kind.substr(1)) +
                  "' does not match the file name, which asks for '" + std::string(want.substr(1)) +
                  "'");
    return true;
  }

  template <class R>
  bool Apply(R& rec, const Token& t, bool& found) {
    FieldReader<R> r{rec, t.name, t.value, error_};
    Fields(static_cast<R*>(nullptr), r);
    found = r.found;
    if (r.found && !r.ok) error_ = "field " + std::string(t.name) + ": " + error_;
    return r.ok;
  }

  // Applies every token to the first record that knows it; `extra` handles the others.
  template <class... R>
  bool ApplyAll(std::string_view keyword, const std::vector<Token>& tokens, auto&& extra,
                R&... recs) {
    for (const Token& t : tokens) {
      bool found = false;
      bool ok = true;
      ((found || (ok = ok && Apply(recs, t, found))), ...);
      if (!ok) return false;
      if (found) continue;
      if (!extra(t)) {
        if (error_.empty())
          error_ = "unknown field " + std::string(t.name) + " for '" + std::string(keyword) + "'";
        return false;
      }
    }
    return true;
  }

  static constexpr auto kNoExtra = [](const Token&) { return false; };

  bool Id(const std::vector<Token>& tokens, int limit, int& id) {
    if (tokens.empty() || tokens.front().name != "Id") return Fail("the first field must be Id");
    if (!ParseValue(tokens.front().value, id, error_)) return false;
    if (id < 1 || id >= limit)
      return Fail("Id " + std::to_string(id) + " is out of range (1 to " +
                  std::to_string(limit - 1) + ")");
    return true;
  }

  template <class R, std::size_t N>
  bool IndexedLine(std::string_view keyword, const std::vector<Token>& tokens,
                   std::array<R, N>& entries) {
    int id = 0;
    if (!Id(tokens, static_cast<int>(entries.size()), id)) return false;
    std::vector<Token> rest(tokens.begin() + 1, tokens.end());
    return ApplyAll(keyword, rest, kNoExtra, entries[id]);
  }

  bool ValidLayer(LayerId layer, std::string_view what) {
    if (layer <= kLastLayer) return true;
    return Fail(std::string(what) + " " + std::to_string(layer) + " is not a layer (0 to 82)");
  }

  bool Line(std::string_view keyword, const std::vector<Token>& tokens) {
    BoardRecord& b = doc_->board;
    error_.clear();
    if (keyword == "board") return ApplyAll(keyword, tokens, kNoExtra, b.Main);
    if (keyword == "layer") {
      int id = 0;
      if (!Id(tokens, kLayerCount, id)) return false;
      layerLines_[id] = line_;
      std::vector<Token> rest(tokens.begin() + 1, tokens.end());
      return ApplyAll(keyword, rest, kNoExtra, b.Layers[id]);
    }
    if (keyword == "grids") return ApplyAll(keyword, tokens, kNoExtra, b.Grids);
    if (keyword == "output") return ApplyAll(keyword, tokens, kNoExtra, b.Output);
    if (keyword == "plot") return IndexedLine(keyword, tokens, b.Plot);
    if (keyword == "gerber") return ApplyAll(keyword, tokens, kNoExtra, b.Gerber);
    if (keyword == "printer") return ApplyAll(keyword, tokens, kNoExtra, b.Printer);
    if (keyword == "pen") return IndexedLine(keyword, tokens, b.Pens);
    if (keyword == "composite") return IndexedLine(keyword, tokens, b.Composites);
    if (keyword == "placer") return ApplyAll(keyword, tokens, kNoExtra, b.Placer);
    if (keyword == "eco") return ApplyAll(keyword, tokens, kNoExtra, b.Eco);
    if (keyword == "topdielectric") return ApplyAll(keyword, tokens, kNoExtra, b.TopDielectric);
    if (keyword == "bottomdielectric")
      return ApplyAll(keyword, tokens, kNoExtra, b.BottomDielectric);
    if (keyword == "layerpairs" || keyword == "layerpair") {
      if (!pairsGiven_) b.LayerPairs.clear();
      pairsGiven_ = true;
      if (keyword == "layerpairs") return ApplyAll(keyword, tokens, kNoExtra);
      LayerPairRecord p;
      if (!ApplyAll(keyword, tokens, kNoExtra, p)) return false;
      if (!ValidLayer(p.Layer1, "Layer1") || !ValidLayer(p.Layer2, "Layer2")) return false;
      b.LayerPairs.push_back(p);
      return true;
    }
    if (keyword == "end") {
      if (!component_) return Fail("'end' without a component");
      if (!ResolveTexts()) return false;
      component_ = nullptr;
      return ApplyAll(keyword, tokens, kNoExtra);
    }
    if (keyword == "padlayer") {
      if (!lastPad_) return Fail("'padlayer' must follow a pad");
      PadLayer e;
      if (!ApplyAll(keyword, tokens, kNoExtra, e) || !ValidLayer(e.Layer, "Layer")) return false;
      auto& stack = lastPad_->rec.Stack;
      if (!stack.empty() && stack.back().Layer >= e.Layer)
        return Fail("pad layers must be given in increasing layer order, once each");
      stack.push_back(e);
      return true;
    }
    if (keyword == "reference") {
      if (!lastDimension_) return Fail("'reference' must follow a dimension");
      std::array<int32_t, 4> r{};
      for (const Token& t : tokens) {
        int i = t.name.size() == 6 && t.name.substr(0, 5) == "Value" ? t.name[5] - '1' : -1;
        if (i < 0 || i > 3)
          return Fail("unknown field " + std::string(t.name) + " for 'reference'");
        if (!ParseValue(t.value, r[i], error_)) return false;
      }
      if (lastDimension_->rec.References.size() >= 200)
        return Fail("a dimension holds at most 200 references");
      lastDimension_->rec.References.push_back(r);
      return true;
    }
    if (keyword == "member") {
      if (!lastClass_) return Fail("'member' must follow a class");
      Text255 name;
      if (tokens.size() != 1 || tokens[0].name != "Name")
        return Fail("'member' takes one field, Name");
      if (!ParseValue(tokens[0].value, name, error_)) return false;
      lastClass_->rec.Members.push_back(name.value);
      return true;
    }
    return ObjectLine(keyword, tokens);
  }

  template <class T>
  static auto& Rec(gorvath::Object* o) {
    return static_cast<T*>(o)->rec;
  }

  bool ObjectLine(std::string_view keyword, const std::vector<Token>& tokens) {
    ObjectId kind = 0;
    for (int k = 1; k <= kMaxKind && !kind; ++k)
      if (IsKnownKind(static_cast<ObjectId>(k)) && KindKeyword(static_cast<ObjectId>(k)) == keyword)
        kind = static_cast<ObjectId>(k);
    if (!kind) return Fail("unknown keyword '" + std::string(keyword) + "'");
    if (kind == kComponent && component_) return Fail("a component cannot hold a component");
    if (component_ && !IsPrimitiveKind(kind))
      return Fail("a component holds only arcs, pads, vias, tracks, texts and fills");
    gorvath::Object* o = editor_.CreateObject(kind);
    loose_.push_back(o);
    nameText_ = commentText_ = 0;
    auto extra = [&](const Token& t) {
      if (t.name == "Net" && kind != kNet && kind != kComponent && kind != kClass &&
          kind != kRule) {
        int n = 0;
        if (!ParseValue(t.value, n, error_)) return false;
        if (n < 1 || n > static_cast<int>(nets_.size())) {
          error_ = "Net=" + std::to_string(n) + " names no net declared before";
          return false;
        }
        o->net = nets_[n - 1];
        return true;
      }
      if (kind == kComponent && (t.name == "NameText" || t.name == "CommentText")) {
        int n = 0;
        if (!ParseValue(t.value, n, error_) || n < 1) {
          if (error_.empty()) error_ = std::string(t.name) + " must be 1 or more";
          return false;
        }
        (t.name == "NameText" ? nameText_ : commentText_) = n;
        return true;
      }
      return false;
    };
    bool ok = true;
    switch (kind) {
      case kArc:
        ok = ApplyAll(keyword, tokens, extra, o->common, Rec<ArcObject>(o));
        break;
      case kPad:
        ok = ApplyAll(keyword, tokens, extra, o->common, Rec<PadObject>(o));
        break;
      case kVia:
        ok = ApplyAll(keyword, tokens, extra, o->common, Rec<ViaObject>(o)) &&
             ValidLayer(Rec<ViaObject>(o).LowLayer, "LowLayer") &&
             ValidLayer(Rec<ViaObject>(o).HighLayer, "HighLayer");
        break;
      case kTrack:
        ok = ApplyAll(keyword, tokens, extra, o->common, Rec<TrackObject>(o));
        break;
      case kText:
        ok = ApplyAll(keyword, tokens, extra, o->common, Rec<TextObject>(o));
        break;
      case kFill:
        ok = ApplyAll(keyword, tokens, extra, o->common, Rec<FillObject>(o));
        break;
      case kFromTo:
        ok = ApplyAll(keyword, tokens, extra, o->common, Rec<FromToObject>(o)) &&
             ValidLayer(Rec<FromToObject>(o).FromLayer, "FromLayer") &&
             ValidLayer(Rec<FromToObject>(o).ToLayer, "ToLayer");
        break;
      case kNet:
        ok = ApplyAll(keyword, tokens, extra, o->common, Rec<NetObject>(o));
        break;
      case kComponent:
        ok = ApplyAll(keyword, tokens, extra, o->common, static_cast<ComponentObject*>(o)->rec);
        break;
      case kPolygon:
      case kBoardOutline:
        ok = ApplyAll(keyword, tokens, extra, o->common, Rec<PolygonObject>(o));
        break;
      case kDimension:
        ok = ApplyAll(keyword, tokens, extra, o->common, Rec<DimensionObject>(o));
        break;
      case kCoordinate:
        ok = ApplyAll(keyword, tokens, extra, o->common, Rec<CoordinateObject>(o));
        break;
      case kClass:
        ok = ApplyAll(keyword, tokens, extra, o->common, Rec<ClassObject>(o));
        break;
      case kRule:
        ok = ApplyAll(keyword, tokens, extra, o->common, Rec<RuleObject>(o));
        break;
      case kManualFromTo:
        ok = ApplyAll(keyword, tokens, extra, o->common, Rec<ManualFromToObject>(o));
        break;
      default:
        break;
    }
    if (!ok || !ValidLayer(o->common.Layer, "Layer")) return false;
    loose_.pop_back();
    lastPad_ = kind == kPad ? static_cast<PadObject*>(o) : nullptr;
    lastDimension_ = kind == kDimension ? static_cast<DimensionObject*>(o) : nullptr;
    lastClass_ = kind == kClass ? static_cast<ClassObject*>(o) : nullptr;
    if (kind == kNet) nets_.push_back(o->handle);
    if (component_) {
      // Values inside a component are in its own frame already: file them directly.
      o->owner = component_;
      o->document = doc_;
      component_->primitives[kind].push_back(o);
      return true;
    }
    doc_->Add(*o);
    if (kind == kComponent) {
      component_ = static_cast<ComponentObject*>(o);
      componentLine_ = line_;
      componentNameText_ = nameText_;
      componentCommentText_ = commentText_;
    }
    return true;
  }

  // Links a closed component's designator and comment to its texts and files its primitives.
  bool ResolveTexts() {
    const auto& texts = component_->primitives[kText];
    auto resolve = [&](int n, ObjectHandle& target, std::string_view what) {
      if (n == 0) return true;
      if (n > static_cast<int>(texts.size())) {
        line_ = componentLine_;
        return Fail(std::string(what) + "=" + std::to_string(n) + " but the component holds " +
                    std::to_string(texts.size()) + " texts");
      }
      target = texts[n - 1]->handle;
      return true;
    };
    if (!resolve(componentNameText_, component_->nameText, "NameText") ||
        !resolve(componentCommentText_, component_->commentText, "CommentText"))
      return false;
    doc_->Unindex(*component_);
    doc_->Index(*component_);
    return true;
  }

  bool CheckStack() {
    const auto& layers = doc_->board.Layers;
    for (int id = 1; id < kLayerCount; ++id) {
      const LayerRecord& l = layers[id];
      line_ = layerLines_[id] ? layerLines_[id] : 1;
      if (l.NextLayer > kLastLayer || l.PreviousLayer > kLastLayer)
        return Fail("layer " + std::to_string(id) + " links to a layer beyond 82");
      if (l.NextLayer && layers[l.NextLayer].PreviousLayer != id)
        return Fail("layer stack broken: layer " + std::to_string(id) + " is followed by " +
                    std::to_string(l.NextLayer) + ", whose PreviousLayer is " +
                    std::to_string(layers[l.NextLayer].PreviousLayer));
      if (l.PreviousLayer && layers[l.PreviousLayer].NextLayer != id)
        return Fail("layer stack broken: layer " + std::to_string(id) + " follows " +
                    std::to_string(l.PreviousLayer) + ", whose NextLayer is " +
                    std::to_string(layers[l.PreviousLayer].NextLayer));
    }
    return true;
  }

  Editor& editor_;
  const std::string& fileName_;
  Document* doc_ = nullptr;
  std::string error_;
  int line_ = 0;
  std::array<int, kLayerCount> layerLines_{};
  bool pairsGiven_ = false;
  std::vector<ObjectHandle> nets_;
  std::vector<gorvath::Object*> loose_;  // made but not yet filed, destroyed on error
  ComponentObject* component_ = nullptr;
  int componentLine_ = 0;
  int nameText_ = 0, commentText_ = 0;
  int componentNameText_ = 0, componentCommentText_ = 0;
  PadObject* lastPad_ = nullptr;
  DimensionObject* lastDimension_ = nullptr;
  ClassObject* lastClass_ = nullptr;
};

}  // namespace

DocumentKind KindOfFileName(std::string_view fileName) {
  auto ends = [&](std::string_view suffix) {
    if (fileName.size() < suffix.size()) return false;
    std::string_view tail = fileName.substr(fileName.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
      char a = tail[i], b = suffix[i];
      if (a >= 'A' && a <= 'Z') a = static_cast<char>(a + 32);
      if (b >= 'A' && b <= 'Z') b = static_cast<char>(b + 32);
      if (a != b) return false;
    }
    return true;
  };
  if (ends(".PcbDoc")) return DocumentKind::Board;
  if (ends(".PcbLib")) return DocumentKind::Library;
  return DocumentKind::Unknown;
}

void PutText(std::string& out, std::string_view text) {
  static constexpr char hex[] = "0123456789abcdef";
  out += '"';
  for (char ch : text) {
    auto c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20 || c >= 0x7f) {
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out += ch;
    }
  }
  out += '"';
}

std::string WriteDocument(const Document& document) {
  return Writer(document).Run();
}

Document* ReadDocument(Editor& editor, std::string_view text, const std::string& fileName,
                       std::string& error) {
  return Reader(editor, fileName).Run(text, error);
}

std::string EmptyLibraryText() {
  return std::string(kFormatName) + " " + std::to_string(kFormatVersion) +
         " library\ncomponent Pattern=\"PCBComponent_1\"\nend\n";
}

Document* LoadDocument(Editor& editor, const std::string& fileName, std::string& error) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) {
    error = fileName + ": cannot be opened for reading";
    return nullptr;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = fileName + ": read error";
    return nullptr;
  }
  return ReadDocument(editor, text, fileName, error);
}

bool WriteTextFile(const std::string& fileName, std::string_view text, std::string& error) {
  std::string temporary = fileName + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      error = fileName + ": cannot be written";
      return false;
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (!out) {
      error = fileName + ": write error";
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, fileName, ec);
  if (ec) {
    error = fileName + ": cannot be replaced (" + ec.message() + ")";
    std::filesystem::remove(temporary, ec);
    return false;
  }
  return true;
}

bool SaveDocument(const Document& document, const std::string& fileName, std::string& error) {
  return WriteTextFile(fileName, WriteDocument(document), error);
}

}  // namespace gorvath
