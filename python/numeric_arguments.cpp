#include "python/numeric_arguments.h"

#include <algorithm>
#include <string>

namespace vollfarbe_python {
namespace {

using namespace pybind11::literals;

py::module_ numpy() { return py::module_::import("numpy"); }

std::string shape_text(const std::vector<py::ssize_t>& shape) {
  std::string text = "(";
  for (std::size_t i = 0; i < shape.size(); ++i) {
    if (i != 0) text += ", ";
    text += std::to_string(shape[i]);
  }
  return text + (shape.size() == 1 ? ",)" : ")");
}

std::vector<py::ssize_t> shape_of(const py::array& array) {
  return {array.shape(), array.shape() + array.ndim()};
}

}  // namespace

float_array numeric_argument(py::handle value, const char* name) {
  const std::string what = name;
  // numpy.asarray(None, float) is NaN and numpy.asarray("600", float) is 600:
  // both are mistakes here, not numbers.
  if (value.is_none()) throw py::type_error(what + ": None is no number");
  if (py::isinstance<py::str>(value) || py::isinstance<py::bytes>(value)) {
    throw py::type_error(what + ": " + py::repr(value).cast<std::string>() +
                         " is a string, not a number");
  }
  py::array array;
  try {
    array = numpy().attr("asarray")(value);
  } catch (py::error_already_set& error) {
    if (!error.matches(PyExc_ValueError) && !error.matches(PyExc_TypeError)) throw;
    throw py::value_error(what + ": cannot be read as an array of numbers (" +
                          py::str(error.value()).cast<std::string>() + ")");
  }
  const char kind = array.dtype().kind();
  if (kind != 'b' && kind != 'i' && kind != 'u' && kind != 'f') {
    throw py::type_error(what + ": an array of dtype " +
                         py::str(array.dtype()).cast<std::string>() +
                         " is not an array of real numbers");
  }
  // astype, not ascontiguousarray, which turns a 0-d array into a 1-d one.
  return array.attr("astype")("float64", "order"_a = "C", "copy"_a = false).cast<float_array>();
}

broadcast_arguments::broadcast_arguments(std::initializer_list<named_argument> arguments) {
  std::vector<float_array> converted;
  for (const auto& argument : arguments) {
    converted.push_back(numeric_argument(argument.value, argument.name));
  }
  // The ufunc rule: shapes aligned at the right, each dimension 1 or the
  // same length.
  py::ssize_t dimensions = 0;
  for (const auto& array : converted) dimensions = std::max(dimensions, array.ndim());
  shape.assign(static_cast<std::size_t>(dimensions), 1);
  bool fits = true;
  for (const auto& array : converted) {
    const py::ssize_t offset = dimensions - array.ndim();
    for (py::ssize_t d = 0; d < array.ndim(); ++d) {
      const py::ssize_t length = array.shape(d);
      auto& target = shape[static_cast<std::size_t>(offset + d)];
      if (length == target || length == 1) continue;
      if (target == 1) target = length; else fits = false;
    }
  }
  if (!fits) {
    std::string names, shapes;
    std::size_t i = 0;
    for (const auto& argument : arguments) {
      names += (i == 0 ? "" : i + 1 == arguments.size() ? " and " : ", ") + std::string(argument.name);
      shapes += (i == 0 ? "" : ", ") + shape_text(shape_of(converted[i]));
      ++i;
    }
    throw py::value_error(names + ": shapes " + shapes + " do not broadcast together");
  }
  size = 1;
  for (const py::ssize_t length : shape) size *= static_cast<std::size_t>(length);
  py::tuple target_shape(shape.size());
  for (std::size_t d = 0; d < shape.size(); ++d) target_shape[d] = shape[d];
  for (auto& array : converted) {
    if (shape_of(array) == shape) {
      arrays.push_back(std::move(array));
    } else {
      const py::object spread = numpy().attr("broadcast_to")(array, target_shape);
      arrays.push_back(numpy().attr("array")(spread, "order"_a = "C").cast<float_array>());
    }
  }
}

float_array new_result(const std::vector<py::ssize_t>& shape) { return float_array(shape); }

py::object returned(const py::array& result) {
  if (result.ndim() == 0) return result[py::tuple()];
  return result;
}

}  // namespace vollfarbe_python
