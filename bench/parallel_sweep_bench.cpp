// The batch entry over every core, on the same sweep as colour_sweep_bench:
// the C++ call the Python module's compute wraps (bench/python_sweep.py
// compares the two).
#include <benchmark/benchmark.h>

#include <vector>

#include "colour/legacy/legacy_model.h"
#include "colour/colour_model.h"
#include "colour/parallel_passes.h"

namespace {

constexpr int sweep_steps = 390'001;

void BM_ColourSweepBatchAllCores(benchmark::State& state) {
  std::vector<double> lc(sweep_steps);
  for (int i = 0; i < sweep_steps; ++i) lc[static_cast<std::size_t>(i)] = (380'000 + i) / 1000.0;
  const std::vector<double> l(sweep_steps, 0.0);
  std::vector<colour::pass_result> out(sweep_steps);
  for (auto _ : state) {
    colour::compute_passes(lc, l, out, colour::legacy_model(), 0);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * sweep_steps);
  state.counters["threads"] = colour::available_cores();
}
BENCHMARK(BM_ColourSweepBatchAllCores)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
