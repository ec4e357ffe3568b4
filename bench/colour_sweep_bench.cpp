// One whole pass of the colour model for every wavelength from 380 to 770 nm
// in 0.001 nm steps: pass by pass, and through the batch entry a table uses.
#include <benchmark/benchmark.h>

#include <vector>

#include "colour/colour_model.h"

namespace {

constexpr int sweep_steps = 390'001;

// (380000 + i)/1000 is one correctly rounded division: the double nearest the
// decimal 380 + i/1000.
double sweep_entry(int i) { return (380'000 + i) / 1000.0; }

void BM_ColourSweep(benchmark::State& state) {
  const colour::model& model = colour::legacy_model();
  for (auto _ : state) {
    double sink = 0;
    for (int i = 0; i < sweep_steps; ++i) {
      const colour::pass_result r = colour::compute_pass(sweep_entry(i), 0, model);
      sink += r.first.moment;
    }
    benchmark::DoNotOptimize(sink);
  }
  state.SetItemsProcessed(state.iterations() * sweep_steps);
}
BENCHMARK(BM_ColourSweep)->Unit(benchmark::kMillisecond);

void BM_ColourSweepBatch(benchmark::State& state) {
  std::vector<double> lc(sweep_steps);
  for (int i = 0; i < sweep_steps; ++i) lc[static_cast<std::size_t>(i)] = sweep_entry(i);
  const std::vector<double> l(sweep_steps, 0.0);
  std::vector<colour::pass_result> out(sweep_steps);
  for (auto _ : state) {
    colour::compute_passes(lc, l, out);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * sweep_steps);
}
BENCHMARK(BM_ColourSweepBatch)->Unit(benchmark::kMillisecond);

}  // namespace
