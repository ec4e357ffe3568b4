// The colour models the module offers, by the names of their observer and
// illuminant: observer="legacy", illuminant="E" is the built-in model the
// program computes with.
#pragma once

#include <pybind11/pybind11.h>

#include <string>
#include <vector>

#include "colour/colour_model.h"

namespace vollfarbe_python {

// The model for the two names (Python str). A name that is no str raises
// TypeError, an unknown name ValueError naming the argument and what there
// is: observer='cie1931' -> "observer: no observer 'cie1931'; there are: legacy".
const colour::model& chosen_model(pybind11::handle observer, pybind11::handle illuminant);

std::vector<std::string> observer_names();
std::vector<std::string> illuminant_names();

}  // namespace vollfarbe_python
