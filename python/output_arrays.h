// Where a function writes its results: new float64 arrays of the arguments'
// broadcast shape, or the caller's own (`out=`), as a numpy ufunc takes
// them. Writing into arrays the caller keeps saves the page faults of fresh
// memory on every call, which for a large array cost as much as the model.
//
//   result_arrays results(out, 4, arguments);   // out: None, or 4 arrays
//   results.data(0)[i] = ...;
//   return results.returned();  // out given: out itself; else new arrays
//                               // (numpy scalars where the shape is 0-d)
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstddef>
#include <string>
#include <vector>

#include "python/numeric_arguments.h"

namespace vollfarbe_python {

// That an out= array can take a result: an ndarray of the dtype, C-contiguous,
// writeable, of the shape; else TypeError or ValueError naming `what` ("out[1]").
void check_output_array(py::handle array, const py::dtype& wanted,
                        const std::vector<py::ssize_t>& shape, const std::string& what);

// Out arrays must not share memory with each other, nor with an argument
// unless they are that argument itself (every entry is read before it is
// written, so the same element is safe; a shifted view is not).
// ValueError naming the array.
void check_no_overlap(const std::vector<py::array>& outputs, const std::vector<std::string>& names,
                      const broadcast_arguments& arguments);

class result_arrays {
 public:
  // out: None, or a tuple (or list) of `count` arrays; for count 1 an array
  // alone too.
  result_arrays(py::handle out, std::size_t count, const broadcast_arguments& arguments);

  double* data(std::size_t i) { return arrays_[i].mutable_data(); }
  // The result as the caller gets it: the out= tuple (or array) itself, or
  // the new arrays (a tuple for several, 0-d ones as numpy scalars).
  py::object returned() const;

 private:
  py::object given_;
  std::vector<float_array> arrays_;
};

}  // namespace vollfarbe_python
