// The four optimal colours ("Vollfarben") bounded by one or two wavelengths,
// as sums and differences of cumulative tristimulus values.
#include "colour/colour_model.h"
#include "colour/extended.h"

namespace colour {

using detail::ext;

tristimulus middle_pigment(const tristimulus& t_l, const tristimulus& t_lc) {
  return {static_cast<double>(ext{t_lc.X} - t_l.X), static_cast<double>(ext{t_lc.Y} - t_l.Y),
          static_cast<double>(ext{t_lc.Z} - t_l.Z)};
}

tristimulus middle_pigment(double l, double lc) {
  const tristimulus t_l = cumulative_tristimulus(l);
  return middle_pigment(t_l, cumulative_tristimulus(lc));
}

tristimulus middle_gap_pigment(const tristimulus& t_l, const tristimulus& t_lc) {
  const auto gap = [](double c, double lo) { return static_cast<double>((ext{100} - c) + lo); };
  return {gap(t_lc.X, t_l.X), gap(t_lc.Y, t_l.Y), gap(t_lc.Z, t_l.Z)};
}

tristimulus middle_gap_pigment(double l, double lc) {
  const tristimulus t_l = cumulative_tristimulus(l);
  return middle_gap_pigment(t_l, cumulative_tristimulus(lc));
}

tristimulus short_end_pigment(double lambda) { return cumulative_tristimulus(lambda); }

tristimulus long_end_pigment(const tristimulus& t_lambda) {
  return {static_cast<double>(ext{100} - t_lambda.X), static_cast<double>(ext{100} - t_lambda.Y),
          static_cast<double>(ext{100} - t_lambda.Z)};
}

tristimulus long_end_pigment(double lambda) { return long_end_pigment(cumulative_tristimulus(lambda)); }

}  // namespace colour
