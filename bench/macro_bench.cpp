// Applying a long macro: checking, linking and computing what it builds.
// The time per record stays flat when application grows linearly.
#include <benchmark/benchmark.h>

#include <memory>

#include "chained_midpoints.h"

namespace zelmora {
namespace {

void BM_ApplyChainedMidpoints(benchmark::State& state) {
  const int records = static_cast<int>(state.range(0));
  const std::string bytes = bench::ChainedMidpointMacro(records);
  for (auto _ : state) {
    state.PauseTiming();
    auto list = std::make_unique<ObjectList>();
    bench::AddArgumentPoints(*list);
    state.ResumeTiming();
    const MacroApplied applied = ApplyMacroBytes(bytes, *list, {&(*list)[0], &(*list)[1]});
    if (!applied.ok) state.SkipWithError(applied.detail.c_str());
    state.PauseTiming();
    list.reset();  // freeing the drawing is no part of applying
    state.ResumeTiming();
  }
  state.counters["per_record"] = benchmark::Counter(
      records, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_ApplyChainedMidpoints)
    ->Arg(10000)
    ->Arg(20000)
    ->Arg(40000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zelmora

BENCHMARK_MAIN();
