// The spectrum locus of an observer as a function of hue: the wavelength
// whose locus point lies in a given direction from the white point, found
// to better than 1e-9 nm.
//
// Hue angle: the angle of a direction around the white point, counted
// counter-clockwise from the direction of the purple line's middle, in
// [0, 2 pi). Along the locus it falls from the blue end (about 5.3 rad for
// CIE 1931 under E) to the red end (about 0.85 rad); the angles outside
// that span, around 0, are the purples.
//
// Every interval's endpoints bracket their hue angles; inside an interval
// the locus point is X(t), Y(t), Z(t), three Sprague quintics of the
// unweighted colour-matching functions. The point lies on the ray in
// direction (dx, dy) where the quintic
//   g(t) = dy (X - xw S) - dx (Y - yw S),   S = X + Y + Z
// vanishes (no division by S, which is positive). A table of the hue angle
// at eight points per interval gives the start (interpolated in the angle);
// two or three Newton steps on g finish; should they not settle, bracketed
// Newton steps over the whole interval do.
#pragma once

#include <cstddef>
#include <vector>

#include "colour/colour_model.h"
#include "colour/sprague_interpolation.h"

namespace colour {

class locus_hue_inverse {
 public:
  // x, y, z: the quintics of x̄, ȳ, z̄ over the grid start + i step;
  // blue, red: the node indices of the locus ends (blue < red).
  // std::domain_error when the hue angle does not fall from node to node
  // between the ends (the message names the two wavelengths).
  locus_hue_inverse(const std::vector<quintic>& x, const std::vector<quintic>& y,
                     const std::vector<quintic>& z, double start, double step,
                     std::size_t blue, std::size_t red, chromaticity white);

  // The hue angle of the direction (dx, dy); NaN for no direction.
  long double hue_angle(long double dx, long double dy) const;

  // True when a direction's hue angle lies on the locus, both ends
  // included. Where the interpolated locus wobbles beyond an end node's
  // angle (CIE 1964 just above 380 nm, by about 1e-6 rad), the hue counts
  // as purple: the ends are the nodes' angles.
  bool spectral(long double angle) const { return red_angle_ <= angle && angle <= blue_angle_; }

  // The wavelength whose locus point lies in direction (dx, dy) from the
  // white point; NaN for a purple or no direction.
  double wavelength_toward(long double dx, long double dy) const {
    return wavelength_at(hue_angle(dx, dy), dx, dy);
  }
  // Both ways from the white point: toward (dx, dy) and away from it (the
  // complementary wavelength), for one angle computed.
  struct both_ways {
    double toward;
    double away;
  };
  both_ways wavelengths_both_ways(long double dx, long double dy) const;

  // Where the ray from the white point in direction (dx, dy) meets the
  // purple line; for a purple direction.
  chromaticity purple_line_point(long double dx, long double dy) const;

  chromaticity white() const { return white_; }

 private:
  double wavelength_at(long double angle, long double dx, long double dy) const;
  // g of one interval for the direction (dx, dy).
  quintic g(std::size_t interval, long double dx, long double dy) const;
  long double solve_bracketed(const quintic& g, long double t) const;

  // Per interval: the quintics X - xw S and Y - yw S.
  std::vector<quintic> p_;
  std::vector<quintic> q_;
  double start_;
  double step_;
  std::size_t blue_;
  std::size_t red_;
  chromaticity white_;
  chromaticity blue_point_;
  chromaticity red_point_;
  long double reference_cos_;  // the direction of the purple line's middle
  long double reference_sin_;
  std::vector<long double> node_angles_;  // nodes blue .. red, falling
  std::vector<double> fine_angles_;       // at t = j/8 in every interval, blue .. red
  // Buckets of equal angle from the blue end's to the red end's: for each,
  // the last table entry at or above its upper angle (where a scan starts).
  std::vector<std::size_t> bucket_start_;
  long double bucket_scale_;
  long double blue_angle_;
  long double red_angle_;
};

}  // namespace colour
