#include "limits/limits_entry.h"

#include <CLI/CLI.hpp>

#include <memory>

#include "cli/model_options.h"
#include "cli/usage_error.h"
#include "command_rows/limits_command.h"
#include "limits/limits_cli.h"

namespace limits {
namespace {

struct settings {
  limits_options options;
  cli::model_options models;
};

}  // namespace

cli::command command() {
  return {"limits",
          "MacAdam limits of a CIE observer at any Y, and where colours stand in the solid.",
          [](CLI::App& app) -> cli::runner {
            auto s = std::make_shared<settings>();
            add_limits_options(app, s->options);
            cli::add_model_options(app, s->models, false, "cie1931");
            return [s](const cli::run_context& run) {
              const auto models = cli::chosen_models(s->models, "cie1931");
              if (models.size() != 1) throw cli::usage_error("limits: one --observer at a time");
              return run_limits(s->options, *models.front(), run.in, run.out);
            };
          }};
}

}  // namespace limits
