// `vollfarbe spectrum`: the colour of measured spectra under a CIE model,
// one row a sample:
//   sample,X,Y,Z,x,y,u_prime,v_prime,dominant,complementary,
//   excitation_purity,colorimetric_purity,inside_locus[,cct,duv]
// from a file of sample spectra (CGATS as colord writes it, or CSV with a
// header: colour/spectrum/spectrum_reading.h), or "-" for stdin. Without a
// file, the row of the illuminant itself (its light, Y = 100) with its
// correlated colour temperature and Duv.
//
//   --kind reflectance|transmittance (lit by the illuminant) | emission (the
//     light itself, Y = 100; with cct and duv, always by the CIE 1931
//     observer, as the CIE defines them)
//   --method exact (default) | cie15 (5 nm summation over 380..780 nm; the
//     white for the hues is then the summed one)
//   --percent: values 0..100; --white x,y: the white point for the hues;
//   --strict: a colour outside the spectrum locus is an error (exit 2)
//     instead of a row with empty purities and a warning.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "colour/colour_model.h"

namespace CLI {
class App;
}

namespace spectrum {

struct spectrum_options {
  std::string file;  // "" for the illuminant's own row, "-" for stdin
  std::string kind = "reflectance";
  std::string method = "exact";
  bool percent = false;
  std::optional<std::string> white;  // "x,y"
  std::string format = "csv";
  bool strict = false;
};

// The command's own options (the model options are the program's).
void add_spectrum_options(CLI::App& command, spectrum_options& options);

// `model` computes the colours; `cie1931` (under the same illuminant) the
// colour temperatures. Usage mistakes throw cli::usage_error before anything
// is written; a bad sample file is reported on `err` with its file, line and
// problem: status 2, nothing on `out`. Returns 0, 2 (a bad file, or
// --strict refusing a colour), or 1 when the output could not be written.
int run_spectrum(const spectrum_options& options, const colour::model& model,
                 const colour::model& cie1931, std::string_view illuminant_label, std::FILE* in,
                 std::FILE* out, std::FILE* err);

}  // namespace spectrum
