// The built-in tables behind the model interface.
#include "colour/legacy/legacy_model.h"

#include <cmath>

#include "colour/legacy/legacy_bounds.h"
#include "colour/pass_steps.h"

namespace colour {
namespace {

// The locus fits have no rows in the green gap 495..565 nm (and none outside
// 380..700). A diagram still needs a closed locus: there the chromaticity of
// the 1 nm band w - 0.5 .. w + 0.5 of the cumulative table stands in, which
// follows the locus closely.
chromaticity narrow_band_point(double w) {
  return chromaticity_xy(legacy::middle_pigment(w - 0.5, w + 0.5));
}

class builtin_tables final : public model {
 public:
  std::string_view name() const override { return "legacy"; }
  std::string_view description() const override { return "built-in tables (legacy)"; }
  const model_bounds& bounds() const override { return bounds_; }
  chromaticity white_point() const override { return {1.0 / 3.0, 1.0 / 3.0}; }

  chromaticity locus_chromaticity(double w) const override {
    const legacy::shares s = legacy::locus_chromaticity(w);
    return {s.x, s.y};
  }
  chromaticity drawn_locus_point(double w) const override {
    const chromaticity fitted = locus_chromaticity(w);
    return std::isfinite(fitted.x) && std::isfinite(fitted.y) ? fitted : narrow_band_point(w);
  }

  std::optional<wavelength_pair> compensative_wavelength(double lc, double l) const override {
    return legacy::compensative_wavelength(lc, l);
  }
  tristimulus cumulative_tristimulus(double lambda) const override {
    return legacy::cumulative_tristimulus(lambda);
  }
  tristimulus full_spectrum() const override { return legacy::full_spectrum; }
  double colour_moment(const tristimulus& t) const override { return colour::colour_moment(t); }
  hue_equal_pair hue_equal_wavelengths(double x, double y) const override {
    return legacy::hue_equal_wavelengths(x, y);
  }

  // The lane forms the pass's steps use (colour/pass_steps.h).
  void compensative_wavelengths(std::span<const double> lc, std::span<const double> l,
                                std::span<std::optional<wavelength_pair>> out) const {
    legacy::compensative_wavelengths(lc, l, out);
  }
  void hue_equal_wavelengths(std::span<const double> x, std::span<const double> y,
                             std::span<hue_equal_pair> out) const {
    legacy::hue_equal_wavelengths(x, y, out);
  }

  pass_result pass(double lc, double l) const override { return detail::pass_of(*this, lc, l); }
  void passes(std::span<const double> lc, std::span<const double> l,
              std::span<pass_result> out) const override {
    detail::passes_of(*this, lc, l, out);
  }

 private:
  model_bounds bounds_{380, legacy::red_end, legacy::green_range_lo, legacy::green_range_hi, 380, 770};
};

}  // namespace

const model& legacy_model() {
  static const builtin_tables tables;
  return tables;
}

}  // namespace colour
