// The Python module `vollfarbe`: every function converts its arguments to
// float64 arrays broadcast to one shape, then, with the GIL released and the
// exact arithmetic held, runs the colour model entry by entry (compute goes
// through the model's threaded batch entry) and returns arrays of that shape.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "colour/colour_model.h"
#include "colour/exact_arithmetic.h"
#include "python/model_choice.h"
#include "python/module_docs.h"
#include "python/numeric_arguments.h"
#include "python/spectrum_functions.h"
#include "python/table_columns_writer.h"
#include "table/table_columns.h"

namespace vollfarbe_python {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Runs entry(i) for every i without the GIL, inside the exact arithmetic.
template <typename Entry>
void for_each_entry(std::size_t count, Entry entry) {
  const py::gil_scoped_release release;
  const colour::exact_arithmetic scope;
  for (std::size_t i = 0; i < count; ++i) entry(i);
}

template <std::size_t N>
std::array<float_array, N> new_results(const broadcast_arguments& arguments) {
  std::array<float_array, N> results;
  for (auto& result : results) result = new_result(arguments.shape);
  return results;
}

// --- compute: the table's rows ---------------------------------------------

// threads=None: every core; otherwise a count of at least 1.
unsigned thread_count(py::handle threads) {
  if (threads.is_none()) return 0;
  if (!py::isinstance<py::int_>(threads) || py::isinstance<py::bool_>(threads)) {
    throw py::type_error("threads: give a count of threads as an int, or None for every core, not " +
                         py::repr(threads).cast<std::string>());
  }
  // An int beyond long long (2**63) is no count either: said so, not cast.
  int overflow = 0;
  const long long count = PyLong_AsLongLongAndOverflow(threads.ptr(), &overflow);
  if (overflow != 0 || count < 1 || count > 1024) {
    throw py::value_error("threads: " + py::repr(threads).cast<std::string>() +
                          " is no count of threads (1 to 1024, or None for every core)");
  }
  return static_cast<unsigned>(count);
}

py::dict compute(py::handle wavelength, py::handle partner, py::handle observer,
                 py::handle illuminant, py::handle threads) {
  const auto chosen = chosen_model(observer, illuminant);
  const colour::model& model = *chosen;
  const unsigned thread_limit = thread_count(threads);
  const broadcast_arguments arguments({{wavelength, "wavelength"}, {partner, "partner"}});
  // The number columns are the rows of one block: a single allocation, large
  // enough for numpy to back it with huge pages, which saves most of the
  // page faults of 19 fresh arrays.
  std::vector<py::ssize_t> block_shape{static_cast<py::ssize_t>(number_columns)};
  block_shape.insert(block_shape.end(), arguments.shape.begin(), arguments.shape.end());
  float_array numbers = new_result(block_shape);
  py::array path(py::dtype("<U" + std::to_string(path_units)), arguments.shape);
  table_column_arrays columns{};
  for (std::size_t c = 0; c < number_columns; ++c) {
    columns.numbers[c] = numbers.mutable_data() + c * arguments.size;
  }
  columns.path = static_cast<std::uint32_t*>(path.mutable_data());
  // A quarter million entries at a time (under 0.1 s), with a look for
  // Ctrl-C between them: a huge array can be interrupted.
  constexpr std::size_t slice = std::size_t{1} << 18;
  for (std::size_t start = 0; start < arguments.size; start += slice) {
    const std::size_t n = std::min(slice, arguments.size - start);
    table_column_arrays part = columns;
    for (auto& column : part.numbers) column += start;
    part.path += start * path_units;
    {
      const py::gil_scoped_release release;
      write_table_columns(model, arguments.data(0) + start, arguments.data(1) + start, n, part,
                          thread_limit);
    }
    if (PyErr_CheckSignals() != 0) throw py::error_already_set();
  }
  py::dict table;
  for (std::size_t c = 0, n = 0; c < table::table_column_names.size(); ++c) {
    const py::str name(std::string(table::table_column_names[c]));
    if (table::table_column_names[c] == "path") {
      table[name] = returned(path);
    } else {
      table[name] = numbers[py::int_(n++)];  // a row of the block; a numpy scalar when 0-d
    }
  }
  return table;
}

// --- the single steps -------------------------------------------------------

py::tuple compensative_wavelength(py::handle wavelength, py::handle partner, py::handle observer,
                                  py::handle illuminant) {
  const auto chosen = chosen_model(observer, illuminant);
  const colour::model& model = *chosen;
  const broadcast_arguments arguments({{wavelength, "wavelength"}, {partner, "partner"}});
  auto [l, lc] = new_results<2>(arguments);
  const double* w = arguments.data(0);
  const double* p = arguments.data(1);
  double* l_out = l.mutable_data();
  double* lc_out = lc.mutable_data();
  for_each_entry(arguments.size, [&](std::size_t i) {
    const auto pair = model.compensative_wavelength(w[i], p[i]);
    l_out[i] = pair ? pair->l : nan;
    lc_out[i] = pair ? pair->lc : nan;
  });
  return returned_tuple(l, lc);
}

// Writes t into three result arrays at i.
struct tristimulus_out {
  double* X;
  double* Y;
  double* Z;
  void put(std::size_t i, const colour::tristimulus& t) const {
    X[i] = t.X;
    Y[i] = t.Y;
    Z[i] = t.Z;
  }
};

tristimulus_out writer_of(std::array<float_array, 3>& results) {
  return {results[0].mutable_data(), results[1].mutable_data(), results[2].mutable_data()};
}

py::tuple cumulative_tristimulus(py::handle wavelength, py::handle observer,
                                 py::handle illuminant) {
  const auto chosen = chosen_model(observer, illuminant);
  const colour::model& model = *chosen;
  const broadcast_arguments arguments({{wavelength, "wavelength"}});
  auto results = new_results<3>(arguments);
  const tristimulus_out out = writer_of(results);
  const double* w = arguments.data(0);
  for_each_entry(arguments.size,
                 [&](std::size_t i) { out.put(i, model.cumulative_tristimulus(w[i])); });
  return returned_tuple(results[0], results[1], results[2]);
}

enum class colour_kind { band_pass, band_stop, low_pass, high_pass };

colour_kind kind_named(py::handle kind) {
  static constexpr std::array<std::pair<const char*, colour_kind>, 4> kinds{{
      {"band-pass", colour_kind::band_pass},
      {"band-stop", colour_kind::band_stop},
      {"low-pass", colour_kind::low_pass},
      {"high-pass", colour_kind::high_pass}}};
  if (py::isinstance<py::str>(kind)) {
    const auto name = kind.cast<std::string>();
    for (const auto& [known, value] : kinds) {
      if (name == known) return value;
    }
  }
  throw py::value_error("kind: " + py::repr(kind).cast<std::string>() +
                        " is not 'band-pass', 'band-stop', 'low-pass' or 'high-pass'");
}

py::tuple optimal_colour(py::handle l, py::handle lc, py::handle kind_name, py::handle observer,
                         py::handle illuminant) {
  const colour_kind kind = kind_named(kind_name);
  const auto chosen = chosen_model(observer, illuminant);
  const colour::model& model = *chosen;
  const bool one_edge = kind == colour_kind::low_pass || kind == colour_kind::high_pass;
  if (one_edge && !lc.is_none()) {
    throw py::value_error("lc: a " + kind_name.cast<std::string>() +
                          " colour has one edge; give it as l alone");
  }
  if (!one_edge && lc.is_none()) {
    throw py::type_error("lc: a " + kind_name.cast<std::string>() +
                         " colour needs both edges l and lc");
  }
  const broadcast_arguments arguments =
      one_edge ? broadcast_arguments({{l, "l"}}) : broadcast_arguments({{l, "l"}, {lc, "lc"}});
  auto results = new_results<3>(arguments);
  const tristimulus_out out = writer_of(results);
  const double* a = arguments.data(0);
  const double* b = one_edge ? a : arguments.data(1);
  const colour::tristimulus full = model.full_spectrum();
  for_each_entry(arguments.size, [&](std::size_t i) {
    const colour::tristimulus t_l = model.cumulative_tristimulus(a[i]);
    switch (kind) {
      case colour_kind::low_pass:
        out.put(i, t_l);
        return;
      case colour_kind::high_pass:
        out.put(i, colour::long_end_pigment(t_l, full));
        return;
      case colour_kind::band_pass:
        out.put(i, colour::middle_pigment(t_l, model.cumulative_tristimulus(b[i])));
        return;
      case colour_kind::band_stop:
        out.put(i, colour::middle_gap_pigment(t_l, model.cumulative_tristimulus(b[i]), full));
        return;
    }
  });
  return returned_tuple(results[0], results[1], results[2]);
}

py::tuple hue_equal_wavelengths(py::handle x, py::handle y, py::handle observer,
                                py::handle illuminant) {
  const auto chosen = chosen_model(observer, illuminant);
  const colour::model& model = *chosen;
  const broadcast_arguments arguments({{x, "x"}, {y, "y"}});
  auto [l1, l2] = new_results<2>(arguments);
  const double* xs = arguments.data(0);
  const double* ys = arguments.data(1);
  double* l1_out = l1.mutable_data();
  double* l2_out = l2.mutable_data();
  for_each_entry(arguments.size, [&](std::size_t i) {
    const colour::hue_equal_pair pair = model.hue_equal_wavelengths(xs[i], ys[i]);
    l1_out[i] = pair.l1;
    l2_out[i] = pair.l2;
  });
  return returned_tuple(l1, l2);
}

py::tuple dominant_wavelength(py::handle x, py::handle y, py::handle observer,
                              py::handle illuminant) {
  const auto chosen = chosen_model(observer, illuminant);
  const colour::model& model = *chosen;
  bool gives_purities = false;
  {
    const colour::exact_arithmetic scope;
    gives_purities = model.dominant(1.0 / 3.0, 1.0 / 3.0).has_value();
  }
  if (!gives_purities) {
    throw py::value_error("observer: " + std::string(model.description()) +
                          " gives no dominant wavelength or purities; use a CIE observer "
                          "(observer='cie1931' or 'cie1964')");
  }
  const broadcast_arguments arguments({{x, "x"}, {y, "y"}});
  auto results = new_results<4>(arguments);
  const double* xs = arguments.data(0);
  const double* ys = arguments.data(1);
  std::array<double*, 4> out{};
  for (std::size_t r = 0; r < out.size(); ++r) out[r] = results[r].mutable_data();
  for_each_entry(arguments.size, [&](std::size_t i) {
    const auto hue = model.dominant(xs[i], ys[i]);
    out[0][i] = hue ? hue->dominant : nan;
    out[1][i] = hue ? hue->complementary : nan;
    out[2][i] = hue ? hue->excitation_purity : nan;
    out[3][i] = hue ? hue->colorimetric_purity : nan;
  });
  return returned_tuple(results[0], results[1], results[2], results[3]);
}

broadcast_arguments tristimulus_arguments(py::handle X, py::handle Y, py::handle Z) {
  return broadcast_arguments({{X, "X"}, {Y, "Y"}, {Z, "Z"}});
}

py::object colour_moment(py::handle X, py::handle Y, py::handle Z, py::handle observer,
                         py::handle illuminant) {
  const auto chosen = chosen_model(observer, illuminant);
  const colour::model& model = *chosen;
  const broadcast_arguments arguments = tristimulus_arguments(X, Y, Z);
  float_array moment = new_result(arguments.shape);
  const double* x = arguments.data(0);
  const double* y = arguments.data(1);
  const double* z = arguments.data(2);
  double* out = moment.mutable_data();
  for_each_entry(arguments.size,
                 [&](std::size_t i) { out[i] = model.colour_moment({x[i], y[i], z[i]}); });
  return returned(moment);
}

py::tuple chromaticity(py::handle X, py::handle Y, py::handle Z) {
  const broadcast_arguments arguments = tristimulus_arguments(X, Y, Z);
  auto [x_result, y_result] = new_results<2>(arguments);
  const double* x = arguments.data(0);
  const double* y = arguments.data(1);
  const double* z = arguments.data(2);
  double* x_out = x_result.mutable_data();
  double* y_out = y_result.mutable_data();
  for_each_entry(arguments.size, [&](std::size_t i) {
    const colour::chromaticity xy = colour::chromaticity_xy({x[i], y[i], z[i]});
    x_out[i] = xy.x;
    y_out[i] = xy.y;
  });
  return returned_tuple(x_result, y_result);
}

}  // namespace
}  // namespace vollfarbe_python

