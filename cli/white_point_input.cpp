#include "cli/white_point_input.h"

#include <string>

#include "cli/number_input.h"
#include "cli/usage_error.h"

namespace cli {

white_point parse_white_point(std::string_view text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) throw usage_error("--white takes x,y: " + quoted(text));
  const double x = parse_number(text.substr(0, comma), "--white x");
  const double y = parse_number(text.substr(comma + 1), "--white y");
  if (!(x > 0 && y > 0 && x + y < 1)) {
    throw usage_error("--white " + quoted(text) + " is no chromaticity (x, y > 0, x + y < 1)");
  }
  return {x, y};
}

}  // namespace cli
