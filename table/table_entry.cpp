#include "table/table_entry.h"

#include <CLI/CLI.hpp>

#include <memory>

#include "cli/model_options.h"
#include "table/table_command.h"
#include "table/table_help.h"

namespace table {
namespace {

struct settings {
  table_options options;
  cli::model_options models;
};

}  // namespace

cli::command command() {
  return {"table", "The dialogue's first pass for many wavelengths, as CSV, TSV or JSON.",
          [](CLI::App& app) -> cli::runner {
            auto s = std::make_shared<settings>();
            table_options& table = s->options;
            app.add_option("--from", table.from, "First wavelength of the range (nm), default 380")
                ->type_name("NM");
            app.add_option("--to", table.to, "Last wavelength of the range (nm), default 770")
                ->type_name("NM");
            app.add_option("--step", table.step, "Step of the range (nm), default 1")->type_name("NM");
            app.add_option("--format", table.format, "csv (default), tsv, json or jsonl")
                ->type_name("FORMAT");
            app.add_flag("--strict", table.strict,
                         "Refuse wavelengths outside the tables' range (380 to 770 nm) instead of "
                         "extrapolating them with a warning")
                ->disable_flag_override();  // a flag takes no value: --strict=3 is a mistake
            app.add_option("--threads", table.threads,
                           "Threads computing the rows, default one per core; the output is the "
                           "same for every count")
                ->type_name("N")
                ->check(CLI::Range(1u, 1024u));
            app.add_option("--partner", table.partner,
                           "The partner wavelength l of every pass (nm), default 0: each row is "
                           "then the dialogue's correction pass for its entry after a pair with "
                           "that l")
                ->type_name("NM");
            app.add_option("--column", table.column,
                           "Read stdin as a CSV or TSV table with a header line and take the "
                           "wavelengths from this column (its name, or its number from 1)")
                ->type_name("NAME");
            app.add_option("wavelengths", table.wavelengths,
                           "Wavelengths (nm) instead of a range; - reads one per line from stdin "
                           "(blank lines and # comments skipped)")
                ->type_name("NM... | -");
            cli::add_model_options(app, s->models, true, "legacy");
            app.footer(table_help_footer());
            return [s](const cli::run_context& run) {
              const auto models = cli::chosen_models(s->models, "legacy", s->options.strict);
              return run_table(s->options, cli::model_pointers(models), run.in, run.out);
            };
          }};
}

}  // namespace table
