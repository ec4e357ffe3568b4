// Lists of numbers as the limits command takes them: "10,20,30", or with
// "..." continuing the step of the two numbers before it up to the number
// after it: "10,20,...,90" -> 10, 20, ..., 90; "0,0.5,...,2" -> 0 .. 2 in
// steps of 0.5. The values are start + k step (no step sums that drift).
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace limits {

// At most this many values: a list stands for rows of output, and a typo
// ("10,10.0001,...,90") must not ask for a billion of them.
inline constexpr std::size_t most_list_values = 1'000'000;

// cli::usage_error naming `what` ("--Y", "--hue") for an empty item, a
// number that is not one, "..." without two numbers before and one after
// it, a step of zero or one that runs away from the end, a list too long.
std::vector<double> parse_value_list(std::string_view text, std::string_view what);

}  // namespace limits
