#pragma once
// The layers of a board (their fixed names and sets of them) and sets of object kinds.
#include <array>
#include <cstdint>
#include <string_view>

#include "bindings/PcbApiContract.h"

namespace qv {

constexpr LayerId NoLayer = 0;
constexpr LayerId TopLayer = 1;
constexpr LayerId BottomLayer = 32;
constexpr LayerId TopOverlay = 33;
constexpr LayerId BottomOverlay = 34;
constexpr LayerId InternalPlane1 = 39;
constexpr LayerId InternalPlane16 = 54;
constexpr LayerId MultiLayer = 74;
// The last layer; a LayerId above it names no layer.
constexpr LayerId MaxLayer = 82;
constexpr std::size_t LayerCount = MaxLayer + 1;

// The fixed layer names, indexed by LayerId: 83 length-prefixed strings of 21 bytes.
const std::array<ShortString<20>, LayerCount>& LayerNames();
// The name of a layer; empty for a LayerId above MaxLayer.
std::string_view LayerName(LayerId layer);

// A set of LayerIds: 11 bytes, bit n (from bit 0 of the first byte) standing for LayerId n.
struct LayerSet {
  std::array<uint8_t, 11> Bytes{};

  static constexpr LayerSet Range(LayerId first, LayerId last) {
    LayerSet s;
    for (unsigned l = first; l <= last; ++l) s.Include(static_cast<LayerId>(l));
    return s;
  }
  constexpr bool Contains(LayerId layer) const {
    return layer / 8u < Bytes.size() && (Bytes[layer / 8u] >> (layer % 8u) & 1u) != 0;
  }
  constexpr void Include(LayerId layer) {
    if (layer / 8u < Bytes.size()) Bytes[layer / 8u] |= static_cast<uint8_t>(1u << (layer % 8u));
  }
  friend constexpr LayerSet operator|(LayerSet a, const LayerSet& b) {
    for (std::size_t i = 0; i < a.Bytes.size(); ++i) a.Bytes[i] |= b.Bytes[i];
    return a;
  }
  friend constexpr bool operator==(const LayerSet&, const LayerSet&) = default;
};
static_assert(sizeof(LayerSet) == 11);

inline constexpr LayerSet SignalLayers = LayerSet::Range(TopLayer, BottomLayer);
inline constexpr LayerSet PlaneLayers = LayerSet::Range(InternalPlane1, InternalPlane16);
inline constexpr LayerSet AllLayers = LayerSet::Range(TopLayer, MaxLayer);

// A set of ObjectIds: 32 bits, bit n standing for ObjectId n.
using ObjectSet = uint32_t;
constexpr ObjectSet ObjectSetOf(ObjectId kind) {
  return kind < 32 ? ObjectSet{1} << kind : 0;
}
constexpr bool Contains(ObjectSet set, ObjectId kind) {
  return (set & ObjectSetOf(kind)) != 0;
}
// The set holding only components (ObjectId 9).
inline constexpr ObjectSet ComponentSet = 512;

}  // namespace qv
