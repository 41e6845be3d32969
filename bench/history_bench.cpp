// Undo and redo on large drawings: one drag of the point the 10 000-object
// drawing of the repaint benchmarks is built on, and the deletion of the
// root of a 10 000-object chain. Each step first checks the drawing for
// unrecorded changes, as the editor does. Targets: 5 ms and 20 ms. And the
// recording of a drag of that drawing at the release: well under 0.05 ms.
#include <benchmark/benchmark.h>

#include "drawing_10k.h"
#include "geometry/construction_method.h"
#include "geometry/graph.h"
#include "interaction/history.h"

namespace zelmora {
namespace {

void BM_UndoDrag10k(benchmark::State& state) {
  ObjectList list;
  TGPoint& root = bench::BuildDrawing(list, 1280, 760);
  History history;
  history.Reset(list, nullptr);
  DragSession drag(root);
  drag.DragTo(static_cast<int>(root.X) + 37, static_cast<int>(root.Y) + 21);
  history.Commit(list, nullptr, 0, "перемещение");
  for (auto _ : state) {
    history.Commit(list, nullptr, 0, {});
    history.Undo(list, nullptr);
    history.Commit(list, nullptr, 0, {});
    history.Redo(list, nullptr);
  }
  state.counters["objects"] = static_cast<double>(list.size());
  state.counters["entry_bytes"] = static_cast<double>(history.NewestEntryBytes());
}
BENCHMARK(BM_UndoDrag10k)->Unit(benchmark::kMillisecond);

// The release of a drag: everything the drag moved becomes one entry.
void BM_CommitAfterDrag10k(benchmark::State& state) {
  ObjectList list;
  TGPoint& root = bench::BuildDrawing(list, 1280, 760);
  const int x = static_cast<int>(root.X), y = static_cast<int>(root.Y);
  History history;
  history.Reset(list, nullptr);
  DragSession drag(root);
  int step = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ++step;
    drag.DragTo(x + step % 2, y + step % 3);
    state.ResumeTiming();
    history.Commit(list, nullptr, 0, "перемещение");
  }
  state.counters["entry_bytes"] = static_cast<double>(history.NewestEntryBytes());
}
// The drag between two commits is not timed but takes its time: a fixed
// count keeps the run short.
BENCHMARK(BM_CommitAfterDrag10k)->Unit(benchmark::kMicrosecond)->Iterations(400);

// 10 000 points, each the midpoint of the two before it.
void BM_UndoDelete10k(benchmark::State& state) {
  ObjectList list;
  TGPoint* before = &list.AddPoint();
  TGPoint* last = &list.AddPoint();
  last->X = 400;
  while (list.size() < 10000) {
    TGPoint& next = list.AddPoint();
    list.Complete(next, {last, before}, CodeOf(ConstructionMethod::Midpoint));
    before = last;
    last = &next;
  }
  History history;
  history.Reset(list, nullptr);
  list.DeleteWithDescendants(0);
  history.Commit(list, nullptr, 0, {});
  for (auto _ : state) {
    history.Commit(list, nullptr, 0, {});
    history.Undo(list, nullptr);
    state.PauseTiming();
    history.Redo(list, nullptr);
    state.ResumeTiming();
  }
  state.counters["entry_bytes"] = static_cast<double>(history.NewestEntryBytes());
}
BENCHMARK(BM_UndoDelete10k)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelmora

BENCHMARK_MAIN();
