#include "python/table_columns_writer.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <span>
#include <vector>

#include "python/entry_threads.h"

namespace vollfarbe_python {
namespace {

constexpr std::array<std::uint32_t, path_units> middle_text{'m', 'i', 'd', 'd', 'l', 'e'};
constexpr std::array<std::uint32_t, path_units> end_text{'e', 'n', 'd', 0, 0, 0};

// Passes per block: their results (about 19 KB) stay in the core's first
// cache while they are spread, which reads each of them once for every
// pair of columns (1024 passes, in the second cache, took a quarter longer).
constexpr std::size_t block = 128;

// The table's number columns after the wavelength (l, lc, the two pigments,
// the hue-equal pairs) are a pass_result's doubles from l on, in the order
// they are declared: a row is 18 doubles one after another in memory, and
// spreading rows into columns is a transposition. Should the two orders
// ever part, these fail to compile.
constexpr std::size_t pass_doubles = number_columns - 1;
static_assert(offsetof(colour::pass_result, lc) == offsetof(colour::pass_result, l) + 8);
static_assert(offsetof(colour::pass_result, second) ==
              offsetof(colour::pass_result, first) + sizeof(colour::pigment));
static_assert(sizeof(colour::pigment) == 6 * sizeof(double));
static_assert(offsetof(colour::pass_result, hue_equal_first) ==
              offsetof(colour::pass_result, second) + sizeof(colour::pigment));
static_assert(offsetof(colour::pass_result, hue_equal_second.l2) ==
              offsetof(colour::pass_result, l) + (pass_doubles - 1) * sizeof(double));
static_assert(pass_doubles % 2 == 0);

const double* pass_numbers(const colour::pass_result& pass) { return &pass.l; }

// The rows of a block into the columns, each column pointer at the block's
// first row; a column at a time, two rows at a time: each 16-byte load takes
// two neighbouring numbers of one row, each 16-byte store two rows of one
// column. A move copies bits; no number is computed here.
//
// Streaming: the columns are far larger than the caches, and an ordinary
// store first reads its line from memory; a streaming store writes the
// line without reading it. Written a column at a time, each line is
// written whole, so the stores combine. The passes' own work overlaps its
// memory traffic; this spreading would otherwise wait on twice as much of
// it as it writes (the sweep's spreading took 8 % of the passes' time).
template <bool Streaming>
void spread_numbers(const colour::pass_result* passes, std::size_t n,
                    const std::array<double*, number_columns>& to) {
  for (std::size_t k = 0; k < pass_doubles; k += 2) {
    double* left = to[k + 1];
    double* right = to[k + 2];
    std::size_t i = 0;
    for (; i + 2 <= n; i += 2) {
      const __m128d from_a = _mm_loadu_pd(pass_numbers(passes[i]) + k);
      const __m128d from_b = _mm_loadu_pd(pass_numbers(passes[i + 1]) + k);
      if constexpr (Streaming) {
        _mm_stream_pd(left + i, _mm_unpacklo_pd(from_a, from_b));
        _mm_stream_pd(right + i, _mm_unpackhi_pd(from_a, from_b));
      } else {
        _mm_storeu_pd(left + i, _mm_unpacklo_pd(from_a, from_b));
        _mm_storeu_pd(right + i, _mm_unpackhi_pd(from_a, from_b));
      }
    }
    for (; i < n; ++i) {
      left[i] = pass_numbers(passes[i])[k];
      right[i] = pass_numbers(passes[i])[k + 1];
    }
  }
}

void spread_block(const colour::pass_result* passes, const double* wavelength, std::size_t n,
                  const std::array<double*, number_columns>& to, std::uint32_t* path) {
  const bool aligned = std::all_of(to.begin() + 1, to.end(), [](const double* column) {
    return reinterpret_cast<std::uintptr_t>(column) % alignof(__m128d) == 0;
  });
  if (aligned) {
    spread_numbers<true>(passes, n, to);
  } else {
    spread_numbers<false>(passes, n, to);
  }
  // The wavelengths' own array may be their column (out['wavelength'] = w).
  std::memmove(to[0], wavelength, n * sizeof(double));
  for (std::size_t i = 0; i < n; ++i) {
    const auto& text = passes[i].middle_path ? middle_text : end_text;
    std::memcpy(path + i * path_units, text.data(), sizeof text);
  }
}

void write_rows(const colour::model& model, const double* wavelength, const double* partner,
                std::size_t begin, std::size_t end, const table_column_arrays& columns) {
  std::vector<colour::pass_result> passes(std::min(block, end - begin));
  // Blocks start at whole multiples of the block (but the range's first):
  // an even row, where the columns' pairs of rows are aligned for streaming.
  for (std::size_t start = begin; start < end;) {
    const std::size_t n = std::min((start / block + 1) * block, end) - start;
    model.passes({wavelength + start, n}, {partner + start, n}, {passes.data(), n});
    // The function's own copies of the column pointers: stores through
    // them cannot alias the pointers, which then stay in registers.
    std::array<double*, number_columns> to = columns.numbers;
    for (double*& column : to) column += start;
    spread_block(passes.data(), wavelength + start, n, to, columns.path + start * path_units);
    start += n;
  }
  // Streaming stores are not ordered with the others: all of them are done
  // before the thread reports its range done.
  _mm_sfence();
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
