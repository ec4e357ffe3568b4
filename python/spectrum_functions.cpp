#include "python/spectrum_functions.h"

#include <pybind11/numpy.h>

#include <cmath>
#include <string>
#include <vector>

#include "colour/catalogue/model_loading.h"
#include "colour/cie/cie_model.h"
#include "colour/cie/daylight_illuminant.h"
#include "colour/exact_arithmetic.h"
#include "colour/spectrum/spectrum_temperature.h"
#include "colour/spectrum/spectrum_colour.h"
#include "python/model_choice.h"
#include "python/numeric_arguments.h"

namespace vollfarbe_python {
namespace {

using namespace pybind11::literals;

constexpr const char* spectrum_colour_doc =
    R"(spectrum_colour(wavelengths, values, kind='reflectance', observer='cie1931', illuminant='E', method='exact')
--

The colour of sample spectra, as ``vollfarbe spectrum`` computes it.

Parameters
----------
wavelengths : array_like
    The wavelengths of the values, nm, rising (one given twice is a step).
values : array_like
    One spectrum (1-D) or one per row (2-D), a factor (0..1) or relative
    power at each wavelength.
kind : str, optional
    'reflectance' or 'transmittance' (lit by the illuminant) or 'emission'
    (the light itself, Y = 100).
observer, illuminant : str, optional
    A CIE observer ('cie1931', 'cie1964') and an illuminant ('D65', 'D:5003', ...).
method : str, optional
    'exact' (integrated exactly over the observer's range) or 'cie15' (the
    5 nm summation over 380..780 nm).

Returns
-------
dict of str to ndarray
    X, Y, Z, x, y and the dominant and complementary wavelength, excitation
    and colorimetric purity (NaN outside the spectrum locus); one entry per
    spectrum, scalars for one.

Examples
--------
>>> import vollfarbe
>>> c = vollfarbe.spectrum_colour([400, 700], [1, 1], illuminant='D65')
>>> round(float(c["Y"]), 10), round(float(c["x"]), 5)
(100.0, 0.31271)
)";

constexpr const char* cct_doc = R"(cct(wavelengths, values)
--

The correlated colour temperature and Duv of emission spectra, with the CIE
1931 observer (as the CIE defines them), from 1,000 to 100,000 K.

Parameters
----------
wavelengths : array_like
    nm, rising.
values : array_like
    One spectrum (1-D) or one per row (2-D), relative power.

Returns
-------
(cct, duv) : tuple of ndarray
    K, and the signed distance from the Planckian locus in CIE 1960 (u, v),
    positive above it; NaN outside the range.

Examples
--------
>>> import vollfarbe
>>> nm, power = vollfarbe.daylight(6504)
>>> t, duv = vollfarbe.cct(nm, power)
>>> round(float(t)), round(float(duv), 4)
(6506, 0.0032)
)";

constexpr const char* daylight_doc = R"(daylight(cct)
--

CIE daylight of a correlated colour temperature (4,000 to 25,000 K), from
the CIE's basis functions in colord-data and CIE 15's formulas.

Parameters
----------
cct : float
    The correlated colour temperature, K (D65 is 6504 K, D50 5003 K).

Returns
-------
(wavelengths, power) : tuple of ndarray
    300 to 830 nm by 5 nm; power 100 at 560 nm.

Examples
--------
>>> import vollfarbe
>>> nm, power = vollfarbe.daylight(6504)
>>> float(nm[0]), float(nm[-1]), float(power[52])
(300.0, 830.0, 100.0)
)";

const colour::cie_model& cie_of(const colour::model& m) {
  const auto* cie = dynamic_cast<const colour::cie_model*>(&m);
  if (!cie) {
    throw py::value_error("observer: the built-in tables have no spectral data; use 'cie1931' or 'cie1964'");
  }
  return *cie;
}

// The spectra: rows of `values` against `wavelengths`.
std::vector<colour::sample_spectrum> spectra_of(py::handle wavelengths, py::handle values) {
  const float_array w = numeric_argument(wavelengths, "wavelengths");
  const float_array v = numeric_argument(values, "values");
  if (w.ndim() != 1) throw py::value_error("wavelengths: give one row of wavelengths");
  if (v.ndim() != 1 && v.ndim() != 2) throw py::value_error("values: give one spectrum or one a row");
  const auto n = static_cast<std::size_t>(w.shape(0));
  const auto columns = static_cast<std::size_t>(v.shape(v.ndim() - 1));
  if (columns != n || n == 0) {
    throw py::value_error("values: " + std::to_string(columns) + " values a spectrum for " +
                          std::to_string(n) + " wavelengths");
  }
  const std::size_t rows = v.ndim() == 1 ? 1 : static_cast<std::size_t>(v.shape(0));
  std::vector<colour::sample_spectrum> out(rows);
  for (std::size_t r = 0; r < rows; ++r) {
    out[r].wavelengths.assign(w.data(), w.data() + n);
    out[r].values.assign(v.data() + r * n, v.data() + (r + 1) * n);
  }
  return out;
}

std::vector<py::ssize_t> result_shape(py::handle values) {
  const float_array v = numeric_argument(values, "values");
  if (v.ndim() == 2) return {v.shape(0)};
  return {};
}

