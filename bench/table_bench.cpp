// How long `vollfarbe table --from 380 --to 770 --step 0.001` takes: 390,001
// rows of the dialogue's first pass into /dev/null, CSV and JSON, in one
// thread and on all cores (wall-clock times).
#include <benchmark/benchmark.h>

#include <cstdio>

#include "table/table_command.h"

#include "colour/legacy/legacy_model.h"

namespace {
const colour::model* const legacy_only[] = {&colour::legacy_model()};
}  // namespace

namespace {

void write_table(benchmark::State& state, const char* format, unsigned threads) {
  std::FILE* sink = std::fopen("/dev/null", "w");
  table::table_options options;
  options.from = "380";
  options.to = "770";
  options.step = "0.001";
  options.format = format;
  options.threads = threads;
  for (auto _ : state) {
    benchmark::DoNotOptimize(table::run_table(options, legacy_only, stdin, sink));
  }
  state.SetItemsProcessed(state.iterations() * 390001);
  std::fclose(sink);
}

void BM_TableCsvOneThread(benchmark::State& state) { write_table(state, "csv", 1); }
void BM_TableCsvAllCores(benchmark::State& state) { write_table(state, "csv", 0); }
void BM_TableJsonOneThread(benchmark::State& state) { write_table(state, "json", 1); }
void BM_TableJsonAllCores(benchmark::State& state) { write_table(state, "json", 0); }

BENCHMARK(BM_TableCsvOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TableCsvAllCores)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TableJsonOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TableJsonAllCores)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
