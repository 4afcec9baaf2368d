// quorvel-boardgen: writes a synthetic board document of a given size.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

#include "bench/BoardGenerator.h"

namespace {

constexpr std::string_view Usage =
    "Usage: quorvel-boardgen [options] FILE.PcbDoc\n"
    "\n"
    "Writes a synthetic board document: components whose footprints each hold the same number\n"
    "of primitives (arcs, pads, vias, tracks, texts and fills in turn), some of them flipped to\n"
    "the bottom side and some turned.\n"
    "\n"
    "Options:\n"
    "  --components N    placed components (default 100)\n"
    "  --footprints N    distinct footprint names (default 50)\n"
    "  --primitives N    primitives per footprint (default 20)\n"
    "  --flipped SHARE   share of components on the bottom side, 0 to 1 (default 0.25)\n"
    "  --rotated SHARE   share of components turned, 0 to 1 (default 0.5)\n"
    "  --seed N          random seed (default 1)\n"
    "  --help            show this text\n";

bool ParseInt(const char* text, int& out) {
  char* end = nullptr;
  long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < 0 || v > 100000000) return false;
  out = static_cast<int>(v);
  return true;
}

bool ParseShare(const char* text, double& out) {
  char* end = nullptr;
  double v = std::strtod(text, &end);
  if (end == text || *end != '\0' || !(v >= 0.0 && v <= 1.0)) return false;
  out = v;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  qvbench::BoardShape shape;
  std::string file;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg == "--help") {
      std::fwrite(Usage.data(), 1, Usage.size(), stdout);
      return 0;
    }
    bool takesValue = arg.starts_with("--");
    if (takesValue && i + 1 >= argc) {
      std::fprintf(stderr, "quorvel-boardgen: option %s needs a value\n", argv[i]);
      return 1;
    }
    int seed = 0;
    bool ok = true;
    if (arg == "--components") ok = ParseInt(argv[++i], shape.Components);
    else if (arg == "--footprints") ok = ParseInt(argv[++i], shape.Footprints);
    else if (arg == "--primitives") ok = ParseInt(argv[++i], shape.PrimitivesPerFootprint);
    else if (arg == "--flipped") ok = ParseShare(argv[++i], shape.FlippedShare);
    else if (arg == "--rotated") ok = ParseShare(argv[++i], shape.RotatedShare);
    else if (arg == "--seed") ok = ParseInt(argv[++i], seed), shape.Seed = static_cast<uint32_t>(seed);
    else if (takesValue) {
      std::fprintf(stderr, "quorvel-boardgen: unknown option %s\n\n%.*s", argv[i],
                   static_cast<int>(Usage.size()), Usage.data());
      return 1;
    } else if (file.empty()) file = argv[i];
    else {
      std::fprintf(stderr, "quorvel-boardgen: more than one file named\n");
      return 1;
    }
    if (!ok) {
      std::fprintf(stderr, "quorvel-boardgen: bad value for %s: %s\n", argv[i - 1], argv[i]);
      return 1;
    }
  }
  if (file.empty()) {
    std::fprintf(stderr, "quorvel-boardgen: no file named\n\n%.*s", static_cast<int>(Usage.size()),
                 Usage.data());
    return 1;
  }
  std::string text = qvbench::GenerateBoard(shape);
  std::ofstream out(file, std::ios::binary);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "quorvel-boardgen: cannot write %s\n", file.c_str());
    return 2;
  }
  std::printf("%s: %d components, %lld primitives copied by BuildPCBLibrary\n", file.c_str(),
              shape.Components, static_cast<long long>(qvbench::CopiedPrimitives(shape)));
  return 0;
}
