// Arguments and results of the module's functions as numpy arrays: every
// numeric argument becomes a C-contiguous float64 array, the arguments of one
// call broadcast against each other as a ufunc's do, and results come back
// in the broadcast shape (a 0-d result as a numpy scalar, like a ufunc's).
//
//   numeric_argument(600, "wavelength")          -> array(600.)
//   numeric_argument("600", "wavelength")        -> TypeError "wavelength: ... str ..."
//   broadcast_arguments({{600, "wavelength"}, {[[0], [1]], "partner"}}).shape -> (2, 1)
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstddef>
#include <initializer_list>
#include <utility>
#include <vector>

namespace vollfarbe_python {

namespace py = pybind11;

using float_array = py::array_t<double, py::array::c_style>;

// What numpy.asarray reads as bool, integer or real numbers, as float64.
// None, strings, bytes, complex numbers and arrays of objects raise
// TypeError, ragged sequences ValueError; each message names the argument.
float_array numeric_argument(py::handle value, const char* name);

struct named_argument {
  py::handle value;
  const char* name;
};

// The arguments of one call, broadcast to one shape: arrays[i] is the i-th
// argument, C-contiguous float64 of `shape` (no copy where the argument
// already is one). Shapes that do not broadcast raise ValueError naming the
// arguments and their shapes.
struct broadcast_arguments {
  explicit broadcast_arguments(std::initializer_list<named_argument> arguments);

  std::vector<py::ssize_t> shape;
  std::size_t size = 0;  // the number of entries
  std::vector<float_array> arrays;

  const double* data(std::size_t i) const { return arrays[i].data(); }
};

// A new float64 array of the shape, for a result.
float_array new_result(const std::vector<py::ssize_t>& shape);

// A result as the caller gets it: 0-d arrays as numpy scalars.
py::object returned(const py::array& result);

// A tuple of results, each as returned().
template <typename... Arrays>
py::tuple returned_tuple(const Arrays&... results) {
  return py::make_tuple(returned(results)...);
}

}  // namespace vollfarbe_python
