#include "cli/model_options.h"

#include <CLI/CLI.hpp>

#include <cstdio>

#include "cli/printable_text.h"
#include "cli/number_input.h"
#include "cli/usage_error.h"
#include "colour/cie/cie_model.h"
#include "colour/spectrum/spectrum_colour.h"
#include "colour/catalogue/model_catalogue.h"
#include "colour/catalogue/model_loading.h"

namespace cli {
namespace {

// "legacy (built-in tables), cie1931 (CIE 1931 2°) or cie1964 (CIE 1964 10°)"
std::string observer_help(std::string_view default_observer, bool several) {
  std::vector<std::string> named;
  for (const colour::observer_entry& entry : colour::observers()) {
    named.push_back(std::string(entry.name) + " (" + std::string(entry.label) + ")");
  }
  std::string help = colour::listed(named) + "; default " + std::string(default_observer);
  if (several) help += ". Several separated by commas are computed side by side";
  return help;
}

}  // namespace

void add_model_options(CLI::App& command, model_options& options, bool several,
                       std::string_view default_observer) {
  command.add_option("--observer", options.observer, observer_help(default_observer, several))
      ->type_name(several ? "NAME[,NAME...]" : "NAME");
  command
      .add_option("--illuminant", options.illuminant,
                  "The white: " + colour::listed(colour::illuminant_names()) +
                      " (default E), D:T (daylight of T kelvin, 4000 to 25000), or a "
                      "spectral file (colord's .sp format)")
      ->type_name("NAME|FILE");
  command
      .add_option("--cmf", options.cmf,
                  "Colour-matching functions from a file (colord's .cmf format) instead of "
                  "--observer")
      ->type_name("FILE");
  command
      .add_option("--method", options.method,
                  "exact (default): the white integrated over the observer's range; cie15: "
                  "CIE 15's 5 nm summation over 380 to 780 nm, which reproduces published "
                  "white points")
      ->type_name("METHOD");
}

std::vector<std::shared_ptr<const colour::model>> chosen_models(const model_options& options,
                                                                std::string_view default_observer,
                                                                bool strict) {
  const auto method = colour::summation_method_named(options.method);
  if (!method) throw usage_error("--method: " + cli::quoted(options.method) + " is not exact or cie15");
  std::vector<std::string> warnings;
  std::vector<std::shared_ptr<const colour::model>> models;
  if (options.cmf) {
    if (options.observer) throw usage_error("give either --observer or --cmf, not both");
    models = {colour::load_cmf_model(*options.cmf, options.illuminant, &warnings)};
  } else {
    models = colour::load_models(options.observer.value_or(std::string(default_observer)),
                                 options.illuminant, &warnings);
  }
  if (strict && !warnings.empty()) throw colour::model_load_error("--strict: " + warnings.front());
  for (const auto& warning : warnings) {
    std::fprintf(stderr, "vollfarbe: warning: %s\n", printable_text(warning).c_str());
  }
  if (*method == colour::summation_method::cie15) {
    for (auto& m : models) {
      const auto* cie = dynamic_cast<const colour::cie_model*>(m.get());
      if (!cie) throw usage_error("--method cie15 needs a CIE observer: the built-in tables have one white");
      m = colour::with_summed_white(*cie);
    }
  }
  return models;
}

std::vector<const colour::model*> model_pointers(
    const std::vector<std::shared_ptr<const colour::model>>& models) {
  std::vector<const colour::model*> out;
  for (const auto& m : models) out.push_back(m.get());
  return out;
}

}  // namespace cli
