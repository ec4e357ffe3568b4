// The optimal colours ("Vollfarben") bounded by one or two wavelengths, as
// sums and differences of cumulative tristimulus values.
#include "colour/colour_model.h"
#include "colour/extended.h"

namespace colour {

using detail::ext;

tristimulus middle_pigment(const tristimulus& t_l, const tristimulus& t_lc) {
  return {static_cast<double>(ext{t_lc.X} - t_l.X), static_cast<double>(ext{t_lc.Y} - t_l.Y),
          static_cast<double>(ext{t_lc.Z} - t_l.Z)};
}

tristimulus middle_gap_pigment(const tristimulus& t_l, const tristimulus& t_lc,
                               const tristimulus& full) {
  const auto gap = [](double whole, double c, double lo) {
    return static_cast<double>((ext{whole} - c) + lo);
  };
  return {gap(full.X, t_lc.X, t_l.X), gap(full.Y, t_lc.Y, t_l.Y), gap(full.Z, t_lc.Z, t_l.Z)};
}

tristimulus long_end_pigment(const tristimulus& t_lambda, const tristimulus& full) {
  return {static_cast<double>(ext{full.X} - t_lambda.X), static_cast<double>(ext{full.Y} - t_lambda.Y),
          static_cast<double>(ext{full.Z} - t_lambda.Z)};
}

tristimulus short_end_pigment(double lambda, const model& m) {
  return m.cumulative_tristimulus(lambda);
}

tristimulus long_end_pigment(double lambda, const model& m) {
  return long_end_pigment(m.cumulative_tristimulus(lambda), m.full_spectrum());
}

}  // namespace colour
