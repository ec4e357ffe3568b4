// Every bit of a pass as a list of integers, for tests that compare passes
// exactly (NaN == NaN, -0 != +0).
#pragma once

#include <bit>
#include <cstdint>
#include <vector>

#include "colour/colour_model.h"

namespace test_support {

inline std::vector<std::uint64_t> bits_of(const colour::pass_result& r) {
  std::vector<std::uint64_t> out{r.middle_path};
  for (double v : {r.l, r.lc, r.first.t.X, r.first.t.Y, r.first.t.Z, r.first.moment, r.first.xy.x,
                   r.first.xy.y, r.second.t.X, r.second.t.Y, r.second.t.Z, r.second.moment,
                   r.second.xy.x, r.second.xy.y, r.hue_equal_first.l1, r.hue_equal_first.l2,
                   r.hue_equal_second.l1, r.hue_equal_second.l2}) {
    out.push_back(std::bit_cast<std::uint64_t>(v));
  }
  return out;
}

}  // namespace test_support
