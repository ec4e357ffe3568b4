#include "dominant/dominant_entry.h"

#include <CLI/CLI.hpp>

#include <memory>

#include "cli/model_options.h"
#include "cli/usage_error.h"
#include "command_rows/dominant_command.h"

namespace dominant {
namespace {

constexpr const char* footer = R"(
Columns: x, y, dominant, complementary, excitation_purity, colorimetric_purity,
inside_locus. Wavelengths are floored to 0.001 nm; a purple's dominant
wavelength is its complementary one with a minus sign; the white point gives
empty fields. The CIE locus runs over the data, cut where its hue stops turning
one way (CIE 1931: 360 to 701.985 nm; CIE 1964: 380.114 to 700.719 nm); a
colour outside it gets empty purities and a warning, or with --strict an error.
With --observer legacy (the built-in tables, which give no purities) the two
wavelengths are the hue-equal wavelengths l1 and l2 of the dialogue's
construction, and the purity columns stay empty.
Examples:
  vollfarbe dominant --xy 0.35 0.6
  vollfarbe dominant --observer cie1964 --illuminant D65 --XYZ 41.2 21.3 1.9
  printf '0.2 0.3\n0.4 0.2\n' | vollfarbe dominant -)";

struct settings {
  dominant_options options;
  std::vector<std::string> stdin_marks;
  cli::model_options models;
};

}  // namespace

cli::command command() {
  return {"dominant", "Dominant and complementary wavelength and purities of colours (CIE 15).",
          [](CLI::App& app) -> cli::runner {
            auto s = std::make_shared<settings>();
            app.add_option("--xy", s->options.xy, "The colour's chromaticity x y")
                ->expected(2)
                ->type_name("X Y");
            app.add_option("--XYZ", s->options.XYZ, "The colour's tristimulus values X Y Z")
                ->expected(3)
                ->type_name("X Y Z");
            app.add_option("stdin", s->stdin_marks, "Read the colours from stdin, one a line (x y, or X Y Z)")
                ->type_name("-");
            app.add_option("--format", s->options.format, "csv (default), tsv, json or jsonl")
                ->type_name("FORMAT");
            app.add_option("--white", s->options.white,
                           "The white point as x,y (default: the illuminant's)")
                ->type_name("X,Y");
            app.add_flag("--strict", s->options.strict,
                         "Refuse colours outside the spectrum locus instead of leaving their "
                         "purities empty with a warning")
                ->disable_flag_override();
            cli::add_model_options(app, s->models, false, "cie1931");
            app.footer(footer);
            return [s](const cli::run_context& run) {
              for (const auto& arg : s->stdin_marks) {
                if (arg != "-") {
                  throw cli::usage_error("dominant: \"" + arg + "\" is no option; - reads stdin");
                }
              }
              s->options.from_stdin = !s->stdin_marks.empty();
              const auto models = cli::chosen_models(s->models, "cie1931", s->options.strict);
              if (models.size() != 1) throw cli::usage_error("dominant: one --observer at a time");
              return run_dominant(s->options, *models.front(), run.in, run.out);
            };
          }};
}

}  // namespace dominant
