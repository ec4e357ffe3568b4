#include "python/table_columns_writer.h"

#include <algorithm>
#include <span>
#include <vector>

#include "python/entry_threads.h"

namespace vollfarbe_python {
namespace {

constexpr std::array<std::uint32_t, path_units> middle_text{'m', 'i', 'd', 'd', 'l', 'e'};
constexpr std::array<std::uint32_t, path_units> end_text{'e', 'n', 'd', 0, 0, 0};

// Passes per block: their results (about 150 KB) stay in the core's own
// cache between the model's batch entry writing them and the rows being
// spread into the columns.
constexpr std::size_t block = 1024;

void write_rows(const colour::model& model, const double* wavelength, const double* partner,
                std::size_t begin, std::size_t end, const table_column_arrays& columns) {
  std::vector<colour::pass_result> passes(std::min(block, end - begin));
  for (std::size_t start = begin; start < end; start += block) {
    const std::size_t n = std::min(block, end - start);
    model.passes({wavelength + start, n}, {partner + start, n}, {passes.data(), n});
    for (std::size_t i = 0; i < n; ++i) {
      const std::size_t row = start + i;
      const table::table_row numbers = table::table_row_of(wavelength[row], passes[i]);
      for (std::size_t c = 0; c < number_columns; ++c) columns.numbers[c][row] = numbers.numbers[c];
      const auto& text = passes[i].middle_path ? middle_text : end_text;
      std::copy(text.begin(), text.end(), columns.path + row * path_units);
    }
  }
}

}  // namespace

void write_table_columns(const colour::model& model, const double* wavelength,
                         const double* partner, std::size_t count,
                         const table_column_arrays& columns, unsigned threads) {
  // Each thread takes one range of rows and runs the model's batch entry
  // over it a block at a time: the same passes, bit for bit, as one call
  // over every row (every pass depends on its own entries only).
  for_each_range(count, threads, [&](std::size_t begin, std::size_t end) {
    write_rows(model, wavelength, partner, begin, end, columns);
  });
}

}  // namespace vollfarbe_python
