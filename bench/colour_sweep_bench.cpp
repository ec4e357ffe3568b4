// The exact sweep: one whole pass of the colour model for every wavelength
// from 380 to 770 nm in 0.001 nm steps (390,001 passes), three ways side by
// side in one run: pass by pass (the dialogue's way, BM_ColourSweep),
// through the batch entry in one thread (groups of lanes,
// BM_ColourSweepBatch), and the batch over all cores
// (BM_ColourSweepBatchAllCores, parallel_sweep_bench.cpp). Wall-clock times,
// so that the all-cores figure compares with the others:
//   vollfarbe_bench --benchmark_filter=ColourSweep
#include <benchmark/benchmark.h>

#include <vector>

#include "colour/colour_model.h"
#include "colour/legacy/legacy_model.h"

namespace {

constexpr int sweep_steps = 390'001;

// (380000 + i)/1000 is one correctly rounded division: the double nearest the
// decimal 380 + i/1000.
double sweep_entry(int i) { return (380'000 + i) / 1000.0; }

struct sweep {
  std::vector<double> lc;
  std::vector<double> l;
  std::vector<colour::pass_result> out;
  sweep() : l(sweep_steps, 0.0), out(sweep_steps) {
    for (int i = 0; i < sweep_steps; ++i) lc.push_back(sweep_entry(i));
  }
};

void BM_ColourSweep(benchmark::State& state) {
  sweep s;
  const colour::model& model = colour::legacy_model();
  for (auto _ : state) {
    for (int i = 0; i < sweep_steps; ++i) {
      s.out[static_cast<std::size_t>(i)] = colour::compute_pass(s.lc[static_cast<std::size_t>(i)], 0, model);
    }
    benchmark::DoNotOptimize(s.out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * sweep_steps);
}

void BM_ColourSweepBatch(benchmark::State& state) {
  sweep s;
  for (auto _ : state) {
    colour::compute_passes(s.lc, s.l, s.out, colour::legacy_model());
    benchmark::DoNotOptimize(s.out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * sweep_steps);
}

BENCHMARK(BM_ColourSweep)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ColourSweepBatch)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
