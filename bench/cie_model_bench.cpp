// A pass of the CIE 1931 model against a pass of the built-in tables over the
// same entries, 380 to 770 nm in 0.01 nm steps: the CIE model's pass must
// cost at most twice the built-in one (the "cie_over_legacy" counter of
// BM_CiePassOverLegacy says by how much, both timed in the same run).
#include <benchmark/benchmark.h>

#include <time.h>

#include <chrono>
#include <vector>

#include "colour/legacy/legacy_model.h"
#include "colour/catalogue/model_loading.h"
#include "colour/colour_model.h"

namespace {

constexpr int steps = 39'001;

std::vector<double> entries() {
  std::vector<double> lc(steps);
  for (int i = 0; i < steps; ++i) lc[static_cast<std::size_t>(i)] = (38'000 + i) / 100.0;
  return lc;
}

double sweep(const colour::model& model, const std::vector<double>& lc) {
  double sink = 0;
  for (const double w : lc) sink += colour::compute_pass(w, 0, model).first.moment;
  return sink;
}

void BM_PassLegacy(benchmark::State& state) {
  const std::vector<double> lc = entries();
  for (auto _ : state) benchmark::DoNotOptimize(sweep(colour::legacy_model(), lc));
  state.SetItemsProcessed(state.iterations() * steps);
}
BENCHMARK(BM_PassLegacy)->Unit(benchmark::kMillisecond);

void BM_PassCie1931(benchmark::State& state) {
  const auto model = colour::load_model("cie1931", "E");
  const std::vector<double> lc = entries();
  for (auto _ : state) benchmark::DoNotOptimize(sweep(*model, lc));
  state.SetItemsProcessed(state.iterations() * steps);
}
BENCHMARK(BM_PassCie1931)->Unit(benchmark::kMillisecond);

void BM_CiePassOverLegacy(benchmark::State& state) {
  const auto model = colour::load_model("cie1931", "E");
  const std::vector<double> lc = entries();
  // CPU time of this thread: other processes on the machine do not count.
  struct clock {
    using duration = std::chrono::nanoseconds;
    static std::chrono::time_point<clock, duration> now() {
      timespec ts{};
      clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
      return std::chrono::time_point<clock, duration>(
          duration(std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec)));
    }
  };
  clock::duration legacy{}, cie{};
  for (auto _ : state) {
    const auto t0 = clock::now();
    benchmark::DoNotOptimize(sweep(colour::legacy_model(), lc));
    const auto t1 = clock::now();
    benchmark::DoNotOptimize(sweep(*model, lc));
    const auto t2 = clock::now();
    legacy += t1 - t0;
    cie += t2 - t1;
  }
  state.counters["cie_over_legacy"] =
      std::chrono::duration<double>(cie).count() / std::chrono::duration<double>(legacy).count();
}
BENCHMARK(BM_CiePassOverLegacy)->Unit(benchmark::kMillisecond);

void BM_LoadCie1931(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(colour::load_model("cie1931", "D65"));
}
BENCHMARK(BM_LoadCie1931)->Unit(benchmark::kMicrosecond);

}  // namespace
