// Cumulative tristimulus values T(lambda) between the 5 nm rows of the
// cumulative table.
#include <array>
#include <cmath>
#include <cstddef>

#include "colour/legacy/legacy_model.h"
#include "colour/extended.h"
#include "colour/legacy/colour_tables.h"

namespace colour::legacy {

using detail::ext;

namespace {

constexpr double table_start = 380;       // nm, row 0
constexpr double interpolated_end = 760;  // nm, row 76; a straight line above
constexpr double step = 5;                // nm between rows
constexpr int last_node = 76;             // lower node of the last interval

// Bessel's four-point formula between rows B (t = 0) and C (t -> 1):
//   T = (B + C)/2 + (t - 1/2) d1 + t(t - 1)/4 (d2a + d2b) + t(t - 1)(t - 1/2)/6 d3
// with d1 = C - B, d2a = C - 2B + A, d2b = D - 2C + B, d3 = D - 3C + 3B - A.
// Everything that depends on the rows alone is formed once per interval.
struct interval_terms {
  ext mean;       // (C + B)/2
  double d1;      // first difference
  ext d2_sum;     // d2b + d2a
  double d3;      // third difference
};

interval_terms terms_of(double A, double B, double C, double D) {
  const double d1 = static_cast<double>(ext{C} - B);
  const double d2a = static_cast<double>((ext{C} - ext{2} * B) + A);
  const double d2b = static_cast<double>((ext{D} - ext{2} * C) + B);
  const double d3 = static_cast<double>(((ext{D} - ext{3} * C) + ext{3} * B) - A);
  return {(ext{C} + B) / ext{2}, d1, ext{d2b} + d2a, d3};
}

struct interval {
  interval_terms X, Y, Z;
};

// Interval w lies between rows w and w + 1 and uses rows w - 1 to w + 2.
// Below row 0 there is no light: the row at 375 nm counts as zero.
std::array<interval, last_node + 1> make_intervals() {
  const auto& rows = tables::cumulative;
  constexpr tables::cumulative_row before_start{0, 0, 0};
  std::array<interval, last_node + 1> out{};
  for (std::size_t w = 0; w < out.size(); ++w) {
    const tables::cumulative_row& A = w >= 1 ? rows[w - 1] : before_start;
    const tables::cumulative_row& B = rows[w];
    const tables::cumulative_row& C = rows[w + 1];
    const tables::cumulative_row& D = rows[w + 2];
    out[w] = {terms_of(A.X, B.X, C.X, D.X), terms_of(A.Y, B.Y, C.Y, D.Y),
              terms_of(A.Z, B.Z, C.Z, D.Z)};
  }
  return out;
}

// The factors of t shared by the three columns.
struct step_fraction {
  ext half;    // -0.5 + t
  ext quad;    // (-1 + t) * t
  ext cubic;   // ((-1 + t) * t) * (-0.5 + t)
};

double interpolate(const interval_terms& c, const step_fraction& f) {
  const ext u1 = c.mean;
  const ext u2 = f.half * c.d1;
  const ext u3 = (f.quad * c.d2_sum) / ext{4};
  const ext u4 = (f.cubic * c.d3) / ext{6};
  return static_cast<double>(((u2 + u1) + u3) + u4);
}

}  // namespace

tristimulus cumulative_tristimulus(double lambda) {
  if (lambda > interpolated_end) {
    // The line through 99.9998 at 765 nm and 100 at 770 nm; only X still rises.
    const ext X = ((static_cast<ext>(0.00004) * lambda) + static_cast<ext>(99.9996)) +
                  static_cast<ext>(-0.0304);
    return {static_cast<double>(X), 100, 100};
  }
  if (std::isnan(lambda)) return {detail::nan, detail::nan, detail::nan};
  // No light is counted below the start of the table.
  if (lambda < table_start) return {0, 0, 0};

  static const std::array<interval, last_node + 1> intervals = make_intervals();

  const double m = static_cast<double>((ext{-table_start} + lambda) / ext{step});
  // 0 <= m <= 76 here, so the step index converts safely.
  const double w = std::floor(m);
  const double t = static_cast<double>(ext{m} - w);
  const ext tt = t;
  const ext half = static_cast<ext>(-0.5) + tt;
  const ext quad = (ext{-1} + tt) * tt;
  const step_fraction f{half, quad, quad * half};

  const interval& in = intervals[static_cast<std::size_t>(w)];
  return {interpolate(in.X, f), interpolate(in.Y, f), interpolate(in.Z, f)};
}

}  // namespace colour::legacy
