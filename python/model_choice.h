// The colour models the module offers, by the names of their observer and
// illuminant: observer="legacy", illuminant="E" is the built-in model the
// program computes with; "cie1931" and "cie1964" are the CIE observers under
// any illuminant colord-data has ("D65", "A", ...) or one read from a file.
#pragma once

#include <pybind11/pybind11.h>

#include <memory>
#include <string>
#include <vector>

#include "colour/colour_model.h"

namespace vollfarbe_python {

// The model for the two names (Python str). A name that is no str raises
// TypeError, an unknown name or data that make no model ValueError naming
// the argument and what there is:
//   observer='cie2006' -> "observer: no observer 'cie2006'; there are: legacy, cie1931, cie1964".
// Models loaded by name are kept for the next call; a file is read each time.
// Call with the GIL held.
std::shared_ptr<const colour::model> chosen_model(pybind11::handle observer,
                                                  pybind11::handle illuminant);

std::vector<std::string> observer_names();
std::vector<std::string> illuminant_names();

}  // namespace vollfarbe_python
