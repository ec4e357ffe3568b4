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
// vanishes (no division by S, which is positive): bracketed Newton steps on
// g from a start interpolated in the hue angle, no search from scratch.
#pragma once

#include <cstddef>
#include <vector>

#include "colour/colour_model.h"
#include "colour/sprague_interpolation.h"

namespace colour {

class spectrum_locus_hue {
 public:
  // x, y, z: the quintics of x̄, ȳ, z̄ over the grid start + i step;
  // blue, red: the node indices of the locus ends (blue < red).
  // std::domain_error when the hue angle does not fall from node to node
  // between the ends (the message names the two wavelengths).
  spectrum_locus_hue(const std::vector<quintic>& x, const std::vector<quintic>& y,
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
  double wavelength_toward(long double dx, long double dy) const;

  // Where the ray from the white point in direction (dx, dy) meets the
  // purple line; for a purple direction.
  chromaticity purple_line_point(long double dx, long double dy) const;

  chromaticity white() const { return white_; }

 private:
  long double g(std::size_t interval, long double dx, long double dy, long double t) const;
  long double g_slope(std::size_t interval, long double dx, long double dy, long double t) const;

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
  long double blue_angle_;
  long double red_angle_;
};

}  // namespace colour
