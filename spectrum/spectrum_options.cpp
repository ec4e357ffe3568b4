// The CLI11 declarations of `vollfarbe spectrum`.
#include <CLI/CLI.hpp>

#include "spectrum/spectrum_command.h"

namespace spectrum {

void add_spectrum_options(CLI::App& command, spectrum_options& options) {
  command.add_option("file", options.file,
                     "Sample spectra: CGATS (.sp, as colord writes them) or CSV with a header "
                     "(wavelength in nm, then one column a sample); - reads stdin; none gives "
                     "the illuminant itself")
      ->type_name("FILE");
  command.add_option("--kind", options.kind,
                     "reflectance (default) or transmittance, lit by the illuminant; emission, "
                     "the light itself (Y = 100, with its CCT and Duv)")
      ->type_name("KIND");
  command.add_flag("--percent", options.percent, "The values are in percent (0 to 100)")
      ->disable_flag_override();
  command.add_option("--white", options.white,
                     "The white point for the dominant wavelengths and purities, as x,y "
                     "(default: the illuminant's)")
      ->type_name("X,Y");
  command.add_option("--format", options.format, "csv (default), tsv, json or jsonl")
      ->type_name("FORMAT");
  command.add_flag("--strict", options.strict,
                   "Refuse colours outside the spectrum locus instead of leaving their purities "
                   "empty with a warning")
      ->disable_flag_override();
  command.footer(
      "\nColumns: sample, X, Y, Z, x, y, u_prime, v_prime, dominant, complementary,\n"
      "excitation_purity, colorimetric_purity, inside_locus, and for an emission cct\n"
      "(K) and duv. The sample is held at its end values beyond its range (the CIE's\n"
      "advice for missing data); a grid that is not even is interpolated linearly\n"
      "(a warning says so), an even one by Sprague's quintics. The CCT is taken with\n"
      "the CIE 1931 observer whatever --observer says, as the CIE defines it, from\n"
      "1000 to 100000 K. --illuminant D:T is daylight of T kelvin (4000 to 25000).\n"
      "Examples:\n"
      "  vollfarbe spectrum --illuminant D65 /usr/share/colord/ref/CIE-TCS.sp\n"
      "  vollfarbe spectrum --illuminant F2\n"
      "  vollfarbe spectrum --kind emission lamp.csv\n"
      "  vollfarbe spectrum --method cie15 /usr/share/colord/ref/CIE-TCS.sp");
}

}  // namespace spectrum
