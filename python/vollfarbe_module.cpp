// The compiled module `vollfarbe._vollfarbe` under the Python package
// `vollfarbe` (python/vollfarbe/__init__.py): every function converts its
// arguments to float64 arrays broadcast to one shape, then, with the GIL
// released and the exact arithmetic held, runs the colour model entry by
// entry over the cores (compute through the model's threaded batch entry)
// and writes arrays of that shape: new ones, or the caller's out= arrays.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <array>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "colour/colour_model.h"
#include "colour/exact_arithmetic.h"
#include "python/entry_threads.h"
#include "python/model_choice.h"
#include "python/model_data.h"
#include "python/module_docs.h"
#include "python/numeric_arguments.h"
#include "python/output_arrays.h"
#include "python/solid_functions.h"
#include "python/spectrum_functions.h"
#include "python/table_columns_writer.h"
#include "command_rows/table_columns.h"

namespace vollfarbe_python {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// --- compute: the table's rows ---------------------------------------------

const py::dtype& path_dtype() {
  static const py::dtype dtype("<U" + std::to_string(path_units));
  return dtype;
}

// The table's columns as new arrays. The number columns are the rows of one
// block: a single allocation, large enough for numpy to back it with huge
// pages, which saves most of the page faults of 19 fresh arrays.
struct new_columns {
  float_array numbers;
  py::array path;

  new_columns(const broadcast_arguments& arguments, table_column_arrays& columns) {
    std::vector<py::ssize_t> block_shape{static_cast<py::ssize_t>(number_columns)};
    block_shape.insert(block_shape.end(), arguments.shape.begin(), arguments.shape.end());
    numbers = new_result(block_shape);
    path = py::array(path_dtype(), arguments.shape);
    for (std::size_t c = 0; c < number_columns; ++c) {
      columns.numbers[c] = numbers.mutable_data() + c * arguments.size;
    }
    columns.path = static_cast<std::uint32_t*>(path.mutable_data());
  }

