// A fuzz target with a signed overflow on purpose: every non-empty input adds
// to the largest int. It exists only for planted_overflow_test.sh, which
// proves that a fuzz run fails on undefined behaviour; it is built apart from
// the real targets and never run among them.
#include <cstdint>
#include <limits>

namespace {
volatile int largest = std::numeric_limits<int>::max();  // volatile: no constant folding
volatile int sink = 0;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  sink = largest + 1 + data[0];
  return 0;
}
