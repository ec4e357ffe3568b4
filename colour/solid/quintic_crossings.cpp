#include "colour/solid/quintic_crossings.h"

#include <cmath>

namespace colour::solid_detail {
namespace {

using ext = long double;

ext evaluate(const ext* p, int degree, ext t) {
  ext v = p[degree];
  for (int k = degree - 1; k >= 0; --k) v = v * t + p[k];
  return v;
}

ext derivative_at(const ext* p, int degree, ext t) {
  ext d = 0;
  for (int k = degree; k >= 1; --k) d = d * t + static_cast<ext>(k) * p[k];
  return d;
}

// The one place in [a, b] where "p > 0" changes, p monotone there, with
// pa = p(a), pb = p(b) on different sides. Bisection alone ends within 64
// steps (a long double has a 64-bit significand); Newton usually within 5.
ext crossing_in(const ext* p, int degree, ext a, ext b, ext pa, ext pb) {
  if (pa == 0) return a;  // p rises from zero at a: the band starts there
  if (pb == 0) return b;  // p falls to zero at b: the band ends there
  const bool rising = pb > pa;
  ext lo = a, hi = b;
  ext t = a + (b - a) * (pa / (pa - pb));
  if (!(lo < t && t < hi)) t = (lo + hi) / 2;
  for (int n = 0; n < 200; ++n) {
    const ext v = evaluate(p, degree, t);
    if (v == 0) return t;
    if ((v < 0) == rising) lo = t; else hi = t;
    const ext slope = derivative_at(p, degree, t);
    ext next = t - v / slope;
    if (!(lo < next && next < hi)) {  // Newton left the piece: halve it
      next = lo + (hi - lo) / 2;
      if (!(lo < next && next < hi)) return next;  // nothing left to halve
    }
    // A step below 1e-17 (5e-17 nm on a 5 nm grid) is rounding: done.
    if (std::fabs(next - t) <= 1e-17L || !(lo < next && next < hi)) return next;
    t = next;
  }
  return t;
}

// True when p cannot turn on [0, 1]: the differences of its Bernstein
// coefficients (the Bernstein coefficients of p' / degree) share a sign.
// Most intervals that hold a crossing pass, and skip the derivatives' roots.
bool monotone(const ext* p, int degree) {
  static constexpr ext binomial[6][6] = {{1, 0, 0, 0, 0, 0},  {1, 1, 0, 0, 0, 0},
                                         {1, 2, 1, 0, 0, 0},  {1, 3, 3, 1, 0, 0},
                                         {1, 4, 6, 4, 1, 0},  {1, 5, 10, 10, 5, 1}};
  ext b[6];
  for (int j = 0; j <= degree; ++j) {
    ext s = 0;
    for (int k = 0; k <= j; ++k) s += p[k] * (binomial[j][k] / binomial[degree][k]);
    b[j] = s;
  }
  bool up = true, down = true;
  for (int j = 0; j < degree; ++j) {
    up = up && b[j + 1] >= b[j];
    down = down && b[j + 1] <= b[j];
  }
  return up || down;
}

// The strict sign changes of p (degree >= 1) inside (0, 1), ascending.
int sign_changes(const ext* p, int degree, ext* out) {
  if (degree == 1) {
    if (p[1] == 0) return 0;
    const ext r = -p[0] / p[1];
    if (0 < r && r < 1) {
      out[0] = r;
      return 1;
    }
    return 0;
  }
  ext breaks[4];
  int nb = 0;
  if (!monotone(p, degree)) {
    ext dp[5];
    for (int k = 1; k <= degree; ++k) dp[k - 1] = static_cast<ext>(k) * p[k];
    nb = sign_changes(dp, degree - 1, breaks);
  }
  int n = 0;
  ext a = 0, pa = p[0];
  for (int i = 0; i <= nb; ++i) {
    const ext b = i < nb ? breaks[i] : ext{1};
    const ext pb = evaluate(p, degree, b);
    if ((pa < 0 && pb > 0) || (pa > 0 && pb < 0)) out[n++] = crossing_in(p, degree, a, b, pa, pb);
    a = b;
    pa = pb;
  }
  return n;
}

}  // namespace

std::size_t quintic_crossings(const std::array<ext, 6>& f, ext f0, ext f1,
                              std::array<crossing, 5>& out) {
  // The highest non-zero coefficient sets the degree (a weighted function
  // that is zero over an interval has none).
  int degree = 5;
  while (degree > 0 && f[static_cast<std::size_t>(degree)] == 0) --degree;
  if (degree == 0) {
    if ((f0 > 0) != (f1 > 0)) {  // only rounding at the nodes can say so
      out[0] = {f0 > 0 ? ext{1} : ext{0}, f1 > 0};
      return 1;
    }
    return 0;
  }
  ext breaks[4];
  int nb = 0;
  if (degree >= 2 && !monotone(f.data(), degree)) {
    ext df[5];
    for (int k = 1; k <= degree; ++k) df[k - 1] = static_cast<ext>(k) * f[static_cast<std::size_t>(k)];
    nb = sign_changes(df, degree - 1, breaks);
  }
  std::size_t n = 0;
  ext a = 0, fa = f0;
  for (int i = 0; i <= nb; ++i) {
    const ext b = i < nb ? breaks[i] : ext{1};
    const ext fb = i < nb ? evaluate(f.data(), degree, b) : f1;
    if ((fa > 0) != (fb > 0)) {
      // The piece's ends as the status counts them: zero is "not > 0".
      const ext t = crossing_in(f.data(), degree, a, b, fa > 0 ? fa : std::fmin(fa, ext{0}),
                                fb > 0 ? fb : std::fmin(fb, ext{0}));
      out[n++] = {t, fb > 0};
    }
    a = b;
    fa = fb;
  }
  return n;
}

}  // namespace colour::solid_detail
