#include "colour/sprague_interpolation.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace colour {
namespace {

std::vector<double> nodes_of(double (*f)(double), int count) {
  std::vector<double> v;
  for (int i = 0; i < count; ++i) v.push_back(f(i));
  return v;
}

double quartic(double x) { return 0.5 + x * (-1.25 + x * (0.75 + x * (-0.125 + x * 0.0078125))); }
double wiggly(double x) { return std::sin(0.7 * x) + 0.01 * x * x; }

TEST(SpragueInterpolation, PassesThroughEveryNode) {
  const std::vector<double> v = nodes_of(wiggly, 12);
  const std::vector<quintic> q = sprague_quintics(v);
  ASSERT_EQ(q.size(), v.size() - 1);
  for (std::size_t i = 0; i < q.size(); ++i) {
    EXPECT_EQ(static_cast<double>(q[i](0)), v[i]) << "interval " << i;
    EXPECT_NEAR(static_cast<double>(q[i](1)), v[i + 1], 1e-15) << "interval " << i;
  }
}

TEST(SpragueInterpolation, ReproducesAQuarticOnInteriorIntervals) {
  const std::vector<double> v = nodes_of(quartic, 12);
  const std::vector<quintic> q = sprague_quintics(v);
  // The two intervals at each end lean on extrapolated nodes.
  for (std::size_t i = 2; i + 2 < q.size(); ++i) {
    for (const double t : {0.1, 0.37, 0.5, 0.93}) {
      EXPECT_NEAR(static_cast<double>(q[i](t)), quartic(static_cast<double>(i) + t), 1e-13)
          << "interval " << i << " t " << t;
    }
  }
}

TEST(SpragueInterpolation, AntiderivativeAndSlopeMatchTheQuintic) {
  const std::vector<quintic> q = sprague_quintics(nodes_of(wiggly, 9));
  // Three-point Gauss-Legendre is exact for degree 5: it checks every
  // coefficient of the antiderivative.
  const long double r = std::sqrt(0.6L);
  for (const quintic& f : q) {
    const long double gauss = (5 * f((1 - r) / 2) + 8 * f(0.5L) + 5 * f((1 + r) / 2)) / 18;
    EXPECT_NEAR(static_cast<double>(f.integral(1)), static_cast<double>(gauss), 1e-15);
    const long double h = 1e-6L;
    EXPECT_NEAR(static_cast<double>(f.slope(0.3L)),
                static_cast<double>((f(0.3L + h) - f(0.3L - h)) / (2 * h)), 1e-8);
  }
}

TEST(SpragueInterpolation, NeedsSixNodes) {
  EXPECT_THROW(sprague_quintics(std::vector<double>(5, 1.0)), std::invalid_argument);
}

}  // namespace
}  // namespace colour
