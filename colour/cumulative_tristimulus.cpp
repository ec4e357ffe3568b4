// Cumulative tristimulus values T(lambda) between the 5 nm rows of the
// cumulative table.
#include <cmath>

#include "colour/colour_model.h"
#include "colour/extended.h"
#include "colour/spectral_tables.h"

namespace colour {

using detail::ext;

namespace {

constexpr double table_start = 380;   // nm, row 0
constexpr double interpolated_end = 760;  // nm, row 76; a straight line above
constexpr double step = 5;             // nm between rows

// Bessel's four-point formula between rows B (t = 0) and C (t -> 1):
// T = (B + C)/2 + (t - 1/2) d1 + t(t - 1)/4 (d2a + d2b) + t(t - 1)(t - 1/2)/6 d3.
double bessel(double A, double B, double C, double D, double t) {
  const double d1 = static_cast<double>(ext{C} - B);
  const double d2a = static_cast<double>((ext{C} - ext{2} * B) + A);
  const double d2b = static_cast<double>((ext{D} - ext{2} * C) + B);
  const double d3 = static_cast<double>(((ext{D} - ext{3} * C) + ext{3} * B) - A);
  const ext tt = t;
  const ext half = static_cast<ext>(-0.5) + tt;
  const ext u1 = (ext{C} + B) / ext{2};
  const ext u2 = half * d1;
  const ext u3 = (((ext{-1} + tt) * tt) * (ext{d2b} + d2a)) / ext{4};
  const ext u4 = ((((ext{-1} + tt) * tt) * half) * d3) / ext{6};
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

  const double m = static_cast<double>((ext{-table_start} + lambda) / ext{step});
  // 0 <= m <= 76 here, so the step index converts safely.
  const double w_floor = std::floor(m);
  const auto w = static_cast<int>(w_floor);
  const double t = static_cast<double>(ext{m} - w_floor);

  const auto& rows = tables::cumulative;
  // Before row 0 there is no light either: the row at 375 nm counts as zero.
  constexpr tables::cumulative_row before_start{0, 0, 0};
  const auto index = [](int i) { return static_cast<std::size_t>(i); };
  const tables::cumulative_row& A = w >= 1 ? rows[index(w - 1)] : before_start;
  const tables::cumulative_row& B = rows[index(w)];
  const tables::cumulative_row& C = rows[index(w + 1)];
  const tables::cumulative_row& D = rows[index(w + 2)];
  return {bessel(A.X, B.X, C.X, D.X, t), bessel(A.Y, B.Y, C.Y, D.Y, t),
          bessel(A.Z, B.Z, C.Z, D.Z, t)};
}

}  // namespace colour
