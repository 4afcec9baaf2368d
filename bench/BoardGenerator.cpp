#include "bench/BoardGenerator.h"

#include <algorithm>
#include <random>
#include <string>

namespace qvbench {

int64_t CopiedPrimitives(const BoardShape& shape) {
  int footprints = std::min(shape.Footprints, shape.Components);
  return static_cast<int64_t>(footprints) * shape.PrimitivesPerFootprint;
}

namespace {

void Append(std::string& out, const char* format, auto... values) {
  char line[512];
  int n = std::snprintf(line, sizeof line, format, values...);
  out.append(line, static_cast<std::size_t>(n));
}

// One primitive of the footprint, in the component's own frame: kinds cycle through arc, pad,
// via, track, text and fill.
void AppendPrimitive(std::string& out, int index) {
  int x = (index % 20) * 500000 - 5000000;
  int y = (index / 20) * 500000 - 5000000;
  switch (index % 6) {
    case 0:
      Append(out, "  arc Layer=33 X=%d Y=%d Radius=200000 StartAngle=0 EndAngle=180 "
             "LineWidth=50000\n", x, y);
      break;
    case 1:
      Append(out, "  pad Layer=74 X=%d Y=%d TopXSize=600000 TopYSize=400000 MidXSize=600000 "
             "MidYSize=400000 BottomXSize=600000 BottomYSize=400000 HoleSize=300000 TopShape=2 "
             "MidShape=1 BottomShape=1 Name=\"%d\" Rotation=90\n", x, y, index);
      break;
    case 2:
      Append(out, "  via Layer=74 X=%d Y=%d Size=500000 HoleSize=280000 LowLayer=1 "
             "HighLayer=32\n", x, y);
      break;
    case 3:
      Append(out, "  track Layer=1 X=%d Y=%d X2=%d Y2=%d Width=100000\n", x, y, x + 400000, y);
      break;
    case 4:
      Append(out, "  text Layer=33 X=%d Y=%d Size=400000 Text=\"T%d\" LineWidth=60000\n", x, y,
             index);
      break;
    default:
      Append(out, "  fill Layer=35 X=%d Y=%d X2=%d Y2=%d Rotation=30\n", x, y, x + 300000,
             y + 200000);
      break;
  }
}

}  // namespace

std::string GenerateBoard(const BoardShape& shape) {
  std::mt19937 random(shape.Seed);
  std::uniform_real_distribution<double> share(0.0, 1.0);
  std::string out = "QuorvelPcb 1 board\nboard BoardValue1=1\n";
  out.reserve(static_cast<std::size_t>(shape.Components) *
              static_cast<std::size_t>(shape.PrimitivesPerFootprint + 2) * 120);
  for (int c = 0; c < shape.Components; ++c) {
    int footprint = c % std::max(shape.Footprints, 1);
    bool flipped = share(random) < shape.FlippedShare;
    bool rotated = share(random) < shape.RotatedShare;
    double rotation = rotated ? 15.0 + 30.0 * static_cast<double>(c % 11) : 0.0;
    Append(out, "component Layer=%d X=%d Y=%d Rotation=%.17g Pattern=\"FP%d\"\n",
           flipped ? 32 : 1, (c % 100) * 20000000, (c / 100) * 20000000, rotation, footprint);
    for (int p = 0; p < shape.PrimitivesPerFootprint; ++p) AppendPrimitive(out, p);
    out += "end\n";
  }
  return out;
}

}  // namespace qvbench
