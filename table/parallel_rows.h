// The rows of a table computed and formatted on several threads and written
// in their order, for any colour model: threads take blocks of rows from a
// counter, compute them through the model's batch entry, format them into a
// slot of a small ring and the calling thread writes the slots in order. So
// memory stays a few blocks whatever the length of the table, and the bytes
// are those of one thread: each row's text depends on its pass alone.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "colour/colour_model.h"
#include "cli/output_buffer.h"
#include "command_rows/table_writer.h"

namespace table {

// The wavelengths of rows first .. first + out.size() - 1.
using wavelength_source = std::function<void(std::uint64_t first, std::span<double> out)>;

// Writes `count` rows (the header and footer are the caller's) to `out` on
// `threads` threads (at least 1), stopping at the first failed write. Each
// row holds one part per model (the formatter's parts); every row's pass has
// the partner wavelength `partner` (0: a first pass).
void write_rows_in_parallel(std::uint64_t count, const wavelength_source& wavelengths,
                            const row_formatter& formatter,
                            std::span<const colour::model* const> models, double partner,
                            cli::output_buffer& out, unsigned threads);

}  // namespace table
