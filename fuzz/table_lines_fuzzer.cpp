// Any bytes as the stdin of `vollfarbe table -`, cut into pieces where the
// first byte says: each wavelength comes out as soon as its line is complete,
// the same whatever the pieces, finite, the double of its line, and a bad
// line is a usage_error naming it, never a crash or a value from a half-read
// line.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "table/usage_error.h"
#include "table/wavelength_input.h"

namespace {

struct outcome {
  std::vector<double> wavelengths;
  std::optional<std::string> error;
};

outcome read_in_pieces(std::string_view input, std::size_t piece) {
  outcome result;
  table::wavelength_lines lines;
  try {
    for (;;) {
      if (const auto w = lines.next()) {
        if (!std::isfinite(*w)) std::abort();
        result.wavelengths.push_back(*w);
        continue;
      }
      if (lines.finished()) break;
      if (input.empty()) {
        lines.finish();
        continue;
      }
      const std::size_t n = input.size() < piece ? input.size() : piece;
      lines.append(input.substr(0, n));
      input.remove_prefix(n);
    }
  } catch (const table::usage_error& e) {
    result.error = e.what();
    if (!result.error->starts_with("stdin line ")) std::abort();
  }
  return result;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t piece = 1 + data[0] % 64;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  const outcome in_pieces = read_in_pieces(input, piece);
  const outcome whole = read_in_pieces(input, input.size() + 1);
  if (in_pieces.wavelengths != whole.wavelengths || in_pieces.error != whole.error) std::abort();
  // Accepted input reads as a plain split into lines would: each non-blank
  // line (after a leading byte-order mark) is the C library's double of it.
  if (!whole.error) {
    std::string_view rest = input;
    if (rest.starts_with("\xef\xbb\xbf")) rest.remove_prefix(3);
    std::size_t i = 0;
    while (!rest.empty()) {
      const auto end = rest.find('\n');
      const std::string line(rest.substr(0, end));
      rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
      if (line.find_first_not_of(" \t\r\n\f\v") == std::string::npos) continue;
      if (i >= whole.wavelengths.size() ||
          std::strtod(line.c_str(), nullptr) != whole.wavelengths[i++]) {
        std::abort();
      }
    }
    if (i != whole.wavelengths.size()) std::abort();
  }
  return 0;
}
