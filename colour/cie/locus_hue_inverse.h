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
// The locus ends where its hue angle stops turning one way: from an interval
// near 540 nm outward, each way up to the first point where the angle's
// slope changes sign (or the end of the data), so that every hue on it has
// exactly one wavelength. The slope's sign is that of p q' - q p' with p, q
// below (the angle of (p, q) is the angle of (x - xw, y - yw), S > 0):
// CIE 1931 under E runs from 360 to about 701.985 nm, CIE 1964 from about
// 380.11 nm (below, its locus hooks back) to about 700.72 nm (beyond, z̄ is
// 0 and the locus runs back along x + y = 1).
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
#include <span>
#include <vector>

#include "colour/colour_model.h"
#include "colour/sprague_interpolation.h"

namespace colour {

class locus_hue_inverse {
 public:
  // x, y, z: the quintics of x̄, ȳ, z̄ over the grid start + i step.
  // std::domain_error when the hue angle does not fall around 540 nm (the
  // message names the wavelength): the data describe no locus around the
  // white point.
  locus_hue_inverse(const std::vector<quintic>& x, const std::vector<quintic>& y,
                     const std::vector<quintic>& z, double start, double step,
                     chromaticity white);

  // Where the locus is cut (nm), not rounded.
  double blue_end() const { return wavelength_of(blue_); }
  double red_end() const { return wavelength_of(red_); }

  // The hue angle of the direction (dx, dy); NaN for no direction.
  long double hue_angle(long double dx, long double dy) const;

  // True when a direction's hue angle lies on the locus, both ends included.
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
  // out[i] = wavelengths_both_ways(dx[i], dy[i]), bit for bit, for any
  // number of directions: a few at a time, their Newton steps interleaved,
  // so that the processor overlaps the directions' chains of x87 results
  // (a direction alone waits on each result in turn).
  void wavelengths_both_ways(std::span<const long double> dx, std::span<const long double> dy,
                             std::span<both_ways> out) const;

  // Where the ray from the white point in direction (dx, dy) meets the
  // purple line; for a purple direction.
  chromaticity purple_line_point(long double dx, long double dy) const;

  chromaticity white() const { return white_; }

 private:
  // A point of the locus: an interval and the position t in it.
  struct place {
    std::size_t interval;
    long double t;
  };
  double wavelength_of(place p) const;
  // The part of interval i that belongs to the locus.
  long double t_lo(std::size_t i) const { return i == blue_.interval ? blue_.t : 0; }
  long double t_hi(std::size_t i) const { return i == red_.interval ? red_.t : 1; }
  long double turn(std::size_t i, long double t) const;
  void find_ends(std::size_t middle);

  // The search for one direction's wavelength, from its start in the table
  // of angles, through the quick Newton steps, to its result.
  struct solve {
    bool on_locus;  // false: a purple or no direction, NaN
    bool settled;
    std::size_t interval;
    long double t0;  // the interval's part on the locus
    long double t1;
    long double start;
    long double t;
    quintic f;  // g of the interval for the direction
  };
  void begin_solve(long double angle, long double dx, long double dy, solve& s) const;
  // The quick steps of every solve, a step of each in turn.
  static void settle(std::span<solve> solves);
  double finish_solve(const solve& s) const;
  double wavelength_at(long double angle, long double dx, long double dy) const;
  long double solve_bracketed(const quintic& g, long double t, long double lo,
                              long double hi) const;

  // Per interval: the quintics X - xw S and Y - yw S.
  std::vector<quintic> p_;
  std::vector<quintic> q_;
  double start_;
  double step_;
  place blue_;
  place red_;
  chromaticity white_;
  chromaticity blue_point_;
  chromaticity red_point_;
  long double reference_cos_;  // the direction of the purple line's middle
  long double reference_sin_;
  // At eight evenly spaced points of every interval's part, blue .. red.
  std::vector<double> fine_angles_;
  // Buckets of equal angle from the blue end's to the red end's: for each,
  // the last table entry at or above its upper angle (where a scan starts).
  std::vector<std::size_t> bucket_start_;
  long double bucket_scale_;
  long double blue_angle_;
  long double red_angle_;
};

}  // namespace colour
