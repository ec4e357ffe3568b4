// The table's number text: std::to_chars against the program's writer on the
// numbers of the 0.01 nm table (the same bytes, at what cost), and the long
// proof that the bytes are the same: 400 million doubles, random bit
// patterns and decimals of every length (the tests check 24 million).
#include <benchmark/benchmark.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

#include "colour/colour_model.h"
#include "command_rows/table_columns.h"
#include "tests/support/same_as_to_chars.h"
#include "textio/shortest_number.h"
#include "colour/legacy/legacy_model.h"

namespace {

// The finite numbers of the rows 380, 380.01, ..., 770 nm.
const std::vector<double>& table_numbers() {
  static const std::vector<double> numbers = [] {
    std::vector<double> out;
    for (int i = 0; i <= 39'000; ++i) {
      const double w = (38'000 + i) / 100.0;
      for (const double v : table::compute_table_row(w, colour::legacy_model()).numbers) {
        if (std::isfinite(v)) out.push_back(v);
      }
    }
    return out;
  }();
  return numbers;
}

void BM_NumberTextToChars(benchmark::State& state) {
  const auto& numbers = table_numbers();
  char text[64];
  for (auto _ : state) {
    for (const double v : numbers) benchmark::DoNotOptimize(std::to_chars(text, text + sizeof text, v).ptr);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(numbers.size()));
}

void BM_NumberTextOurs(benchmark::State& state) {
  const auto& numbers = table_numbers();
  char text[64];
  for (auto _ : state) {
    for (const double v : numbers) benchmark::DoNotOptimize(textio::write_shortest(v, text));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(numbers.size()));
}

void BM_NumberTextSameBytes400Million(benchmark::State& state) {
  constexpr std::uint64_t count = 400'000'000;
  for (auto _ : state) {
    const auto result = test_support::compare_with_to_chars(count, [](std::uint64_t i) {
      std::uint64_t z = (i + 0x2545f491u) * 0x9e3779b97f4a7c15u;
      z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
      z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
      z ^= z >> 31;
      if (i % 2 == 0) {
        const double v = std::bit_cast<double>(z);
        return std::isfinite(v) ? v : 0.0;
      }
      std::uint64_t digits_limit = 10;
      for (std::uint64_t d = (z >> 59) % 17; d > 0; --d) digits_limit *= 10;
      double scale = 1;
      for (std::uint64_t k = (z >> 53) % 22; k > 0; --k) scale *= 10;
      return static_cast<double>(z % digits_limit) / scale;
    });
    if (!result.first_difference.empty() || result.compared != count) {
      state.SkipWithError(("written differently (to_chars | ours): " + result.first_difference).c_str());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(count));
}

BENCHMARK(BM_NumberTextToChars)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NumberTextOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NumberTextSameBytes400Million)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace
