// Any text through the CGATS reader, and what it accepts on into a CIE
// model: either data or a cgats_error (model_data_error) with a line inside
// the text; no crash, no hang, no undefined behaviour.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "colour/cgats_reader.h"
#include "colour/cie/cie_model.h"
#include "colour/exact_arithmetic.h"
#include "colour/cie/illuminant_resampling.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::size_t lines = 1;
  for (const char c : text) lines += c == '\n';
  try {
    const colour::spectral_table t = colour::read_cgats(text);
    if (t.bands < 2 || t.sets.empty()) std::abort();
    for (const auto& set : t.sets) {
      if (set.size() != t.bands) std::abort();
    }
    // An illuminant on its own grid, and the data as an observer under it.
    const std::vector<double> white = colour::resample_illuminant(t, t);
    if (white != t.sets.front()) std::abort();
    const colour::exact_arithmetic scope;
    try {
      const colour::cie_model m("fuzz", "fuzz", t, white);
      (void)m.pass(600, 0);
      (void)m.pass(450, 0);
      (void)m.dominant(0.3, 0.4);
    } catch (const colour::model_data_error&) {
    }
  } catch (const colour::cgats_error& e) {
    if (e.line() > lines) std::abort();
  }
  return 0;
}
