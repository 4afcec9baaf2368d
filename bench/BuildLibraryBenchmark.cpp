// The whole "BuildPCBLibrary" run at three board sizes: quorvel-host on a synthetic board, timed
// around the command alone. Reports the time and the editor calls per copied primitive and the
// host's peak memory.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/BoardGenerator.h"

namespace {

namespace fs = std::filesystem;

struct Stats {
  double Seconds = 0;
  unsigned long long Calls = 0;
  unsigned long long PeakKiB = 0;
};

// Runs the host once; false (and the host's output in `failure`) when it did not succeed.
bool RunHost(const fs::path& board, Stats& stats, std::string& failure) {
  fs::path out = board.parent_path() / "host-output.txt";
  std::string command = "\"" + std::string(QUORVEL_HOST) + "\" --stats \"" + board.string() +
                        "\" >\"" + out.string() + "\" 2>&1";
  int status = std::system(command.c_str());
  std::ifstream in(out);
  std::stringstream text;
  text << in.rdbuf();
  std::string line;
  bool found = false;
  while (std::getline(text, line))
    if (std::sscanf(line.c_str(), "Stats: command %lf s, editor calls %llu, peak memory %llu KiB",
                    &stats.Seconds, &stats.Calls, &stats.PeakKiB) == 3)
      found = true;
  if (status != 0 || !found) {
    failure = text.str();
    return false;
  }
  return true;
}

void BuildLibrary(benchmark::State& state) {
  qvbench::BoardShape shape;
  shape.Footprints = static_cast<int>(state.range(0));
  shape.Components = 2 * shape.Footprints;
  shape.PrimitivesPerFootprint = 100;
  fs::path folder = fs::temp_directory_path() / ("quorvel-bench-" + std::to_string(shape.Footprints));
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::path board = folder / "Bench.PcbDoc";
  std::ofstream(board, std::ios::binary) << qvbench::GenerateBoard(shape);
  const double copied = static_cast<double>(qvbench::CopiedPrimitives(shape));

  Stats stats;
  double calls = 0, peak = 0;
  for (auto _ : state) {
    std::string failure;
    if (!RunHost(board, stats, failure)) {
      state.SkipWithError(("quorvel-host failed: " + failure).c_str());
      break;
    }
    state.SetIterationTime(stats.Seconds);
    calls = static_cast<double>(stats.Calls);
    peak = std::max(peak, static_cast<double>(stats.PeakKiB));
    // Every run writes the next free library name; start each run from the same folder.
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().extension() == ".PcbLib") fs::remove(entry.path());
  }
  state.counters["primitives"] = copied;
  // Seconds per copied primitive (shown with an SI prefix: u for microseconds).
  state.counters["time_per_primitive"] = benchmark::Counter(
      copied * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate |
                                                            benchmark::Counter::kInvert);
  state.counters["calls_per_primitive"] = calls / copied;
  state.counters["peak_MiB"] = peak / 1024.0;
  fs::remove_all(folder);
}

// 100 primitives per footprint, twice as many components as footprints (half of them share a
// footprint already built), a quarter of them on the bottom side and half of them turned.
BENCHMARK(BuildLibrary)
    ->Arg(100)     // 10,000 copied primitives
    ->Arg(500)     // 50,000
    ->Arg(2000)    // 200,000
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
