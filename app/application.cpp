// The command line: no arguments start the dialogue; `table` and `plot` are
// the batch commands. Data goes to stdout, messages to stderr; a mistake in
// the arguments exits with status 2 and writes nothing to stdout.
#include "app/application.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "app/dominant_command.h"
#include "app/help_text.h"
#include "colour/catalogue/model_loading.h"
#include "app/version_text.h"
#include "plot/plot_command.h"
#include "cli/printable_text.h"
#include "table/table_command.h"
#include "cli/usage_error.h"

namespace app {
namespace {

constexpr const char* usage_line =
    "usage: vollfarbe [--help] [--version] [--window | table [options] [WAVELENGTH...|-] | "
    "dominant [options] (--xy X Y|--XYZ X Y Z|-) | plot [options]]";

constexpr const char* plot_footer = R"(
The spectrum locus runs from 380 to 700 nm; from 495 to 565 nm, where the
built-in locus fits have no rows, it is the chromaticity of 1 nm wide bands
of the cumulative tristimulus table. Wavelengths must lie in the tables'
range, 380 to 770 nm. The output's kind follows the file name: .png, .pdf,
anything else SVG.
Examples:
  vollfarbe plot -o diagram.svg
  vollfarbe plot --wavelength 600 --ring -o plot-600.svg
  vollfarbe plot --wavelength 450,600 --fill --size column -o figure.pdf
  vollfarbe plot --fill --size slide -o slide.png)";

int usage_failure(const std::string& message) {
  std::cerr << "vollfarbe: " << cli::printable_text(message) << '\n' << usage_line << '\n';
  return 2;
}

// --help and --version are output like any other: a failed write is status 1.
// (errno is cleared before the output, whose first failure may come early.)
int after_standard_output(int status) {
  std::cout.flush();
  if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0 && std::cout.good()) return status;
  std::fprintf(stderr, "vollfarbe: cannot write the output: %s\n",
               std::strerror(errno != 0 ? errno : EIO));
  return 1;
}

// What the user chose to compute with: --observer, --illuminant, --cmf.
struct model_options {
  std::optional<std::string> observer;
  std::string illuminant{colour::default_illuminant};
  std::optional<std::string> cmf;
};

void add_model_options(CLI::App* command, model_options& options, bool several) {
  command
      ->add_option("--observer", options.observer,
                   several ? "legacy (the built-in tables, default), cie1931 or cie1964; "
                             "several separated by commas are computed side by side"
                           : "cie1931 (default) or cie1964")
      ->type_name("NAME");
  command
      ->add_option("--illuminant", options.illuminant,
                   "The white: A, B, C, D50, D55, D65, D93, E (default), F1 .. F12, or a "
                   "spectral file (colord's .sp format)")
      ->type_name("NAME|FILE");
  command
      ->add_option("--cmf", options.cmf,
                   "Colour-matching functions from a file (colord's .cmf format) instead of "
                   "--observer")
      ->type_name("FILE");
}

std::vector<std::shared_ptr<const colour::model>> chosen_models(const model_options& options,
                                                                std::string_view fallback) {
  if (options.cmf) {
    if (options.observer) throw cli::usage_error("give either --observer or --cmf, not both");
    return {colour::load_cmf_model(*options.cmf, options.illuminant)};
  }
  return colour::load_models(options.observer.value_or(std::string(fallback)), options.illuminant);
}

std::vector<const colour::model*> pointers(const std::vector<std::shared_ptr<const colour::model>>& models) {
  std::vector<const colour::model*> out;
  for (const auto& m : models) out.push_back(m.get());
  return out;
}

}  // namespace

