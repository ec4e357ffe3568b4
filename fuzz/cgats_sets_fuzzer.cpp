// Spectral files of many data sets: one fuzzed set line repeated up to
// 20,000 times, in one data block or two. The reader keeps only the sets
// asked for and counts the rest, so what it stores never follows the
// number of sets in the file; it accepts or names a line inside the text.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "colour/cgats_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::size_t kept = data[0] % 4;  // none, an illuminant's one, two, an observer's three
  const bool repeated_block = (data[0] & 4) != 0;
  const std::size_t repeats = 1 + (data[1] | (static_cast<std::size_t>(data[2]) << 8)) % 20000;
  const std::string_view set(reinterpret_cast<const char*>(data + 3), std::min<std::size_t>(size - 3, 64));

  std::string block = "BEGIN_DATA\n";
  block.reserve(block.size() + repeats * (set.size() + 1) + 10);
  for (std::size_t i = 0; i < repeats; ++i) (block += set) += '\n';
  block += "END_DATA\n";
  std::string text = "SPECTRAL_START_NM 380\nSPECTRAL_END_NM 780\nSPECTRAL_BANDS 3\n" + block;
  if (repeated_block) text += block;
  std::size_t lines = 1;
  for (const char c : text) lines += c == '\n';

  try {
    const colour::spectral_table t = colour::read_cgats(text, kept);
    if (t.sets_in_file == 0 || t.sets.size() != std::min(kept, t.sets_in_file)) std::abort();
    for (const auto& values : t.sets) {
      if (values.size() != t.bands) std::abort();
    }
    if (t.sets.capacity() > std::max<std::size_t>(kept, 1) * 2) std::abort();
  } catch (const colour::cgats_error& e) {
    if (e.line() == 0 || e.line() > lines) std::abort();
  }
  return 0;
}
