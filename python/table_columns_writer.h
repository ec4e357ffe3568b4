// The rows of `vollfarbe table` for a whole array of entries, written into
// one array per column by the threads that compute them: each thread runs
// the model's batch entry over a block of passes and spreads it into the
// columns at once, while it is still in cache.
//
//   table_column_arrays columns{...};     // 19 number columns and the path
//   write_table_columns(colour::legacy_model(), w, partner, n, columns, 0);
//   // columns.numbers[1][i] is l of entry i, columns.path[i] "middle" or "end"
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "colour/colour_model.h"
#include "command_rows/table_columns.h"

namespace vollfarbe_python {

inline constexpr std::size_t number_columns = std::tuple_size_v<table::table_numbers>;
// The path column as numpy's '<U6': six UTF-32 code units per entry,
// "middle" or "end" padded with zeros.
inline constexpr std::size_t path_units = 6;

struct table_column_arrays {
  std::array<double*, number_columns> numbers;  // in the table's order, without path
  std::uint32_t* path;                          // count * path_units code units
};

// Row i of the table for wavelength[i] and partner[i], i < count, into the
// columns, on up to `threads` threads (0: every core). Call with the GIL
// held: it is released while the rows are computed, and Ctrl-C is looked
// for between slices. The bits are the same for any thread count.
void write_table_columns(const colour::model& model, const double* wavelength,
                         const double* partner, std::size_t count,
                         const table_column_arrays& columns, unsigned threads);

}  // namespace vollfarbe_python
