#include "python/model_data.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "colour/catalogue/model_catalogue.h"
#include "colour/catalogue/model_loading.h"
#include "colour/cgats_reader.h"
#include "colour/cie/cie_model.h"
#include "colour/cie/illuminant_resampling.h"
#include "python/model_choice.h"

namespace vollfarbe_python {
namespace {

namespace py = pybind11;

struct model_object {
  std::shared_ptr<const colour::model> model;
};

// The text of a spectral file, as the program reads it; a mistake names the
// file (its label) and the line.
colour::spectral_table table_of(const std::string& label, std::string_view text) {
  try {
    return colour::read_cgats(text);
  } catch (const colour::cgats_error& error) {
    throw py::value_error(label + ":" + std::to_string(error.line()) + ": " + error.what());
  }
}

model_object from_data(std::string name, std::string description, const std::string& cmf_label,
                       const py::bytes& cmf_text, const std::string& illuminant_label,
                       const py::bytes& illuminant_text) {
  const colour::spectral_table cmf = table_of(cmf_label, std::string_view(cmf_text));
  const colour::spectral_table spd = table_of(illuminant_label, std::string_view(illuminant_text));
  try {
    return {std::make_shared<colour::cie_model>(std::move(name), std::move(description), cmf,
                                                colour::resample_illuminant(spd, cmf))};
  } catch (const colour::model_data_error& error) {
    throw py::value_error(cmf_label + " with " + illuminant_label + ": " + error.what());
  }
}

// A model from a file of colour-matching functions, read as the program's
// --cmf reads it: its checks, its errors, its warnings (as UserWarning).
model_object from_cmf_file(const std::string& cmf_file, const std::string& illuminant) {
  std::vector<std::string> warnings;
  std::shared_ptr<const colour::model> model;
  try {
    model = colour::load_cmf_model(cmf_file, illuminant, &warnings);
  } catch (const colour::model_load_error& error) {
    throw py::value_error(std::string("cmf: ") + error.what());
  }
  for (const std::string& warning : warnings) {
    if (PyErr_WarnEx(PyExc_UserWarning, warning.c_str(), 1) < 0) throw py::error_already_set();
  }
  return {std::move(model)};
}

}  // namespace

std::shared_ptr<const colour::model> given_model(py::handle observer) {
  if (!py::isinstance<model_object>(observer)) return nullptr;
  return observer.cast<const model_object&>().model;
}

void define_model_objects(py::module_& module) {
  py::class_<model_object>(module, "_Model", "A colour model built in C++ (see vollfarbe.Model).")
      .def_property_readonly("name", [](const model_object& m) { return std::string(m.model->name()); })
      .def_property_readonly("description",
                             [](const model_object& m) { return std::string(m.model->description()); });
  module.def(
      "_model_from_names",
      [](py::handle observer, py::handle illuminant) {
        return model_object{chosen_model(observer, illuminant)};
      },
      "The model of an observer and an illuminant given by name (or the illuminant as a path).");
  module.def(
      "_observer_files",
      [] {
        py::dict files;
        for (const auto& observer : colour::observers()) {
          if (observer.cmf_file.empty()) continue;  // the built-in tables
          files[py::str(std::string(observer.name))] =
              std::string(colour::colord_data_dir) + "/" + std::string(observer.cmf_file);
        }
        return files;
      },
      "The file of colour-matching functions of each CIE observer by name, from the catalogue.");
  module.attr("_colord_data_dir") = std::string(colour::colord_data_dir);
  module.def("_model_from_cmf", &from_cmf_file,
             "The model of a colour-matching-function file under an illuminant (name or path).");
  module.def("_model_from_data", &from_data,
             "A CIE model from the text of a colour-matching-function file and of an "
             "illuminant's file, each with the label its messages name.");
}

}  // namespace vollfarbe_python
