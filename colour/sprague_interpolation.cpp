#include "colour/sprague_interpolation.h"

#include <stdexcept>

namespace colour {
namespace {

using ext = long double;

// The CIE's extrapolated nodes (divide by 209): two before the first node
// from the first six, two after the last node from the last six.
//   F-2 = ( 884F0 - 1960F1 + 3033F2 - 2648F3 + 1080F4 - 180F5)
//   F-1 = ( 508F0 -  540F1 +  488F2 -  367F3 +  144F4 -  24F5)
// and mirrored at the other end.
constexpr std::array<std::array<int, 6>, 2> extrapolation{{
    {884, -1960, 3033, -2648, 1080, -180},  // the node two steps out
    {508, -540, 488, -367, 144, -24},       // the node one step out
}};

ext extrapolated(const std::array<int, 6>& c, const ext* f, int direction) {
  ext sum = 0;
  for (int k = 0; k < 6; ++k) sum += c[static_cast<std::size_t>(k)] * f[k * direction];
  return sum / 209;
}

// Sprague's coefficients of the quintic over [F0, F1] from F-2 .. F3 (times 24).
constexpr std::array<std::array<int, 6>, 5> sprague{{
    {2, -16, 0, 16, -2, 0},
    {-1, 16, -30, 16, -1, 0},
    {-9, 39, -70, 66, -33, 7},
    {13, -64, 126, -124, 61, -12},
    {-5, 25, -50, 50, -25, 5},
}};

}  // namespace

std::vector<quintic> sprague_quintics(std::span<const double> values) {
  const std::size_t n = values.size();
  if (n < 6) throw std::invalid_argument("Sprague interpolation needs at least 6 nodes");
  // The nodes padded with two extrapolated ones at each end.
  std::vector<ext> f(n + 4);
  for (std::size_t i = 0; i < n; ++i) f[i + 2] = values[i];
  const ext* first = &f[2];
  const ext* last = &f[n + 1];
  f[0] = extrapolated(extrapolation[0], first, +1);
  f[1] = extrapolated(extrapolation[1], first, +1);
  f[n + 2] = extrapolated(extrapolation[1], last, -1);
  f[n + 3] = extrapolated(extrapolation[0], last, -1);

  std::vector<quintic> out(n - 1);
  for (std::size_t i = 0; i + 1 < n; ++i) {
    const ext* around = &f[i];  // F-2 .. F3 of the interval [values[i], values[i + 1]]
    quintic& q = out[i];
    q.a[0] = around[2];
    for (std::size_t k = 0; k < sprague.size(); ++k) {
      ext sum = 0;
      for (std::size_t j = 0; j < 6; ++j) sum += sprague[k][j] * around[j];
      q.a[k + 1] = sum / 24;
    }
  }
  return out;
}

}  // namespace colour
