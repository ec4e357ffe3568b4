// Sample spectra from a file's text, in either of two forms:
//
//   CGATS as colord writes it (colour/cgats_reader.h): SPECTRAL_START_NM,
//   SPECTRAL_END_NM, SPECTRAL_BANDS, a SAMPLE_ID and SPEC_nnn fields, one
//   set a sample (colord-data's ref/CIE-TCS.sp holds the 15 CIE test-colour
//   samples). A file without SAMPLE_ID names its sets 1, 2, ...
//
//   CSV with a header: the first column the wavelength in nm, each further
//   column a sample named by its header; commas, or tabs, between fields.
//     nm,red tile,green tile
//     380,0.05,0.04
//     385,0.05,0.05
//   Wavelengths rise from row to row; one given twice (on two rows in a
//   row) is a step: a 0/1 band with edges at 500 and 600 nm is
//     nm,band
//     500,0
//     500,1
//     600,1
//     600,0
//
// A text holding BEGIN_DATA is read as CGATS, any other as CSV.
// `percent`: the values are in percent (0..100) and are divided by 100.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "colour/spectrum/spectrum_data.h"

namespace colour {

// What is wrong and on which line (1-based).
class spectrum_read_error : public std::runtime_error {
 public:
  spectrum_read_error(std::size_t line, const std::string& problem)
      : std::runtime_error(problem), line_(line) {}
  std::size_t line() const { return line_; }

 private:
  std::size_t line_;
};

std::vector<sample_spectrum> read_spectra(std::string_view text, bool percent = false);

}  // namespace colour