PYBIND11_MODULE(vollfarbe, module) {
  using namespace vollfarbe_python;
  using namespace pybind11::literals;
  // Each docstring starts with its own signature (the "--" form help() and
  // inspect.signature read); the types are in vollfarbe.pyi.
  py::options options;
  options.disable_function_signatures();
  module.doc() = docs::module;
  module.attr("__version__") = VOLLFARBE_VERSION;
  const py::str legacy("legacy"), white_e("E");
  module.def("compute", &compute, docs::compute, "wavelength"_a, "partner"_a = 0.0,
             "observer"_a = legacy, "illuminant"_a = white_e, "threads"_a = py::none());
  module.def("compensative_wavelength", &compensative_wavelength, docs::compensative_wavelength,
             "wavelength"_a, "partner"_a = 0.0, "observer"_a = legacy, "illuminant"_a = white_e);
  module.def("cumulative_tristimulus", &cumulative_tristimulus, docs::cumulative_tristimulus,
             "wavelength"_a, "observer"_a = legacy, "illuminant"_a = white_e);
  module.def("optimal_colour", &optimal_colour, docs::optimal_colour, "l"_a, "lc"_a = py::none(),
             "kind"_a = py::str("band-pass"), "observer"_a = legacy, "illuminant"_a = white_e);
  module.def("hue_equal_wavelengths", &hue_equal_wavelengths, docs::hue_equal_wavelengths, "x"_a,
             "y"_a, "observer"_a = legacy, "illuminant"_a = white_e);
  module.def("dominant_wavelength", &dominant_wavelength, docs::dominant_wavelength, "x"_a, "y"_a,
             "observer"_a = py::str("cie1931"), "illuminant"_a = white_e);
  module.def("colour_moment", &colour_moment, docs::colour_moment, "X"_a, "Y"_a, "Z"_a,
             "observer"_a = legacy, "illuminant"_a = white_e);
  module.def("chromaticity", &chromaticity, docs::chromaticity, "X"_a, "Y"_a, "Z"_a);
  module.def("observers", &observer_names, docs::observers);
  module.def("illuminants", &illuminant_names, docs::illuminants);
  add_spectrum_functions(module);
}
