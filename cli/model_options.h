// The options every command that computes takes to choose its model:
// --observer NAME[,NAME...], --illuminant NAME|FILE|D:T, --cmf FILE, and
// --method exact|cie15 (cie15: the white point is CIE 15's 5 nm summation
// over 380..780 nm, so that published white points and the hues seen from
// them are reproduced; exact: the integral over the observer's range). The names
// and their help come from the model catalogue (colour/catalogue/).
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "colour/colour_model.h"

namespace CLI {
class App;
}

namespace cli {

struct model_options {
  std::optional<std::string> observer;
  std::string illuminant{"E"};
  std::optional<std::string> cmf;
  std::string method{"exact"};
};

// Declares the three options on a command. `several`: --observer takes a
// comma-separated list, computed side by side. `default_observer` names the
// model used when neither --observer nor --cmf is given.
void add_model_options(CLI::App& command, model_options& options, bool several,
                       std::string_view default_observer);

// The models the options name (at least one): a model_load_error for a file
// or name that cannot be loaded, a usage_error for --observer with --cmf.
// What the data let pass but a user should know of (an illuminant held
// constant over much of the range, unused data sets, subnormal values) is a
// line "vollfarbe: warning: ..." on stderr each; with `strict` the first is
// a model_load_error ("--strict: ...") instead.
std::vector<std::shared_ptr<const colour::model>> chosen_models(const model_options& options,
                                                                std::string_view default_observer,
                                                                bool strict = false);

// The models as the plain pointers the commands take (owned by `models`).
std::vector<const colour::model*> model_pointers(
    const std::vector<std::shared_ptr<const colour::model>>& models);

}  // namespace cli
