// The module's functions on measured spectra: spectrum_colour, cct and
// daylight, the same numbers as `vollfarbe spectrum`.
#pragma once

#include <pybind11/pybind11.h>

namespace vollfarbe_python {

void add_spectrum_functions(pybind11::module_& module);

}  // namespace vollfarbe_python
