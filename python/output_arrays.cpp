#include "python/output_arrays.h"

#include <cstdint>

namespace vollfarbe_python {
namespace {

std::string shape_text(const std::vector<py::ssize_t>& shape) {
  std::string text = "(";
  for (std::size_t i = 0; i < shape.size(); ++i) {
    text += (i == 0 ? "" : ", ") + std::to_string(shape[i]);
  }
  return text + (shape.size() == 1 ? ",)" : ")");
}

struct byte_range {
  std::uintptr_t begin, end;
  bool overlaps(const byte_range& other) const { return begin < other.end && other.begin < end; }
};

byte_range range_of(const py::array& array) {
  const auto begin = reinterpret_cast<std::uintptr_t>(array.data());
  return {begin, begin + static_cast<std::uintptr_t>(array.nbytes())};
}

}  // namespace

void check_output_array(py::handle value, const py::dtype& wanted,
                        const std::vector<py::ssize_t>& shape, const std::string& what) {
  if (!py::isinstance<py::array>(value)) {
    throw py::type_error(what + ": give a numpy array, not " +
                         py::str(py::type::of(value)).cast<std::string>());
  }
  const auto array = py::reinterpret_borrow<py::array>(value);
  if (!array.dtype().equal(wanted)) {
    throw py::type_error(what + ": an array of dtype " + py::str(array.dtype()).cast<std::string>() +
                         " cannot take the results, which are " +
                         py::str(static_cast<py::handle>(wanted)).cast<std::string>());
  }
  const std::vector<py::ssize_t> given(array.shape(), array.shape() + array.ndim());
  if (given != shape) {
    throw py::value_error(what + ": shape " + shape_text(given) +
                          " is not the arguments' broadcast shape " + shape_text(shape));
  }
  if ((array.flags() & py::array::c_style) == 0) {
    throw py::value_error(what + ": the array is not C-contiguous (results are written in place)");
  }
  if (!array.writeable()) throw py::value_error(what + ": the array is read-only");
}

void check_no_overlap(const std::vector<py::array>& outputs, const std::vector<std::string>& names,
                      const broadcast_arguments& arguments) {
  for (std::size_t i = 0; i < outputs.size(); ++i) {
    const byte_range out = range_of(outputs[i]);
    if (out.begin == out.end) continue;
    for (std::size_t j = 0; j < i; ++j) {
      if (out.overlaps(range_of(outputs[j]))) {
        throw py::value_error(names[i] + ": shares memory with " + names[j]);
      }
    }
    for (const auto& argument : arguments.arrays) {
      const byte_range in = range_of(argument);
      if (out.overlaps(in) && !(in.begin == out.begin && in.end == out.end)) {
        throw py::value_error(names[i] + ": overlaps an argument without being that argument");
      }
    }
  }
}

result_arrays::result_arrays(py::handle out, std::size_t count,
                             const broadcast_arguments& arguments) {
  if (out.is_none()) {
    for (std::size_t i = 0; i < count; ++i) arrays_.push_back(new_result(arguments.shape));
    return;
  }
  given_ = py::reinterpret_borrow<py::object>(out);
  std::vector<py::handle> items;
  if (count == 1 && py::isinstance<py::array>(out)) {
    items.push_back(out);
  } else if (py::isinstance<py::tuple>(out) || py::isinstance<py::list>(out)) {
    for (const py::handle item : out) items.push_back(item);
  }
  if (items.size() != count) {
    throw py::type_error("out: give a tuple of " + std::to_string(count) +
                         " float64 arrays of the arguments' shape, one per result, not " +
                         py::repr(out).cast<std::string>().substr(0, 80));
  }
  const py::dtype float64 = py::dtype::of<double>();
  std::vector<py::array> checked;
  std::vector<std::string> names;
  for (std::size_t i = 0; i < count; ++i) {
    names.push_back(count == 1 ? "out" : "out[" + std::to_string(i) + "]");
    check_output_array(items[i], float64, arguments.shape, names.back());
    checked.push_back(py::reinterpret_borrow<py::array>(items[i]));
    arrays_.push_back(py::reinterpret_borrow<float_array>(items[i]));
  }
  check_no_overlap(checked, names, arguments);
}

py::object result_arrays::returned() const {
  if (given_) return given_;
  if (arrays_.size() == 1) return vollfarbe_python::returned(arrays_[0]);
  py::tuple results(arrays_.size());
  for (std::size_t i = 0; i < arrays_.size(); ++i) results[i] = vollfarbe_python::returned(arrays_[i]);
  return results;
}

}  // namespace vollfarbe_python
