#include "python/solid_functions.h"

#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "colour/solid/colour_standing.h"
#include "colour/solid/macadam_limits.h"
#include "python/model_choice.h"
#include "python/numeric_arguments.h"
#include "python/solid_docs.h"

namespace vollfarbe_python {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// The solid of a model, made once per model (with the GIL held).
const colour::optimal_solid& solid_of(const std::shared_ptr<const colour::model>& model) {
  struct kept {
    std::shared_ptr<const colour::model> model;
    std::unique_ptr<colour::optimal_solid> solid;
  };
  static std::map<const colour::model*, kept> solids;
  kept& k = solids[model.get()];
  if (!k.solid) {
    try {
      k.solid = std::make_unique<colour::optimal_solid>(*model);
    } catch (const colour::solid_model_error& e) {
      solids.erase(model.get());
      throw py::value_error(std::string("observer: ") + e.what());
    }
    k.model = model;
  }
  return *k.solid;
}

py::tuple macadam_limits(py::handle Y, py::handle hue, py::handle observer, py::handle illuminant) {
  const colour::optimal_solid& solid = solid_of(chosen_model(observer, illuminant));
  const broadcast_arguments arguments({{Y, "Y"}, {hue, "hue"}});
  const double* Ys = arguments.data(0);
  const double* hues = arguments.data(1);
  for (std::size_t i = 0; i < arguments.size; ++i) {
    if (!(Ys[i] > 0 && Ys[i] < 100)) throw py::value_error("Y: a MacAdam limit needs 0 < Y < 100");
    if (!std::isfinite(hues[i])) throw py::value_error("hue: give finite hue angles");
  }
  std::vector<float_array> results;
  for (int r = 0; r < 8; ++r) results.push_back(new_result(arguments.shape));
  std::vector<double*> out;
  for (auto& r : results) out.push_back(r.mutable_data());
  {
    const py::gil_scoped_release release;
    // Runs of one Y are one locus, each hue starting from the one before.
    for (std::size_t start = 0; start < arguments.size;) {
      std::size_t end = start + 1;
      while (end < arguments.size && Ys[end] == Ys[start]) ++end;
      const auto locus = colour::macadam_locus(
          solid, Ys[start], std::span<const double>(hues + start, end - start));
      for (std::size_t k = 0; k < locus.size(); ++k) {
        const colour::limit_point& p = locus[k];
        const std::size_t i = start + k;
        out[0][i] = p.xy.x;
        out[1][i] = p.xy.y;
        out[2][i] = p.XYZ.X;
        out[3][i] = p.XYZ.Y;
        out[4][i] = p.XYZ.Z;
        out[5][i] = p.count_defined ? static_cast<double>(p.transitions.size()) : nan;
        out[6][i] = p.transitions.size() > 0 ? p.transitions[0] : nan;
        out[7][i] = p.transitions.size() > 1 ? p.transitions[1] : nan;
      }
      start = end;
    }
  }
  return returned_tuple(results[0], results[1], results[2], results[3], results[4], results[5],
                        results[6], results[7]);
}

// entry(i, X Y Z of entry i) for every entry, without the GIL; false at the
// first entry that is not finite (the rest then left undone).
template <typename Entry>
bool for_each_finite_tristimulus(const broadcast_arguments& arguments, Entry entry) {
  const py::gil_scoped_release release;
  for (std::size_t i = 0; i < arguments.size; ++i) {
    const colour::tristimulus t{arguments.data(0)[i], arguments.data(1)[i], arguments.data(2)[i]};
    if (!(std::isfinite(t.X) && std::isfinite(t.Y) && std::isfinite(t.Z))) return false;
    entry(i, t);
  }
  return true;
}

py::object limit_ratio(py::handle X, py::handle Y, py::handle Z, py::handle observer,
                       py::handle illuminant) {
  const colour::optimal_solid& solid = solid_of(chosen_model(observer, illuminant));
  const broadcast_arguments arguments({{X, "X"}, {Y, "Y"}, {Z, "Z"}});
  float_array ratio = new_result(arguments.shape);
  double* out = ratio.mutable_data();
  const bool finite = for_each_finite_tristimulus(
      arguments, [&](std::size_t i, const colour::tristimulus& t) {
        out[i] = colour::limit_ratio(solid, t).ratio;
      });
  if (!finite) throw py::value_error("X, Y, Z: give finite tristimulus values");
  return returned(ratio);
}

py::tuple full_colour_content(py::handle X, py::handle Y, py::handle Z, py::handle observer,
                              py::handle illuminant) {
  const colour::optimal_solid& solid = solid_of(chosen_model(observer, illuminant));
  const broadcast_arguments arguments({{X, "X"}, {Y, "Y"}, {Z, "Z"}});
  std::vector<float_array> results;
  for (int r = 0; r < 5; ++r) results.push_back(new_result(arguments.shape));
  py::array_t<bool> stop(arguments.shape);
  bool* stop_out = stop.mutable_data();
  std::vector<double*> out;
  for (auto& r : results) out.push_back(r.mutable_data());
  const bool finite = for_each_finite_tristimulus(
      arguments, [&](std::size_t i, const colour::tristimulus& t) {
        const colour::full_colour_content f = colour::full_colour(solid, t);
        const bool decomposed = f.status == colour::full_colour_status::found ||
                                f.status == colour::full_colour_status::achromatic;
        out[0][i] = decomposed ? f.c : nan;
        out[1][i] = decomposed ? f.w : nan;
        out[2][i] = decomposed ? f.s : nan;
        out[3][i] = f.l;
        out[4][i] = f.lc;
        stop_out[i] = f.status == colour::full_colour_status::found && f.band_stop;
      });
  if (!finite) throw py::value_error("X, Y, Z: give finite tristimulus values");
  return returned_tuple(results[0], results[1], results[2], results[3], results[4], stop);
}

}  // namespace

void add_solid_functions(py::module_& module) {
  using namespace pybind11::literals;
  const py::str cie1931("cie1931"), white_e("E");
  module.def("macadam_limits", &macadam_limits, docs::macadam_limits, "Y"_a, "hue"_a,
             "observer"_a = cie1931, "illuminant"_a = white_e);
  module.def("limit_ratio", &limit_ratio, docs::limit_ratio, "X"_a, "Y"_a, "Z"_a,
             "observer"_a = cie1931, "illuminant"_a = white_e);
  module.def("full_colour_content", &full_colour_content, docs::full_colour_content, "X"_a,
             "Y"_a, "Z"_a, "observer"_a = cie1931, "illuminant"_a = white_e);
}

}  // namespace vollfarbe_python
