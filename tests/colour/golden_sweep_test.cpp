// The whole exact sweep in one number: every double of every pass for the
// 390,001 entries 380.000, 380.001, ..., 770.000 nm (partner 0), hashed bit
// for bit. A regrouped sum, a different floor or rounding, or a cubic
// evaluated in plain double changes some last digit somewhere in the sweep;
// this digest catches it even where no worked example looks.
//
// The constant changes only when results are meant to change.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "colour/colour_model.h"
#include "colour/legacy/legacy_model.h"

namespace {

// 64-bit FNV-1a over the eight bytes of each value, then a final avalanche, so
// that the order of the values matters and one flipped bit changes the whole
// digest.
class digest {
 public:
  void add(std::uint64_t bits) {
    for (int byte = 0; byte < 8; ++byte) {
      state_ ^= (bits >> (8 * byte)) & 0xffu;
      state_ *= 0x100000001b3u;
    }
  }
  void add(double v) { add(std::bit_cast<std::uint64_t>(v)); }
  std::uint64_t value() const {
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return z ^ (z >> 31);
  }

 private:
  std::uint64_t state_ = 0xcbf29ce484222325u;
};

void add_pigment(digest& d, const colour::pigment& p) {
  d.add(p.t.X);
  d.add(p.t.Y);
  d.add(p.t.Z);
  d.add(p.moment);
  d.add(p.xy.x);
  d.add(p.xy.y);
}

void add_pass(digest& d, const colour::pass_result& r) {
  d.add(std::uint64_t{r.middle_path});
  d.add(r.l);
  d.add(r.lc);
  add_pigment(d, r.first);
  add_pigment(d, r.second);
  d.add(r.hue_equal_first.l1);
  d.add(r.hue_equal_first.l2);
  d.add(r.hue_equal_second.l1);
  d.add(r.hue_equal_second.l2);
}

// The entry 380 + i/1000 as the double nearest that decimal: both integers are
// exact and the division is correctly rounded.
double entry(int i) { return static_cast<double>(380000 + i) / 1000.0; }

constexpr int sweep_entries = 390001;

TEST(GoldenSweep, EveryBitOfTheThousandthNanometreSweep) {
  digest d;
  int middle_paths = 0;
  for (int i = 0; i < sweep_entries; ++i) {
    const colour::pass_result r = colour::compute_pass(entry(i), 0.0, colour::legacy_model());
    middle_paths += r.middle_path ? 1 : 0;
    add_pass(d, r);
  }
  EXPECT_EQ(middle_paths, 314213);
  EXPECT_EQ(d.value(), 0x4a8b7a08f5deedadu) << std::hex << "digest 0x" << d.value();
}

}  // namespace
