// How long `vollfarbe table --from 380 --to 770 --step 0.001` takes: 390,001
// rows of the dialogue's first pass, formatted as CSV into /dev/null.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "table/table_command.h"

namespace {

void write_table(benchmark::State& state, const char* format) {
  std::FILE* sink = std::fopen("/dev/null", "w");
  table::table_options options;
  options.from = "380";
  options.to = "770";
  options.step = "0.001";
  options.format = format;
  for (auto _ : state) {
    benchmark::DoNotOptimize(table::run_table(options, stdin, sink));
  }
  state.SetItemsProcessed(state.iterations() * 390001);
  std::fclose(sink);
}

void BM_Table390001RowsCsv(benchmark::State& state) { write_table(state, "csv"); }
void BM_Table390001RowsJson(benchmark::State& state) { write_table(state, "json"); }

BENCHMARK(BM_Table390001RowsCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Table390001RowsJson)->Unit(benchmark::kMillisecond);

}  // namespace