  // Once they are written (a 0-d column becomes a numpy scalar, a copy).
  py::dict table() const {
    py::dict table;
    for (std::size_t c = 0, n = 0; c < table::table_column_names.size(); ++c) {
      const py::str name(std::string(table::table_column_names[c]));
      if (table::table_column_names[c] == "path") {
        table[name] = returned(path);
      } else {
        table[name] = numbers[py::int_(n++)];  // a row of the block
      }
    }
    return table;
  }
};

// The caller's out= dict: an array for every column, float64 (path '<U6'),
// of the arguments' shape; it is what compute returns.
py::dict given_table_columns(py::handle out, const broadcast_arguments& arguments,
                             table_column_arrays& columns) {
  if (!py::isinstance<py::dict>(out)) {
    throw py::type_error("out: give a dict of column name -> array, as compute returns, not " +
                         py::str(py::type::of(out)).cast<std::string>());
  }
  const auto given = py::reinterpret_borrow<py::dict>(out);
  if (given.size() != table::table_column_names.size()) {
    throw py::value_error("out: give an array for each of the " +
                          std::to_string(table::table_column_names.size()) +
                          " columns and nothing else, not " + std::to_string(given.size()));
  }
  std::vector<py::array> arrays;
  std::vector<std::string> names;
  for (std::size_t c = 0, n = 0; c < table::table_column_names.size(); ++c) {
    const std::string name(table::table_column_names[c]);
    names.push_back("out['" + name + "']");
    if (!given.contains(name)) throw py::value_error("out: no array for the column '" + name + "'");
    const py::handle array = given[py::str(name)];
    const bool is_path = name == "path";
    check_output_array(array, is_path ? path_dtype() : py::dtype::of<double>(), arguments.shape,
                       names.back());
    arrays.push_back(py::reinterpret_borrow<py::array>(array));
    if (is_path) {
      columns.path = static_cast<std::uint32_t*>(arrays.back().mutable_data());
    } else {
      columns.numbers[n++] = static_cast<double*>(arrays.back().mutable_data());
    }
  }
  check_no_overlap(arrays, names, arguments);
  return given;
}

py::dict compute(py::handle wavelength, py::handle partner, py::handle observer,
                 py::handle illuminant, py::handle threads, py::handle out) {
  const auto chosen = chosen_model(observer, illuminant);
  const colour::model& model = *chosen;
  const unsigned thread_limit = thread_count(threads);
  const broadcast_arguments arguments({{wavelength, "wavelength"}, {partner, "partner"}});
  table_column_arrays columns{};
  std::optional<new_columns> fresh;
  py::dict given;
  if (out.is_none()) {
    fresh.emplace(arguments, columns);
  } else {
    given = given_table_columns(out, arguments, columns);
  }
  write_table_columns(model, arguments.data(0), arguments.data(1), arguments.size, columns,
                      thread_limit);
  return fresh ? fresh->table() : given;
}

// --- the single steps -------------------------------------------------------
// Each takes out= (None or its result arrays) and threads= (None: every core).

py::object compensative_wavelength(py::handle wavelength, py::handle partner, py::handle observer,
                                   py::handle illuminant, py::handle out, py::handle threads) {
  const auto chosen = chosen_model(observer, illuminant);
  const colour::model& model = *chosen;
  const unsigned thread_limit = thread_count(threads);
  const broadcast_arguments arguments({{wavelength, "wavelength"}, {partner, "partner"}});
  result_arrays results(out, 2, arguments);
  const double* w = arguments.data(0);
  const double* p = arguments.data(1);
  double* l_out = results.data(0);
  double* lc_out = results.data(1);
  for_each_entry(arguments.size, thread_limit, [&](std::size_t i) {
    const auto pair = model.compensative_wavelength(w[i], p[i]);
    l_out[i] = pair ? pair->l : nan;
    lc_out[i] = pair ? pair->lc : nan;
  });
  return results.returned();
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

tristimulus_out writer_of(result_arrays& results) {
  return {results.data(0), results.data(1), results.data(2)};
}

py::object cumulative_tristimulus(py::handle wavelength, py::handle observer,
                                  py::handle illuminant, py::handle out, py::handle threads) {
  const auto chosen = chosen_model(observer, illuminant);
  const colour::model& model = *chosen;
  const unsigned thread_limit = thread_count(threads);
  const broadcast_arguments arguments({{wavelength, "wavelength"}});
  result_arrays results(out, 3, arguments);
  const tristimulus_out put = writer_of(results);
  const double* w = arguments.data(0);
  for_each_entry(arguments.size, thread_limit,
                 [&](std::size_t i) { put.put(i, model.cumulative_tristimulus(w[i])); });
  return results.returned();
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

py::object optimal_colour(py::handle l, py::handle lc, py::handle kind_name, py::handle observer,
                          py::handle illuminant, py::handle out, py::handle threads) {
  const colour_kind kind = kind_named(kind_name);
  const auto chosen = chosen_model(observer, illuminant);
  const colour::model& model = *chosen;
  const unsigned thread_limit = thread_count(threads);
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
  result_arrays results(out, 3, arguments);
  const tristimulus_out put = writer_of(results);
  const double* a = arguments.data(0);
  const double* b = one_edge ? a : arguments.data(1);
  const colour::tristimulus full = model.full_spectrum();
  for_each_entry(arguments.size, thread_limit, [&](std::size_t i) {
    const colour::tristimulus t_l = model.cumulative_tristimulus(a[i]);
    switch (kind) {
      case colour_kind::low_pass:
        put.put(i, t_l);
        return;
      case colour_kind::high_pass:
        put.put(i, colour::long_end_pigment(t_l, full));
        return;
      case colour_kind::band_pass:
        put.put(i, colour::middle_pigment(t_l, model.cumulative_tristimulus(b[i])));
        return;
      case colour_kind::band_stop:
        put.put(i, colour::middle_gap_pigment(t_l, model.cumulative_tristimulus(b[i]), full));
        return;
    }
  });
  return results.returned();
}

py::object hue_equal_wavelengths(py::handle x, py::handle y, py::handle observer,
                                 py::handle illuminant, py::handle out, py::handle threads) {
  const auto chosen = chosen_model(observer, illuminant);
  const colour::model& model = *chosen;
  const unsigned thread_limit = thread_count(threads);
  const broadcast_arguments arguments({{x, "x"}, {y, "y"}});
  result_arrays results(out, 2, arguments);
  const double* xs = arguments.data(0);
  const double* ys = arguments.data(1);
  double* l1_out = results.data(0);
  double* l2_out = results.data(1);
  for_each_entry(arguments.size, thread_limit, [&](std::size_t i) {
    const colour::hue_equal_pair pair = model.hue_equal_wavelengths(xs[i], ys[i]);
    l1_out[i] = pair.l1;
    l2_out[i] = pair.l2;
  });
  return results.returned();
}

py::object dominant_wavelength(py::handle x, py::handle y, py::handle observer,
                               py::handle illuminant, py::handle out, py::handle threads) {
  const auto chosen = chosen_model(observer, illuminant);
  const colour::model& model = *chosen;
  const unsigned thread_limit = thread_count(threads);
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
  result_arrays results(out, 4, arguments);
  const double* xs = arguments.data(0);
  const double* ys = arguments.data(1);
  std::array<double*, 4> to{};
  for (std::size_t r = 0; r < to.size(); ++r) to[r] = results.data(r);
  // Through the model's batch entry, a block at a time.
  for_each_range(arguments.size, thread_limit, [&](std::size_t begin, std::size_t end) {
    constexpr std::size_t block = 256;
    std::array<std::optional<colour::dominant_hue>, block> hues;
    for (std::size_t first = begin; first < end; first += block) {
      const std::size_t n = std::min(block, end - first);
      model.dominants({xs + first, n}, {ys + first, n}, std::span(hues).first(n));
      for (std::size_t i = 0; i < n; ++i) {
        const auto& hue = hues[i];
        to[0][first + i] = hue ? hue->dominant : nan;
        to[1][first + i] = hue ? hue->complementary : nan;
        to[2][first + i] = hue ? hue->excitation_purity : nan;
        to[3][first + i] = hue ? hue->colorimetric_purity : nan;
      }
    }
  });
  return results.returned();
}

broadcast_arguments tristimulus_arguments(py::handle X, py::handle Y, py::handle Z) {
  return broadcast_arguments({{X, "X"}, {Y, "Y"}, {Z, "Z"}});
}

py::object colour_moment(py::handle X, py::handle Y, py::handle Z, py::handle observer,
                         py::handle illuminant, py::handle out, py::handle threads) {
  const auto chosen = chosen_model(observer, illuminant);
  const colour::model& model = *chosen;
  const unsigned thread_limit = thread_count(threads);
  const broadcast_arguments arguments = tristimulus_arguments(X, Y, Z);
  result_arrays results(out, 1, arguments);
  const double* x = arguments.data(0);
  const double* y = arguments.data(1);
  const double* z = arguments.data(2);
  double* moment = results.data(0);
  for_each_entry(arguments.size, thread_limit,
                 [&](std::size_t i) { moment[i] = model.colour_moment({x[i], y[i], z[i]}); });
  return results.returned();
}

py::object chromaticity(py::handle X, py::handle Y, py::handle Z, py::handle out,
                        py::handle threads) {
  const unsigned thread_limit = thread_count(threads);
  const broadcast_arguments arguments = tristimulus_arguments(X, Y, Z);
  result_arrays results(out, 2, arguments);
  const double* x = arguments.data(0);
  const double* y = arguments.data(1);
  const double* z = arguments.data(2);
  double* x_out = results.data(0);
  double* y_out = results.data(1);
  for_each_entry(arguments.size, thread_limit, [&](std::size_t i) {
    const colour::chromaticity xy = colour::chromaticity_xy({x[i], y[i], z[i]});
    x_out[i] = xy.x;
    y_out[i] = xy.y;
  });
  return results.returned();
}

}  // namespace
}  // namespace vollfarbe_python

// The package vollfarbe wraps each function in a Python function of the same
// name and signature (python/vollfarbe/__init__.py): those pickle, so they
// go to dask's worker processes, and they carry these docstrings.
PYBIND11_MODULE(_vollfarbe, module) {
  using namespace vollfarbe_python;
  using namespace pybind11::literals;
  // Each docstring starts with its own signature (the "--" form help() and
  // inspect.signature read); the types are in vollfarbe/__init__.pyi.
  py::options options;
  options.disable_function_signatures();
  module.doc() = docs::module;
  module.attr("__version__") = VOLLFARBE_VERSION;
  const py::str legacy("legacy"), white_e("E");
  const auto out = "out"_a = py::none();
  const auto threads = "threads"_a = py::none();
  module.def("compute", &compute, docs::compute, "wavelength"_a, "partner"_a = 0.0,
             "observer"_a = legacy, "illuminant"_a = white_e, threads, out);
  module.def("compensative_wavelength", &compensative_wavelength, docs::compensative_wavelength,
             "wavelength"_a, "partner"_a = 0.0, "observer"_a = legacy, "illuminant"_a = white_e,
             out, threads);
  module.def("cumulative_tristimulus", &cumulative_tristimulus, docs::cumulative_tristimulus,
             "wavelength"_a, "observer"_a = legacy, "illuminant"_a = white_e, out, threads);
  module.def("optimal_colour", &optimal_colour, docs::optimal_colour, "l"_a, "lc"_a = py::none(),
             "kind"_a = py::str("band-pass"), "observer"_a = legacy, "illuminant"_a = white_e, out,
             threads);
  module.def("hue_equal_wavelengths", &hue_equal_wavelengths, docs::hue_equal_wavelengths, "x"_a,
             "y"_a, "observer"_a = legacy, "illuminant"_a = white_e, out, threads);
  module.def("dominant_wavelength", &dominant_wavelength, docs::dominant_wavelength, "x"_a, "y"_a,
             "observer"_a = py::str("cie1931"), "illuminant"_a = white_e, out, threads);
  module.def("colour_moment", &colour_moment, docs::colour_moment, "X"_a, "Y"_a, "Z"_a,
             "observer"_a = legacy, "illuminant"_a = white_e, out, threads);
  module.def("chromaticity", &chromaticity, docs::chromaticity, "X"_a, "Y"_a, "Z"_a, out, threads);
  module.def("observers", &observer_names, docs::observers);
  module.def("illuminants", &illuminant_names, docs::illuminants);
  define_model_objects(module);
  add_solid_functions(module);
  add_spectrum_functions(module);
}
