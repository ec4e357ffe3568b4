#include "python/model_choice.h"

#include <algorithm>

namespace vollfarbe_python {
namespace {

namespace py = pybind11;

std::string listed(const std::vector<std::string>& names) {
  std::string text;
  for (const auto& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

std::string name_argument(py::handle value, const char* argument, const char* kind,
                          const std::vector<std::string>& known) {
  if (!py::isinstance<py::str>(value)) {
    throw py::type_error(std::string(argument) + ": give the " + kind + "'s name as a str (" +
                         listed(known) + "), not " + py::repr(value).cast<std::string>());
  }
  std::string name = value.cast<std::string>();
  if (std::find(known.begin(), known.end(), name) == known.end()) {
    throw py::value_error(std::string(argument) + ": no " + kind + " " +
                          py::repr(value).cast<std::string>() + "; there are: " + listed(known));
  }
  return name;
}

}  // namespace

std::vector<std::string> observer_names() { return {"legacy"}; }
std::vector<std::string> illuminant_names() { return {"E"}; }

const colour::model& chosen_model(py::handle observer, py::handle illuminant) {
  name_argument(observer, "observer", "observer", observer_names());
  name_argument(illuminant, "illuminant", "illuminant", illuminant_names());
  return colour::legacy_model();
}

}  // namespace vollfarbe_python
