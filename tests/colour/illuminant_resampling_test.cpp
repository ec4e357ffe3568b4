#include "colour/cie/illuminant_resampling.h"

#include <gtest/gtest.h>

namespace colour {
namespace {

spectral_table grid(double start, double end, std::size_t bands, std::vector<double> values = {}) {
  if (values.empty()) values.assign(bands, 0.0);
  return {start, end, bands, {values}};
}

TEST(IlluminantResampling, LinearBetweenNodesConstantOutside) {
  // Values at 380, 390, 400; the observer's grid 370 .. 410 by 5.
  const spectral_table lamp = grid(380, 400, 3, {1, 3, 2});
  EXPECT_EQ(resample_illuminant(lamp, grid(370, 410, 9)),
            (std::vector<double>{1, 1, 1, 2, 3, 2.5, 2, 2, 2}));
}

TEST(IlluminantResampling, TheSameGridKeepsEveryValue) {
  const spectral_table lamp = grid(360, 380, 5, {0.1, 0.7, 0.3, 1e-9, 5});
  EXPECT_EQ(resample_illuminant(lamp, grid(360, 380, 5)), lamp.sets[0]);
}

}  // namespace
}  // namespace colour
