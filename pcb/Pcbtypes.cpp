#include "pcb/Pcbtypes.h"

#include <string>

namespace qv {

namespace {
std::array<ShortString<20>, LayerCount> MakeLayerNames() {
  std::array<ShortString<20>, LayerCount> names{};
  auto set = [&](unsigned layer, const std::string& name) { names[layer].Assign(name); };
  set(0, "NoLayer");
  set(1, "TopLayer");
  for (unsigned l = 2; l <= 31; ++l) set(l, "MidLayer" + std::to_string(l - 1));
  set(32, "BottomLayer");
  set(33, "TopOverlay");
  set(34, "BottomOverlay");
  set(35, "TopPaste");
  set(36, "BottomPaste");
  set(37, "TopSolder");
  set(38, "BottomSolder");
  for (unsigned l = 39; l <= 54; ++l) set(l, "InternalPlane" + std::to_string(l - 38));
  set(55, "DrillGuide");
  set(56, "KeepOutLayer");
  for (unsigned l = 57; l <= 72; ++l) set(l, "Mechanical" + std::to_string(l - 56));
  set(73, "DrillDrawing");
  set(74, "MultiLayer");
  set(75, "ConnectLayer");
  set(76, "BackGroundLayer");
  set(77, "DRCErrorLayer");
  set(78, "HighlightLayer");
  set(79, "GridColor1");
  set(80, "GridColor10");
  set(81, "PadHoleLayer");
  set(82, "ViaHoleLayer");
  return names;
}
}  // namespace

const std::array<ShortString<20>, LayerCount>& LayerNames() {
  static const std::array<ShortString<20>, LayerCount> names = MakeLayerNames();
  return names;
}

std::string_view LayerName(LayerId layer) {
  return layer <= MaxLayer ? LayerNames()[layer].View() : std::string_view{};
}

}  // namespace qv
