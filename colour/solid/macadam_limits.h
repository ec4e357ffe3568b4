// The MacAdam limits: the section of the optimal-colour solid at a luminance
// factor Y (0 < Y < 100), as the point of its boundary whose chromaticity
// lies on the ray from the white point (x_w, y_w) at the hue angle
//   h = atan2(y - y_w, x - x_w)  in degrees, 0 <= h < 360, counter-clockwise.
//
// In the plane Y = Y0 the section is convex and holds the grey Y0/100 W;
// chromaticity rays from the white point are rays from that grey there.
// Its boundary point with the outward normal m = (cos φ, sin φ) in the
// (X, Z) plane is the solid's support point for n = (cos ψ cos φ, sin ψ,
// cos ψ sin φ) with ψ chosen so that Y = Y0 (Y rises with ψ).
//
//   - Newton's method on (φ, ψ) for the two conditions "Y = Y0" and "on the
//     ray", with the solid's curvature (colour/solid/optimal_solid.h) as
//     the Jacobian: two to four support points from a neighbouring hue.
//   - Where it does not settle (a corner of the section, a flat face, the
//     red tail), a search that cannot fail: ψ for Y = Y0 by bracketed false
//     position for each φ, and φ for the ray the same way; both functions
//     are monotone. A jump in Y that no ψ closes is an edge of the solid
//     (the red tail: the point lies on it, its transitions are not
//     unique); a jump across the ray that no φ closes is a straight edge of
//     the section (a flat face: the point is the mix of its two ends).
//   - Y is met to better than 1e-12 relative, the hue to 1e-10 degrees.
#pragma once

#include <span>
#include <vector>

#include "colour/solid/optimal_solid.h"

namespace colour {

struct limit_point {
  double Y;    // as asked
  double hue;  // as asked, degrees
  tristimulus XYZ;
  chromaticity xy;
  // The transition wavelengths of the optimal reflectance, ascending; for a
  // point on a flat face, those of neither end (empty).
  std::vector<double> transitions;
  bool on_face;        // the mix of two 0/1 reflectances on a flat face of the solid
  bool count_defined;  // false on a face, and where the red tail makes the count arbitrary
  // How the point was found, for the warm start of the next hue.
  long double phi;
  long double psi;
};

// The hue angle of a chromaticity seen from the model's white point, in
// degrees, 0 <= h < 360; NaN at the white point itself.
long double hue_angle_degrees(long double x, long double y, chromaticity white);

// Both open their own exact_arithmetic scope.
// std::domain_error unless 0 < Y < 100 and the hue is finite (any hue is
// taken modulo 360).
limit_point macadam_limit(const optimal_solid& solid, double Y, double hue);

// One point per hue at the same Y, each starting from the one before.
std::vector<limit_point> macadam_locus(const optimal_solid& solid, double Y,
                                       std::span<const double> hues);

}  // namespace colour
