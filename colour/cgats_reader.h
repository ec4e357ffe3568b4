// A reader for the CGATS text files that spectral colour data come in (the
// colour-matching functions and illuminants of Debian's colord-data: *.cmf,
// *.sp). Text in, data out: the caller reads the file.
//
//   SPECTRAL_START_NM  360.0          the grid: first and last wavelength and
//   SPECTRAL_END_NM    830.0          the number of values per set, evenly
//   SPECTRAL_BANDS     95             spaced (here 5 nm)
//   BEGIN_DATA_FORMAT ... END_DATA_FORMAT   field names, one per band
//   BEGIN_DATA                        one set per line (x̄, ȳ, z̄ for an
//    0.0001299 0.0002321 ...          observer; one line for an illuminant)
//   END_DATA
//
// Numbers are read by std::from_chars (correctly rounded). NUMBER_OF_FIELDS
// and NUMBER_OF_SETS are checked when present. A file may repeat its data
// block; every repetition must equal the first. Lines starting with # are
// comments. A value quoted in a message shows control bytes (NUL, ESC) as
// \xNN. A SAMPLE_ID field in the data format names each set (a sample
// file: one set per sample, its name first on the line).
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace colour {

struct spectral_table {
  double start_nm;
  double end_nm;
  std::size_t bands;                      // values per set, >= 2
  std::vector<std::vector<double>> sets;  // each holds `bands` finite values
  std::size_t sets_in_file = 0;           // sets.size(), or more when not all were kept
  bool has_subnormal = false;             // a value below the normal range (1e-310)
  // Each set's name, when the data format has a SAMPLE_ID field (colord's
  // sample files: "TCS01", ...); empty otherwise.
  std::vector<std::string> sample_ids{};

  double step_nm() const { return (end_nm - start_nm) / static_cast<double>(bands - 1); }
  double wavelength(std::size_t i) const { return start_nm + static_cast<double>(i) * step_nm(); }
};

// What is wrong and on which line (1-based; the last line when something is
// missing at the end).
class cgats_error : public std::runtime_error {
 public:
  cgats_error(std::size_t line, const std::string& problem)
      : std::runtime_error(problem), line_(line) {}
  std::size_t line() const { return line_; }

 private:
  std::size_t line_;
};

// The grid and the data sets of a CGATS text; cgats_error for anything
// malformed: a missing keyword ("SPECTRAL_BANDS is missing"), a value that
// is no number ("\"0.5x\" is not a number"), a set with too few or too many
// values, a repeated data block that differs from the first.
spectral_table read_cgats(std::string_view text);

// The same, keeping only the first `sets_kept` sets of the data block (an
// illuminant uses one, an observer three): the others are read and checked
// but not stored, so that memory follows what is used, not the file's length.
// sets_in_file counts them all.
spectral_table read_cgats(std::string_view text, std::size_t sets_kept);

}  // namespace colour
