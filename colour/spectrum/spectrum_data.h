// A measured spectrum: values at wavelengths, as a file gives them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace colour {

struct sample_spectrum {
  std::string id;                   // "TCS01", a CSV column's header
  std::vector<double> wavelengths;  // nm, rising; a wavelength given twice is a step
  std::vector<double> values;       // factors (0..1 for a reflectance) or relative power
};

// What a spectrum is: a reflectance or transmittance is lit by the
// model's illuminant; an emission spectrum is the light itself.
enum class spectrum_kind { reflectance, transmittance, emission };

// How the tristimulus values are summed up:
//   exact: the spectrum interpolated on its own grid, times the model's
//          functions, integrated exactly over the model's range;
//   cie15: CIE 15's 5 nm summation over 380..780 nm.
enum class summation_method { exact, cie15 };

// "reflectance" -> reflectance; none for another text.
std::optional<spectrum_kind> spectrum_kind_named(std::string_view name);
std::optional<summation_method> summation_method_named(std::string_view name);

}  // namespace colour
