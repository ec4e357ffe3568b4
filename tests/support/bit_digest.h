// A digest of the bits of many doubles, for golden results too many to list:
// 64-bit FNV-1a over the eight bytes of each value, then a final avalanche,
// so that the order of the values matters and one flipped bit changes the
// whole digest.
#pragma once

#include <bit>
#include <cstdint>

namespace test_support {

class bit_digest {
 public:
  void add(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    for (int byte = 0; byte < 8; ++byte) {
      state_ ^= (bits >> (8 * byte)) & 0xffu;
      state_ *= 0x100000001b3u;
    }
  }
  std::uint64_t value() const {
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
    return z ^ (z >> 31);
  }

 private:
  std::uint64_t state_ = 0xcbf29ce484222325u;
};

}  // namespace test_support
