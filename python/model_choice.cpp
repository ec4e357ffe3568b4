#include "python/model_choice.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <utility>

#include "colour/catalogue/model_loading.h"
#include "python/model_data.h"

namespace vollfarbe_python {
namespace {

namespace py = pybind11;

std::string listed(const std::vector<std::string>& names) {
  std::string text;
  for (const auto& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

std::string str_argument(py::handle value, const char* argument, const std::string& examples) {
  if (!py::isinstance<py::str>(value)) {
    throw py::type_error(std::string(argument) + ": give a name as a str (" + examples +
                         "), not " + py::repr(value).cast<std::string>());
  }
  // As open() takes a path: the file system's encoding, undecodable bytes
  // of a file name (surrogate escapes) given back as they were.
  const py::object encoded = py::reinterpret_steal<py::object>(PyUnicode_EncodeFSDefault(value.ptr()));
  if (!encoded) {
    PyErr_Clear();
    throw py::value_error(std::string(argument) + ": " + py::repr(value).cast<std::string>() +
                          " cannot be a file's name (a lone surrogate)");
  }
  std::string text = encoded.cast<py::bytes>();
  if (text.find('\0') != std::string::npos) {
    throw py::value_error(std::string(argument) + ": " + py::repr(value).cast<std::string>() +
                          " holds a NUL character, which no file's name has");
  }
  return text;
}

// As the program takes it: a text with '/' or '.' is a file, names in any case.
bool is_file_name(const std::string& text) {
  return text.find_first_of("/.") != std::string::npos;
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::vector<std::string> observer_names() { return colour::observer_names(); }
std::vector<std::string> illuminant_names() { return colour::illuminant_names(); }

std::shared_ptr<const colour::model> chosen_model(py::handle observer_value,
                                                  py::handle illuminant_value) {
  if (auto given = given_model(observer_value)) return given;  // a Model object
  const std::string observer = str_argument(observer_value, "observer", listed(observer_names()));
  const std::string illuminant =
      str_argument(illuminant_value, "illuminant", "such as 'E', 'D65' or a file's path");
  const auto& observers = colour::observer_names();
  if (std::find(observers.begin(), observers.end(), observer) == observers.end()) {
    throw py::value_error("observer: no observer " + py::repr(observer_value).cast<std::string>() +
                          "; there are: " + listed(observers));
  }
  const bool from_file = is_file_name(illuminant);
  const auto& illuminants = colour::illuminant_names();
  if (!from_file &&
      std::find(illuminants.begin(), illuminants.end(), upper(illuminant)) == illuminants.end()) {
    throw py::value_error("illuminant: no illuminant " +
                          py::repr(illuminant_value).cast<std::string>() + "; there are: " +
                          listed(illuminants) + ", or give a file's path");
  }
  if (observer == "legacy" && (from_file || upper(illuminant) != "E")) {
    throw py::value_error("illuminant: the built-in tables (observer 'legacy') have the white "
                          "point E only, not " + py::repr(illuminant_value).cast<std::string>());
  }
  // Called with the GIL held, which guards the cache too.
  static std::map<std::pair<std::string, std::string>, std::shared_ptr<const colour::model>> loaded;
  const auto key = std::make_pair(observer, upper(illuminant));
  if (!from_file) {
    if (const auto found = loaded.find(key); found != loaded.end()) return found->second;
  }
  std::shared_ptr<const colour::model> model;
  std::vector<std::string> warnings;
  try {
    model = colour::load_model(observer, illuminant, &warnings);
  } catch (const colour::model_load_error& error) {
    throw py::value_error("observer " + py::repr(observer_value).cast<std::string>() +
                          " under illuminant " + py::repr(illuminant_value).cast<std::string>() +
                          ": " + error.what());
  }
  // As the program's "warning:" lines: Python's warnings, which a caller may
  // silence or turn into errors.
  for (const std::string& warning : warnings) {
    if (PyErr_WarnEx(PyExc_UserWarning, warning.c_str(), 1) < 0) throw py::error_already_set();
  }
  if (!from_file) loaded.emplace(key, model);
  return model;
}

}  // namespace vollfarbe_python
