// Sprague interpolation of evenly spaced data, as the CIE recommends for
// 5 nm spectral data: one quintic per interval, through the interval's two
// nodes, built from the six nodes around it. At each end two nodes are
// extrapolated from the first (last) six with the CIE's coefficients, so the
// first and last intervals have a quintic too.
//
//   F(t) = a0 + a1 t + a2 t^2 + a3 t^3 + a4 t^4 + a5 t^5,  0 <= t <= 1
//   from the nodes F-2 .. F3 around the interval [F0, F1] (divide each by 24):
//   a0 =  F0
//   a1 = ( 2F-2 -  16F-1         +  16F1 -   2F2        )
//   a2 = (-1F-2 +  16F-1 -  30F0 +  16F1 -   1F2        )
//   a3 = (-9F-2 +  39F-1 -  70F0 +  66F1 -  33F2 +  7F3 )
//   a4 = (13F-2 -  64F-1 + 126F0 - 124F1 +  61F2 - 12F3 )
//   a5 = (-5F-2 +  25F-1 -  50F0 +  50F1 -  25F2 +  5F3 )
//
// The quintic reproduces its two nodes exactly and a polynomial of degree 4
// on every interval whose six nodes are data (all but two at each end).
#pragma once

#include <array>
#include <span>
#include <vector>

namespace colour {

struct quintic {
  std::array<long double, 6> a;  // a0 .. a5

  long double operator()(long double t) const {
    return a[0] + t * (a[1] + t * (a[2] + t * (a[3] + t * (a[4] + t * a[5]))));
  }
  // dF/dt
  long double slope(long double t) const {
    return a[1] + t * (2 * a[2] + t * (3 * a[3] + t * (4 * a[4] + t * 5 * a[5])));
  }
  // The antiderivative from 0 to t: a0 t + a1 t^2/2 + ... + a5 t^6/6.
  long double integral(long double t) const {
    return t * (a[0] + t * (a[1] / 2 + t * (a[2] / 3 + t * (a[3] / 4 + t * (a[4] / 5 + t * a[5] / 6)))));
  }
};

// values.size() - 1 quintics, one per interval; at least 6 values.
std::vector<quintic> sprague_quintics(std::span<const double> values);

}  // namespace colour
