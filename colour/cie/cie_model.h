// The calculator on CIE colorimetry: an observer's colour-matching functions
// and an illuminant, both as data, behind the model interface.
//
//   - Sprague quintics through the illuminant-weighted functions S x̄, S ȳ,
//     S z̄ at the nodes; T(lambda) is the exact integral of the quintics
//     from the start of the data, so a band edge may sit anywhere.
//   - CIE normalisation: the whole data range (the white) has Y = 100; its
//     X and Z, and so the white point, come from the data. Nothing is
//     counted below the start or above the end of the data.
//   - The colour moment sqrt((Y - X)^2 + (Y - Z)^2) on the white-relative
//     values 100 X/Xw, 100 Y/Yw, 100 Z/Zw, rounded as the built-in model's.
//   - The spectrum locus: the chromaticity of the unweighted functions
//     (the illuminant never enters it) over the data's range, cut where its
//     hue around the white point stops turning one way
//     (colour/cie/locus_hue_inverse.h), closed by the purple line; beyond
//     the cut, any wavelength of the data still has its own chromaticity.
//   - The compensative wavelength of lambda: where the line from its locus
//     point through the white point meets the locus on the far side, to
//     better than 1e-9 nm, floored to 0.001 nm; none where that side is the
//     purple line (the green range, between the complements of the red and
//     the blue end).
//
// CIE 1931 2° under E: white (100.008, 100, 100.033); 600 nm -> 489.994;
// locus 360 .. 701.985 nm; green range 493.881 .. 569.590.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "colour/cgats_reader.h"
#include "colour/colour_model.h"
#include "colour/cie/locus_hue_inverse.h"
#include "colour/sprague_interpolation.h"

namespace colour {

// Data that make no model: fewer than three sets of functions, too few
// nodes, a locus whose hue does not fall around 540 nm, an illuminant with
// no power where the eye sees.
struct model_data_error : std::runtime_error {
  explicit model_data_error(const std::string& message) : std::runtime_error(message) {}
};

class cie_model final : public model {
 public:
  // cmf: the x̄, ȳ, z̄ sets of an observer on an even grid; illuminant: its
  // power at the same nodes (colour/cie/illuminant_resampling.h).
  cie_model(std::string name, std::string description, const spectral_table& cmf,
            const std::vector<double>& illuminant);

  std::string_view name() const override { return name_; }
  std::string_view description() const override { return description_; }
  const model_bounds& bounds() const override { return bounds_; }
  chromaticity white_point() const override { return white_; }
  chromaticity locus_chromaticity(double w) const override;
  std::optional<wavelength_pair> compensative_wavelength(double lc, double l) const override;
  tristimulus cumulative_tristimulus(double lambda) const override;
  tristimulus full_spectrum() const override { return full_; }
  double colour_moment(const tristimulus& t) const override;
  hue_equal_pair hue_equal_wavelengths(double x, double y) const override;
  // The same for a group of chromaticities (a pass group's step): their
  // Newton steps run interleaved, every bit as one by one.
  void hue_equal_wavelengths(std::span<const double> x, std::span<const double> y,
                             std::span<hue_equal_pair> out) const;
  bool has_purities() const override { return true; }
  std::optional<dominant_hue> dominant(double x, double y) const override;
  void dominants(std::span<const double> x, std::span<const double> y,
                 std::span<std::optional<dominant_hue>> out) const override;
  pass_result pass(double lc, double l) const override;
  void passes(std::span<const double> lc, std::span<const double> l,
              std::span<pass_result> out) const override;

  // The same observer and illuminant with another white point for the hues
  // (a chromaticity given by the user, or the white of another summation):
  // the dominant and compensative wavelengths and the locus cut are taken
  // around it; the tristimulus values stay the data's.
  cie_model(const cie_model& base, chromaticity white);

  // The data behind the model, for integrating spectra against it: the
  // grid, the quintics of x̄, ȳ, z̄ and of the illuminant-weighted S x̄,
  // S ȳ, S z̄ (index 0, 1, 2), and 100 / ∫ S ȳ dλ (the white has Y = 100).
  double grid_start() const { return start_; }
  double grid_step() const { return step_; }
  const std::vector<quintic>& observer_function(std::size_t c) const {
    return c == 0 ? x_ : c == 1 ? y_ : z_;
  }
  const std::vector<quintic>& weighted_function(std::size_t c) const { return weighted_[c]; }
  long double white_scale() const { return scale_; }

  // The compensative wavelength of w, not rounded; NaN where the line meets
  // the purple line or w lies outside the data.
  double complementary_wavelength(double w) const;
  // The wavelength whose locus point lies in the direction of (x, y) from
  // the white point, not rounded; NaN for a purple or the white itself.
  double dominant_wavelength(double x, double y) const;

  // T over one interval, already normalised: base + t (c0 + t (c1 + ... c5)),
  // with base = T at the interval's start and c_k = k_Y step a_k / (k + 1)
  // from the weighted function's quintic (no division left for a call).
  struct band_integral {
    std::array<long double, 7> X, Y, Z;  // [0] = base, [1 + k] = c_k
  };
  // One per interval of the data grid data_start() + i data_step(); the
  // solid of optimal colours (colour/solid/) works on them directly.
  const std::vector<band_integral>& band_integrals() const { return integrals_; }
  double data_start() const { return start_; }
  double data_step() const { return step_; }

 private:
  template <typename Each>
  void hues_both_ways(std::span<const double> x, std::span<const double> y, Each each) const;
  static hue_equal_pair hue_equal_of(double w, double wc);
  std::optional<dominant_hue> dominant_of(double y, long double dx, long double dy, double w,
                                          double wc) const;
  struct position {
    std::size_t interval;
    long double t;
  };
  std::optional<position> position_of(double w) const;

  std::string name_;
  std::string description_;
  double start_;
  double step_;
  std::size_t nodes_;
  std::vector<quintic> x_, y_, z_;  // unweighted, for the locus
  std::array<std::vector<quintic>, 3> weighted_;
  long double scale_;
  std::vector<band_integral> integrals_;
  tristimulus full_;
  std::array<long double, 3> relative_;  // 100 / Xw, 100 / Yw, 100 / Zw
  chromaticity white_;
  std::unique_ptr<locus_hue_inverse> hue_;
  model_bounds bounds_;

  void set_white(chromaticity white);
};

}  // namespace colour
