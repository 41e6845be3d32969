// Opening documents: reading, linking and recomputing every object.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/document_file.h"
#include "drawing_10k.h"
#include "geometry/construction_method.h"

namespace zelmora {
namespace {

constexpr int kSurface = 1000;  // the lattices' free points lie on a square this wide

// Repeatable coordinates spread over a window-sized plane.
class Scatter {
 public:
  int Next() {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((state_ >> 33) % 900) + 50;
  }

 private:
  std::uint64_t state_ = 12345;
};

TGPoint& FreePoint(ObjectList& list, Scatter& scatter) {
  TGPoint& p = list.AddPoint();
  p.X = scatter.Next();
  p.Y = scatter.Next();
  p.MustDraw = true;
  return p;
}

// A pupil's construction grown to `count` objects in blocks of ten: free
// points, a midpoint chained to the previous block's, lines through two
// points, their intersection, a circle about it and where it cuts a line.
void BuildConstruction(ObjectList& list, std::size_t count) {
  Scatter scatter;
  TGObject* previousMidpoint = nullptr;
  while (list.size() + 10 <= count) {
    TGPoint& p = FreePoint(list, scatter);
    TGPoint& q = FreePoint(list, scatter);
    TGPoint& r = FreePoint(list, scatter);
    TGPoint& m = list.AddPoint();
    list.Complete(m, {&q, previousMidpoint ? previousMidpoint : &p},
                  CodeOf(ConstructionMethod::Midpoint));
    TGLine& first = list.AddLine();
    list.Complete(first, {&p, &m}, CodeOf(ConstructionMethod::LineThroughTwoPoints));
    TGLine& second = list.AddLine();
    list.Complete(second, {&q, &r}, CodeOf(ConstructionMethod::LineThroughTwoPoints));
    TGPoint& crossing = list.AddPoint();
    list.Complete(crossing, {&first, &second}, CodeOf(ConstructionMethod::LinesCrossing));
    TGCircle& circle = list.AddCircle();
    list.Complete(circle, {&crossing, &p}, CodeOf(ConstructionMethod::CircleByCentreAndPoint));
    list.Complete(list.AddPoint(), {&second, &circle}, CodeOf(ConstructionMethod::LineCircleFirst));
    list.Complete(list.AddPoint(), {&second, &circle},
                  CodeOf(ConstructionMethod::LineCircleSecond));
    previousMidpoint = &m;
  }
}

std::filesystem::path WriteDocument(const std::string& name, const ObjectList& list) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("document_bench-" + std::to_string(::getpid()) + "-" + name + ".zms");
  std::ofstream(path, std::ios::binary) << WritePlane(list, {"bench", {}});
  return path;
}

void RunLoad(benchmark::State& state, const std::filesystem::path& path) {
  for (auto _ : state) {
    ObjectList list;
    DocumentInfo info;
    if (!LoadPlane(path, list, info).ok()) state.SkipWithError("the document did not load");
    benchmark::DoNotOptimize(list.size());
  }
}

void LoadConstruction(benchmark::State& state, std::size_t count, const std::string& name) {
  ObjectList built;
  BuildConstruction(built, count);
  const auto path = WriteDocument(name, built);
  RunLoad(state, path);
  state.counters["objects"] = static_cast<double>(built.size());
  std::filesystem::remove(path);
}

void BM_Load1k(benchmark::State& state) {
  LoadConstruction(state, 1000, "1k");
}
void BM_Load10k(benchmark::State& state) {
  LoadConstruction(state, 10000, "10k");
}

void LoadLattice(benchmark::State& state, int levels, const std::string& name) {
  ObjectList built;
  bench::BuildLattice(built, levels, kSurface, kSurface);
  const auto path = WriteDocument(name, built);
  RunLoad(state, path);
  state.counters["objects"] = static_cast<double>(built.size());
  std::filesystem::remove(path);
}

void BM_LoadLattice(benchmark::State& state) {
  LoadLattice(state, 60, "lattice");
}
// Deep drawings show how opening grows with size: 10 011 and 40 186 objects.
void BM_LoadLattice10k(benchmark::State& state) {
  LoadLattice(state, 140, "lattice10k");
}
void BM_LoadLattice40k(benchmark::State& state) {
  LoadLattice(state, 282, "lattice40k");
}

// How opening grows: lattices of 5 151 to 80 601 objects; the counter gives
// the time per object, which stays flat when the growth is linear.
void BM_LoadLatticeBySize(benchmark::State& state) {
  const int levels = static_cast<int>(state.range(0));
  LoadLattice(state, levels, "lattice-" + std::to_string(levels));
  state.counters["per_object"] =
      benchmark::Counter(state.counters["objects"], benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

BENCHMARK(BM_Load1k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load10k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLattice)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLattice10k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLattice40k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLatticeBySize)
    ->Arg(100)
    ->Arg(141)
    ->Arg(200)
    ->Arg(282)
    ->Arg(400)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelmora

BENCHMARK_MAIN();
