// The optimal-colour solid in the Python module: macadam_limits,
// limit_ratio and full_colour_content over numpy arrays.
#pragma once

#include <pybind11/pybind11.h>

namespace vollfarbe_python {

void add_solid_functions(pybind11::module_& module);

}  // namespace vollfarbe_python
