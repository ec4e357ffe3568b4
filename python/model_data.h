// Colour models as Python objects (`_vollfarbe._Model`), so that a model read
// from files can travel to other processes as the files' text and be built
// there again, bit for bit the same model: the Python package's `Model`
// keeps the text and pickles it (python/vollfarbe/__init__.py).
//
//   _model_from_names("cie1931", "D65")            -> the model by its names
//   _model_from_data("my", "my, lamp", "my.cmf", cmf_text, "lamp.sp", spd_text)
//
// Every function's observer= argument takes such an object as well as a name.
#pragma once

#include <pybind11/pybind11.h>

#include <memory>

#include "colour/colour_model.h"

namespace vollfarbe_python {

// The model an observer= argument holds when it is a model object; null
// when it is something else (a name).
std::shared_ptr<const colour::model> given_model(pybind11::handle observer);

// Adds _Model, _model_from_names, _model_from_cmf, _model_from_data,
// _observer_files and
// _colord_data_dir to the module.
void define_model_objects(pybind11::module_& module);

}  // namespace vollfarbe_python
