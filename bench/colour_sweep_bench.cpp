// One whole pass of the colour model for every wavelength from 380 to 770 nm
// in 0.001 nm steps, as a batch table over the spectrum would run it.
#include <benchmark/benchmark.h>

#include "colour/colour_model.h"

namespace {

constexpr int sweep_steps = 390'001;

void BM_ColourSweep(benchmark::State& state) {
  for (auto _ : state) {
    double sink = 0;
    for (int i = 0; i < sweep_steps; ++i) {
      // (380000 + i)/1000 is one correctly rounded division: the double
      // nearest the decimal 380 + i/1000.
      const double lc = (380'000 + i) / 1000.0;
      const colour::pass_result r = colour::compute_pass(lc, 0);
      sink += r.first.moment;
    }
    benchmark::DoNotOptimize(sink);
  }
  state.SetItemsProcessed(state.iterations() * sweep_steps);
}
BENCHMARK(BM_ColourSweep)->Unit(benchmark::kMillisecond);

}  // namespace
