// One drag step and one deletion on drawings far larger than a lesson's, to
// show the update and the deletion stay linear and never recurse deeply.
#include <benchmark/benchmark.h>

#include <memory>

#include "drawing_10k.h"
#include "geometry/construction_method.h"
#include "geometry/construction_protocol.h"
#include "geometry/graph.h"
#include "geometry/object_list.h"

namespace zelmora {
namespace {

TGPoint& FreePoint(ObjectList& list, double x, double y) {
  TGPoint& p = list.AddPoint();
  p.X = x;
  p.Y = y;
  list.Complete(p, {}, CodeOf(ConstructionMethod::FreePoint));
  return p;
}

TGPoint& Midpoint(ObjectList& list, TGPoint& a, TGPoint& b) {
  TGPoint& m = list.AddPoint();
  list.Complete(m, {&a, &b}, CodeOf(ConstructionMethod::Midpoint));
  return m;
}

// (a) 100 000 points, each the midpoint of the two before it: every object
// depends on the first, 100 000 levels deep.
constexpr int kChainLength = 100000;

std::unique_ptr<ObjectList> MakeChain() {
  auto list = std::make_unique<ObjectList>();
  TGPoint* before = &FreePoint(*list, 0, 0);
  TGPoint* last = &FreePoint(*list, 400, 300);
  while (list->size() < kChainLength) {
    TGPoint& next = Midpoint(*list, *last, *before);
    before = last;
    last = &next;
  }
  return list;
}

// (b) 60 levels of three points; each point is the midpoint of two points of
// the level above, so the paths from the top double with every level.
constexpr int kLatticeWidth = 3;
constexpr int kLatticeLevels = 60;

std::unique_ptr<ObjectList> MakeLattice() {
  auto list = std::make_unique<ObjectList>();
  FreePoint(*list, 100, 100);
  FreePoint(*list, 500, 120);
  FreePoint(*list, 300, 400);
  for (int level = 1; level < kLatticeLevels; ++level) {
    const std::size_t above = static_cast<std::size_t>((level - 1) * kLatticeWidth);
    for (int j = 0; j < kLatticeWidth; ++j) {
      auto& a = static_cast<TGPoint&>((*list)[above + static_cast<std::size_t>(j)]);
      auto& b =
          static_cast<TGPoint&>((*list)[above + static_cast<std::size_t>((j + 1) % kLatticeWidth)]);
      Midpoint(*list, a, b);
    }
  }
  return list;
}

// (c) 10 000 midpoints hanging on one point (and on one other).
constexpr int kFanSize = 10000;

std::unique_ptr<ObjectList> MakeFan() {
  auto list = std::make_unique<ObjectList>();
  TGPoint& hub = FreePoint(*list, 200, 200);
  TGPoint& other = FreePoint(*list, 600, 400);
  for (int i = 0; i < kFanSize; ++i) Midpoint(*list, hub, other);
  return list;
}

// Drags the first object of the drawing back and forth, so each step moves
// it; one press, then the moves, as the mouse does it.
void DragFirst(benchmark::State& state, ObjectList& list) {
  DragSession drag(list[0]);
  int step = 0;
  for (auto _ : state) {
    ++step;
    drag.DragTo(step % 2 == 0 ? 10 : 20, 15);
    benchmark::DoNotOptimize(list.back().Defined);
  }
  state.counters["objects"] = static_cast<double>(list.size());
}

void BM_DragChain(benchmark::State& state) {
  DragFirst(state, *MakeChain());
}
void BM_DragLattice(benchmark::State& state) {
  DragFirst(state, *MakeLattice());
}
void BM_DragFan(benchmark::State& state) {
  DragFirst(state, *MakeFan());
}

void BM_DeleteChain(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::unique_ptr<ObjectList> list = MakeChain();
    state.ResumeTiming();
    list->DeleteWithDescendants(0);
    benchmark::DoNotOptimize(list->size());
    state.PauseTiming();
    list.reset();  // destroying the survivors is not part of the deletion
    state.ResumeTiming();
  }
}

BENCHMARK(BM_DragChain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DragLattice)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragFan)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DeleteChain)->Unit(benchmark::kMillisecond);

// The construction protocol of 10 000 objects of a lesson's kinds, as the
// protocol window builds it whenever the drawing changes. Target: 20 ms.
void BM_Protocol10k(benchmark::State& state) {
  ObjectList list;
  bench::BuildMixedDrawing(list, 1280, 800);
  for (auto _ : state) {
    const std::vector<ProtocolRow> rows = BuildProtocol(list);
    benchmark::DoNotOptimize(rows.data());
  }
  state.counters["objects"] = static_cast<double>(list.size());
}
BENCHMARK(BM_Protocol10k)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelmora

BENCHMARK_MAIN();
