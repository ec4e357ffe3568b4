// Where a polynomial of degree five changes sign on [0, 1]: every place,
// not only where its values at the two ends differ. The roots of its
// derivatives, found the same way degree by degree, cut [0, 1] into pieces
// on which it is monotone; each piece whose ends differ holds exactly one
// crossing, found by Newton steps kept inside the piece (bisecting when a
// step would leave it), so none is missed and the search cannot fail.
#pragma once

#include <array>
#include <cstddef>

namespace colour::solid_detail {

struct crossing {
  long double t;
  bool rising;  // from <= 0 to > 0
};

// The places in [0, 1] where "f > 0" changes, ascending, with f(0) = f0 and
// f(1) = f1 as the caller counts them (so that neighbouring intervals agree
// at their common node). A zero that f only touches is no crossing. At most
// five; returns how many.
std::size_t quintic_crossings(const std::array<long double, 6>& f, long double f0, long double f1,
                              std::array<crossing, 5>& out);

// f(t) and f'(t) of a polynomial a0 + a1 t + ... + a5 t^5.
inline long double value_at(const std::array<long double, 6>& f, long double t) {
  return f[0] + t * (f[1] + t * (f[2] + t * (f[3] + t * (f[4] + t * f[5]))));
}
inline long double slope_at(const std::array<long double, 6>& f, long double t) {
  return f[1] + t * (2 * f[2] + t * (3 * f[3] + t * (4 * f[4] + t * 5 * f[5])));
}

}  // namespace colour::solid_detail
