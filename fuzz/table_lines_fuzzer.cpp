// Any bytes as the stdin of `vollfarbe table -` or `dominant -` (the shared
// reader of lines of numbers), cut into pieces where the first byte says:
// each line's numbers come out as soon as it is complete, the same whatever
// the pieces, finite, the doubles of its fields, and a bad line is a
// usage_error naming it, never a crash or a value from a half-read line.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/usage_error.h"
#include "cli/number_lines.h"

namespace {

struct outcome {
  std::vector<std::vector<double>> lines;
  std::optional<std::string> error;
};

outcome read_in_pieces(std::string_view input, std::size_t piece) {
  outcome result;
  cli::number_lines lines;
  try {
    for (;;) {
      if (const auto numbers = lines.next()) {
        for (const double v : *numbers) {
          if (!std::isfinite(v)) std::abort();
        }
        result.lines.emplace_back(numbers->begin(), numbers->end());
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
  } catch (const cli::usage_error& e) {
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
  if (in_pieces.lines != whole.lines || in_pieces.error != whole.error) std::abort();
  // Accepted input reads as a plain split into lines and fields would: each
  // line that is not blank or a comment gives the C library's doubles of its
  // fields (after a leading byte-order mark).
  if (!whole.error) {
    std::string_view rest = input;
    if (rest.starts_with("\xef\xbb\xbf")) rest.remove_prefix(3);
    std::size_t i = 0;
    constexpr std::string_view separators = " \t\r\f\v,";
    while (!rest.empty()) {
      const auto end = rest.find('\n');
      const std::string_view line = rest.substr(0, end);
      rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
      std::vector<double> fields;
      std::size_t pos = line.find_first_not_of(separators);
      if (pos != std::string_view::npos && line[pos] == '#') continue;
      while (pos != std::string_view::npos) {
        const std::size_t stop = line.find_first_of(separators, pos);
        const std::string field(line.substr(pos, stop == std::string_view::npos ? stop : stop - pos));
        fields.push_back(std::strtod(field.c_str(), nullptr));
        pos = stop == std::string_view::npos ? stop : line.find_first_not_of(separators, stop);
      }
      if (fields.empty()) continue;
      if (i >= whole.lines.size() || fields != whole.lines[i++]) std::abort();
    }
    if (i != whole.lines.size()) std::abort();
  }
  return 0;
}
