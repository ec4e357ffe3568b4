#include "spectrum/spectrum_entry.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

#include "cli/model_options.h"
#include "cli/usage_error.h"
#include "colour/catalogue/model_loading.h"
#include "spectrum/spectrum_command.h"

namespace spectrum {
namespace {

struct settings {
  spectrum_options options;
  cli::model_options models;
};

}  // namespace

cli::command command() {
  return {"spectrum", "The colour of measured spectra, and the colour temperature of lights.",
          [](CLI::App& app) -> cli::runner {
            auto s = std::make_shared<settings>();
            add_spectrum_options(app, s->options);
            cli::add_model_options(app, s->models, false, "cie1931");
            return [s](const cli::run_context& run) {
              s->options.method = s->models.method;
              const auto models = cli::chosen_models(s->models, "cie1931", s->options.strict);
              if (models.size() != 1) throw cli::usage_error("spectrum: one --observer at a time");
              // The colour temperature is the CIE 1931 observer's, whatever the colours' is.
              const auto cie1931 = colour::load_model("cie1931", s->models.illuminant);
              return run_spectrum(s->options, *models.front(), *cie1931, s->models.illuminant,
                                  run.in, run.out, stderr);
            };
          }};
}

}  // namespace spectrum