template <typename Kind>
Kind named(py::handle value, const char* what, std::optional<Kind> (*lookup)(std::string_view)) {
  if (!py::isinstance<py::str>(value)) throw py::type_error(std::string(what) + ": give a str");
  const auto kind = lookup(value.cast<std::string>());
  if (!kind) throw py::value_error(std::string(what) + ": no " + what + " '" + value.cast<std::string>() + "'");
  return *kind;
}

py::dict spectrum_colour(py::handle wavelengths, py::handle values, py::handle kind,
                         py::handle observer, py::handle illuminant, py::handle method) {
  const auto k = named<colour::spectrum_kind>(kind, "kind", colour::spectrum_kind_named);
  const auto m = named<colour::summation_method>(method, "method", colour::summation_method_named);
  const auto chosen = chosen_model(observer, illuminant);
  const colour::cie_model& model = cie_of(*chosen);
  const std::vector<colour::sample_spectrum> spectra = spectra_of(wavelengths, values);
  const std::vector<py::ssize_t> shape = result_shape(values);
  const char* names[] = {"X", "Y", "Z", "x", "y", "dominant", "complementary",
                         "excitation_purity", "colorimetric_purity"};
  std::vector<float_array> results;
  for (std::size_t c = 0; c < std::size(names); ++c) results.push_back(new_result(shape));
  try {
    const py::gil_scoped_release release;
    const colour::exact_arithmetic scope;
    std::unique_ptr<colour::cie_model> summed_white;
    if (m == colour::summation_method::cie15) {
      summed_white = std::make_unique<colour::cie_model>(
          model, colour::chromaticity_xy(colour::white_tristimulus(model, m)));
    }
    const colour::cie_model& hues = summed_white ? *summed_white : model;
    for (std::size_t i = 0; i < spectra.size(); ++i) {
      const colour::tristimulus t = colour::spectrum_tristimulus(colour::spectrum_function(spectra[i]), model, k, m);
      const bool light = (t.X + t.Y) + t.Z > 0;
      const colour::chromaticity xy = light ? colour::chromaticity_xy(t) : colour::chromaticity{NAN, NAN};
      const colour::dominant_hue h = *hues.dominant(xy.x, xy.y);
      const double row[] = {t.X, t.Y, t.Z, xy.x, xy.y, h.dominant, h.complementary,
                            h.excitation_purity, h.colorimetric_purity};
      for (std::size_t c = 0; c < std::size(names); ++c) results[c].mutable_data()[i] = row[c];
    }
  } catch (const std::invalid_argument& e) {
    throw py::value_error(std::string("values: ") + e.what());
  }
  py::dict out;
  for (std::size_t c = 0; c < std::size(names); ++c) out[names[c]] = returned(results[c]);
  return out;
}

py::tuple cct(py::handle wavelengths, py::handle values) {
  const auto chosen = chosen_model(py::str("cie1931"), py::str("E"));
  const colour::cie_model& observer = cie_of(*chosen);
  const std::vector<colour::sample_spectrum> spectra = spectra_of(wavelengths, values);
  const std::vector<py::ssize_t> shape = result_shape(values);
  float_array temperature = new_result(shape), duv = new_result(shape);
  try {
    const py::gil_scoped_release release;
    const colour::exact_arithmetic scope;
    for (std::size_t i = 0; i < spectra.size(); ++i) {
      const colour::tristimulus t = colour::spectrum_tristimulus(
          colour::spectrum_function(spectra[i]), observer, colour::spectrum_kind::emission,
          colour::summation_method::exact);
      const colour::colour_temperature c = colour::correlated_colour_temperature(t, observer);
      temperature.mutable_data()[i] = c.cct;
      duv.mutable_data()[i] = c.duv;
    }
  } catch (const std::invalid_argument& e) {
    throw py::value_error(std::string("values: ") + e.what());
  }
  return returned_tuple(temperature, duv);
}

py::tuple daylight(double kelvin) {
  colour::spectral_table spd;
  try {
    const colour::exact_arithmetic scope;
    spd = colour::daylight_table(kelvin);
  } catch (const colour::model_load_error& e) {
    throw py::value_error(std::string("cct: ") + e.what());
  } catch (const std::domain_error& e) {
    throw py::value_error(std::string("cct: ") + e.what());
  }
  float_array nm = new_result({static_cast<py::ssize_t>(spd.bands)});
  float_array power = new_result({static_cast<py::ssize_t>(spd.bands)});
  for (std::size_t i = 0; i < spd.bands; ++i) {
    nm.mutable_data()[i] = spd.wavelength(i);
    power.mutable_data()[i] = spd.sets[0][i];
  }
  return py::make_tuple(nm, power);
}

}  // namespace

void add_spectrum_functions(py::module_& module) {
  module.def("spectrum_colour", &spectrum_colour, spectrum_colour_doc, "wavelengths"_a, "values"_a,
             "kind"_a = py::str("reflectance"), "observer"_a = py::str("cie1931"),
             "illuminant"_a = py::str("E"), "method"_a = py::str("exact"));
  module.def("cct", &cct, cct_doc, "wavelengths"_a, "values"_a);
  module.def("daylight", &daylight, daylight_doc, "cct"_a);
}

}  // namespace vollfarbe_python
