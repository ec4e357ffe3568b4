// The MacAdam limits of CIE 1931 under D65, after the model and its solid
// are made: a locus of 360 hues (every degree) at one Y must take under
// 10 ms of one core, the nine loci Y = 10, 20, ..., 90 of the textbook
// figure under 0.1 s together. "of_target" is the time over that target
// (below 1: met), from the thread's own CPU time in the same run.
#include <benchmark/benchmark.h>

#include <time.h>

#include <vector>

#include "colour/catalogue/model_loading.h"
#include "colour/solid/macadam_limits.h"

namespace {

double thread_seconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

const colour::optimal_solid& cie1931_d65() {
  static const auto model = colour::load_model("cie1931", "D65");
  static const colour::optimal_solid solid(*model);
  return solid;
}

std::vector<double> every_degree() {
  std::vector<double> hues(360);
  for (int h = 0; h < 360; ++h) hues[static_cast<std::size_t>(h)] = h;
  return hues;
}

void BM_MacAdamLocus(benchmark::State& state) {
  const colour::optimal_solid& solid = cie1931_d65();
  const std::vector<double> hues = every_degree();
  const auto Y = static_cast<double>(state.range(0));
  double seconds = 0;
  for (auto _ : state) {
    const double t0 = thread_seconds();
    benchmark::DoNotOptimize(colour::macadam_locus(solid, Y, hues));
    seconds += thread_seconds() - t0;
  }
  const double per_locus = seconds / static_cast<double>(state.iterations());
  state.counters["ms_per_locus"] = per_locus * 1e3;
  state.counters["of_target"] = per_locus / 10e-3;
}
BENCHMARK(BM_MacAdamLocus)->DenseRange(10, 90, 40)->Unit(benchmark::kMillisecond);

void BM_MacAdamNineLoci(benchmark::State& state) {
  const colour::optimal_solid& solid = cie1931_d65();
  const std::vector<double> hues = every_degree();
  double seconds = 0;
  for (auto _ : state) {
    const double t0 = thread_seconds();
    for (int Y = 10; Y <= 90; Y += 10) {
      benchmark::DoNotOptimize(colour::macadam_locus(solid, Y, hues));
    }
    seconds += thread_seconds() - t0;
  }
  const double per_figure = seconds / static_cast<double>(state.iterations());
  state.counters["ms_per_figure"] = per_figure * 1e3;
  state.counters["of_target"] = per_figure / 0.1;
}
BENCHMARK(BM_MacAdamNineLoci)->Unit(benchmark::kMillisecond);

// What the loci are made of: one support point, and the solid itself.
void BM_SupportPoint(benchmark::State& state) {
  const colour::optimal_solid& solid = cie1931_d65();
  colour::support_point point;
  long double turn = 0;
  for (auto _ : state) {
    solid.boundary_point({0.3L, 0.5L + turn, -0.2L}, point);
    turn = turn < 0.1L ? turn + 1e-4L : 0;
  }
}
BENCHMARK(BM_SupportPoint);

void BM_MakeSolid(benchmark::State& state) {
  const auto model = colour::load_model("cie1931", "D65");
  for (auto _ : state) benchmark::DoNotOptimize(colour::optimal_solid(*model).red_tail_start());
}
BENCHMARK(BM_MakeSolid)->Unit(benchmark::kMicrosecond);

}  // namespace
