// A white point typed by the user as a chromaticity, "x,y" (--white of
// dominant and spectrum), to reproduce figures computed with a rounded
// white such as D65's 0.3127,0.3290.
#pragma once

#include <string_view>

namespace cli {

struct white_point {
  double x;
  double y;
};

// "0.3127,0.329" -> {0.3127, 0.329}; usage_error for anything else, or for
// a point that is no chromaticity (x, y > 0, x + y < 1).
white_point parse_white_point(std::string_view text);

}  // namespace cli
