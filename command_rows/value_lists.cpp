#include "command_rows/value_lists.h"

#include <cmath>
#include <string>

#include "cli/number_input.h"
#include "cli/usage_error.h"

namespace limits {

std::vector<double> parse_value_list(std::string_view text, std::string_view what) {
  const std::string name(what);
  std::vector<std::string_view> items;
  for (std::size_t start = 0;;) {
    const std::size_t comma = text.find(',', start);
    items.push_back(text.substr(start, comma == std::string_view::npos ? comma : comma - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  std::vector<double> values;
  const auto add = [&](double v) {
    if (values.size() >= most_list_values) {
      throw cli::usage_error(name + ": more than " + std::to_string(most_list_values) + " values");
    }
    values.push_back(v);
  };
  for (std::size_t i = 0; i < items.size(); ++i) {
    std::string_view item = items[i];
    while (!item.empty() && (item.front() == ' ' || item.front() == '\t')) item.remove_prefix(1);
    while (!item.empty() && (item.back() == ' ' || item.back() == '\t')) item.remove_suffix(1);
    if (item.empty()) throw cli::usage_error(name + ": an empty item in " + cli::quoted(text));
    if (item != "...") {
      add(cli::parse_number(item, name));
      continue;
    }
    const bool after_two = i >= 2 && items[i - 1] != "..." && items[i - 2] != "...";
    if (!after_two || i + 1 >= items.size()) {
      throw cli::usage_error(name + ": \"...\" continues the step of the two numbers before it "
                                    "up to the one after it, as in 10,20,...,90");
    }
    const double a = values[values.size() - 2], b = values.back();
    const double end = cli::parse_number(items[i + 1], name);
    const double step = b - a;
    if (!(step != 0) || (end - b) / step < 0 || !std::isfinite((end - b) / step)) {
      throw cli::usage_error(name + ": the step " + cli::quoted(std::string(items[i - 2]) + "," +
                                                             std::string(items[i - 1])) +
                             " does not lead to " + cli::quoted(items[i + 1]));
    }
    // The values a + k step after b that do not pass the end (a last one
    // within a millionth of a step of the end counts as the end).
    const double steps = std::floor((end - a) / step + 1e-6);
    if (steps > static_cast<double>(most_list_values)) {
      throw cli::usage_error(name + ": more than " + std::to_string(most_list_values) + " values");
    }
    for (double k = 2; k <= steps; ++k) add(k == steps && std::fabs(a + k * step - end) <= std::fabs(step) * 1e-6 ? end : a + k * step);
    if (values.back() != end) add(end);
    ++i;  // the end is taken
  }
  return values;
}

}  // namespace limits
