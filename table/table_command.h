// `vollfarbe table`: the dialogue's first pass for many wavelengths at once,
// written as a table for spreadsheets, R or numpy.
#pragma once

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "colour/colour_model.h"

namespace table {

struct table_options {
  std::optional<std::string> from;  // the range, defaults 380 .. 770 by 1
  std::optional<std::string> to;
  std::optional<std::string> step;
  std::vector<std::string> wavelengths;  // or these; "-" alone reads stdin
  std::string format = "csv";
  bool strict = false;  // wavelengths outside the tables' range are an error
  // Threads computing and formatting rows, 0 = one per core. The bytes are
  // the same for every count; rows read from stdin ("-") are computed in the
  // calling thread, each written as its line arrives.
  unsigned threads = 0;
  // Read stdin as a CSV or TSV table with a header line and take the
  // wavelengths from this column (a name, or a number from 1).
  std::optional<std::string> column = {};
  // The partner wavelength l of every pass: each row is then the dialogue's
  // correction pass for its entry after a pair with that l. 0 (none given)
  // is the first pass.
  std::optional<std::string> partner = {};
};

// The built-in tables cover 380 to 770 nm. Rows for wavelengths outside are
// computed as the dialogue computes them (extrapolated), and one warning on
// stderr after the rows says how many there were; with `strict` they are a
// cli::usage_error before anything is written.

// Validates the options and arguments first (cli::usage_error, nothing written),
// then streams the rows to `out`, stopping at the first failed write.
// Returns 0, or 1 when the output could not be written (with the reason on
// stderr, except for a reader that has gone: EPIPE). A warning is no
// failure: the status stays 0.
//
// With "-" the rows follow stdin line by line, each written before the next
// line is waited for; a bad line (or, with `strict`, one outside the tables)
// is a cli::usage_error naming its line number, and the rows before it stay
// complete in `out`.
//
// The models (at least one): one model writes the plain columns; several
// write theirs side by side, prefixed by their names. Rows outside any
// model's data range are the ones warned about.
int run_table(const table_options& options, std::span<const colour::model* const> models,
              std::FILE* in, std::FILE* out);

}  // namespace table
