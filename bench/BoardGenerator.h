#pragma once
// Synthetic boards of any size, written in the editor's document format, for benchmarks and
// large-input runs of the stand-in host.
#include <cstdint>
#include <string>

namespace qvbench {

struct BoardShape {
  int Components = 100;          // placed components
  int Footprints = 50;           // distinct footprint names among them
  int PrimitivesPerFootprint = 20;  // primitives inside each component
  double FlippedShare = 0.25;    // share of components on the bottom side
  double RotatedShare = 0.5;     // share of components turned by an odd angle
  uint32_t Seed = 1;             // the same seed gives the same board
};

// The primitives that building the library copies: one component per footprint.
int64_t CopiedPrimitives(const BoardShape& shape);
// The text of a board document of that shape. Every kind of primitive appears in turn.
std::string GenerateBoard(const BoardShape& shape);

}  // namespace qvbench