int run_application(int argc, char** argv) {
  const std::string program_path = argc > 0 && argv[0] != nullptr ? argv[0] : "vollfarbe";
  if (argc <= 1) return run_interactive(program_path, false);

  CLI::App cli{
      "vollfarbe: optimal colours of the spectrum. Without arguments the interactive\n"
      "calculator; `table` and `plot` compute many wavelengths at once.",
      "vollfarbe"};
  cli.footer(
      "The dialogue, its piped mode, the report file, exit statuses and a glossary of\n"
      "the German words on the screen: man vollfarbe");
  cli.set_version_flag("--version", std::string("vollfarbe ") + version_text());
  cli.require_subcommand(0, 1);
  bool window = false;
  cli.add_flag("--window", window,
               "The dialogue in a window of its own (640x480, needs a graphical display)");

  table::table_options table;
  auto* table_cmd = cli.add_subcommand(
      "table", "The dialogue's first pass for many wavelengths, as CSV, TSV or JSON.");
  table_cmd->add_option("--from", table.from, "First wavelength of the range (nm), default 380")
      ->type_name("NM");
  table_cmd->add_option("--to", table.to, "Last wavelength of the range (nm), default 770")
      ->type_name("NM");
  table_cmd->add_option("--step", table.step, "Step of the range (nm), default 1")->type_name("NM");
  table_cmd->add_option("--format", table.format, "csv (default), tsv, json or jsonl")
      ->type_name("FORMAT");
  table_cmd->add_flag("--strict", table.strict,
                      "Refuse wavelengths outside the tables' range (380 to 770 nm) instead of "
                      "extrapolating them with a warning")
      ->disable_flag_override();  // a flag takes no value: --strict=3 is a mistake
  table_cmd->add_option("--threads", table.threads,
                        "Threads computing the rows, default one per core; the output is the "
                        "same for every count")
      ->type_name("N")
      ->check(CLI::Range(1u, 1024u));
  table_cmd->add_option("wavelengths", table.wavelengths,
                        "Wavelengths (nm) instead of a range; - reads one per line from stdin")
      ->type_name("NM");
  model_options table_models;
  add_model_options(table_cmd, table_models, true);
  table_cmd->footer(table_help_footer());

  dominant_options dominant;
  auto* dominant_cmd = cli.add_subcommand(
      "dominant", "Dominant and complementary wavelength and purities of colours (CIE 15).");
  dominant_cmd->add_option("--xy", dominant.xy, "The colour's chromaticity x y")
      ->expected(2)->type_name("X Y");
  dominant_cmd->add_option("--XYZ", dominant.XYZ, "The colour's tristimulus values X Y Z")
      ->expected(3)->type_name("X Y Z");
  std::vector<std::string> dominant_stdin;
  dominant_cmd->add_option("stdin", dominant_stdin, "- reads one colour a line: x y or X Y Z")
      ->type_name("-");
  dominant_cmd->add_option("--format", dominant.format, "csv (default), tsv, json or jsonl")
      ->type_name("FORMAT");
  model_options dominant_models;
  add_model_options(dominant_cmd, dominant_models, false);
  dominant_cmd->footer(
      "\nColumns: x, y, dominant, complementary, excitation_purity, colorimetric_purity.\n"
      "Wavelengths are floored to 0.001 nm; a purple's dominant wavelength is its\n"
      "complementary one with a minus sign; the white point gives empty fields.\n"
      "Examples:\n"
      "  vollfarbe dominant --xy 0.35 0.6\n"
      "  vollfarbe dominant --observer cie1964 --illuminant D65 --XYZ 41.2 21.3 1.9\n"
      "  printf '0.2 0.3\\n0.4 0.2\\n' | vollfarbe dominant -");

  plot::plot_options plot;
  auto* plot_cmd = cli.add_subcommand(
      "plot", "The CIE 1931 chromaticity diagram as SVG, PNG or PDF.");
  plot_cmd->add_option("--wavelength", plot.wavelengths,
                       "Draw the compensative pair, pigments and hue-equal wavelengths for it (nm); "
                       "repeat it or give a list (450,600) for several, each in its own colour")
      ->type_name("NM")
      ->take_last()
      ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
  plot_cmd->add_flag("--ring", plot.ring, "Draw the full-colour ring")->disable_flag_override();
  plot_cmd->add_flag("--fill", plot.fill,
                     "Fill the locus with the sRGB colours of the chromaticities")
      ->disable_flag_override();
  plot_cmd->add_option("--size", plot.size,
                       "column (85 mm, 8.5 pt text), page (170 mm, 10 pt; the default), slide "
                       "(1280 px) or a width like 120mm or 900px")
      ->type_name("SIZE");
  plot_cmd->add_option("--title", plot.title, "A heading above the diagram")->type_name("TEXT");
  plot_cmd->add_option("--dpi", plot.dpi,
                       "Resolution of a PNG, default 300 (96 for slide and px sizes)")
      ->type_name("DPI");
  model_options plot_models;
  add_model_options(plot_cmd, plot_models, true);
  plot_cmd->add_option("-o,--output", plot.output,
                       "FILE.svg, FILE.png or FILE.pdf; default - (SVG on stdout)")
      ->type_name("FILE");
  plot_cmd->footer(plot_footer);

  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) {  // --help, --version
      errno = 0;
      return after_standard_output(cli.exit(e));
    }
    return usage_failure(e.what());
  }

  if (window) {
    if (table_cmd->parsed() || plot_cmd->parsed()) {
      return usage_failure("--window is for the dialogue, not for table or plot");
    }
    return run_interactive(program_path, true);
  }

  try {
    if (table_cmd->parsed()) {
      const auto models = chosen_models(table_models, "legacy");
      return table::run_table(table, pointers(models), stdin, stdout);
    }
    if (dominant_cmd->parsed()) {
      for (const auto& arg : dominant_stdin) {
        if (arg != "-") throw cli::usage_error("dominant: \"" + arg + "\" is no option; - reads stdin");
      }
      dominant.from_stdin = !dominant_stdin.empty();
      const auto models = chosen_models(dominant_models, "cie1931");
      if (models.size() != 1) throw cli::usage_error("dominant: one --observer at a time");
      return run_dominant(dominant, *models.front(), stdin, stdout);
    }
    if (plot_cmd->parsed()) {
      const auto models = chosen_models(plot_models, "legacy");
      return plot::run_plot(plot, pointers(models), stdout);
    }
    return usage_failure("a command is needed: table, dominant or plot");
  } catch (const cli::usage_error& e) {
    return usage_failure(e.what());
  } catch (const colour::model_load_error& e) {
    // A file's own error is one line naming it: no usage line after it.
    std::cerr << "vollfarbe: " << cli::printable_text(e.what()) << '\n';
    return 2;
  }
}

}  // namespace app
