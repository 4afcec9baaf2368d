#include "host/editor/Records.h"

namespace gorvath {

bool IsKnownKind(ObjectId kind) {
  return (kind >= 1 && kind <= 15) || kind == kBoardOutline;
}
bool IsPrimitiveKind(ObjectId kind) {
  return kind >= 1 && kind <= 6;
}

std::string_view KindKeyword(ObjectId kind) {
  switch (kind) {
    case kArc:
      return "arc";
    case kPad:
      return "pad";
    case kVia:
      return "via";
    case kTrack:
      return "track";
    case kText:
      return "text";
    case kFill:
      return "fill";
    case kFromTo:
      return "fromto";
    case kNet:
      return "net";
    case kComponent:
      return "component";
    case kPolygon:
      return "polygon";
    case kDimension:
      return "dimension";
    case kCoordinate:
      return "coordinate";
    case kClass:
      return "class";
    case kRule:
      return "rule";
    case kManualFromTo:
      return "manualfromto";
    case kBoardOutline:
      return "boardoutline";
    default:
      return {};
  }
}

std::string LayerName(LayerId layer) {
  static constexpr std::string_view fixed[] = {"BottomLayer", "TopOverlay",  "BottomOverlay",
                                               "TopPaste",    "BottomPaste", "TopSolder",
                                               "BottomSolder"};  // 32 to 38
  static constexpr std::string_view tail[] = {"DrillGuide",
                                              "KeepOutLayer",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "",
                                              "DrillDrawing",
                                              "MultiLayer",
                                              "ConnectLayer",
                                              "BackGroundLayer",
                                              "DRCErrorLayer",
                                              "HighlightLayer",
                                              "GridColor1",
                                              "GridColor10",
                                              "PadHoleLayer",
                                              "ViaHoleLayer"};  // 55 to 82
  if (layer == 0) return "NoLayer";
  if (layer == 1) return "TopLayer";
  if (layer <= 31) return "MidLayer" + std::to_string(layer - 1);
  if (layer <= 38) return std::string(fixed[layer - 32]);
  if (layer <= 54) return "InternalPlane" + std::to_string(layer - 38);
  if (layer >= 57 && layer <= 72) return "Mechanical" + std::to_string(layer - 56);
  if (layer <= kLastLayer) return std::string(tail[layer - 55]);
  return {};
}

LayerRecord DefaultLayerRecord(LayerId layer) {
  LayerRecord r;
  r.Name.value = LayerName(layer);
  if (layer >= 39 && layer <= 54) r.NetName.value = "(No Net)";
  if (layer == kTopLayer) r.NextLayer = kBottomLayer;
  if (layer == kBottomLayer) r.PreviousLayer = kTopLayer;
  return r;
}

BoardRecord DefaultBoardRecord() {
  BoardRecord b;
  for (int layer = 0; layer < kLayerCount; ++layer)
    b.Layers[layer] = DefaultLayerRecord(static_cast<LayerId>(layer));
  b.LayerPairs.push_back(LayerPairRecord{});
  return b;
}

}  // namespace gorvath
