#include "plot/plot_entry.h"

#include <CLI/CLI.hpp>

#include <memory>

#include "cli/model_options.h"
#include "plot/plot_command.h"

namespace plot {
namespace {

constexpr const char* footer = R"(
The spectrum locus runs from 380 to 700 nm; from 495 to 565 nm, where the
built-in locus fits have no rows, it is the chromaticity of 1 nm wide bands
of the cumulative tristimulus table. Wavelengths must lie in the tables'
range, 380 to 770 nm. The output's kind follows the file name: .png, .pdf,
anything else SVG.
Examples:
  vollfarbe plot -o diagram.svg
  vollfarbe plot --wavelength 600 --ring -o plot-600.svg
  vollfarbe plot --wavelength 600 --fill --size column -o figure.pdf
  vollfarbe plot --fill --size slide -o slide.png
  vollfarbe plot --limits 10,30,50,70,90 --illuminant D65 -o limits.png)";

struct settings {
  plot_options options;
  cli::model_options models;
};

}  // namespace

cli::command command() {
  return {"plot", "The CIE 1931 chromaticity diagram as SVG, PNG or PDF.",
          [](CLI::App& app) -> cli::runner {
            auto s = std::make_shared<settings>();
            plot_options& plot = s->options;
            app.add_option("--wavelength", plot.wavelengths,
                           "Draw the compensative pair, pigments and hue-equal wavelengths for it "
                           "(nm); repeat it or give a list (450,600) for several, each in its own "
                           "colour")
                ->type_name("NM")
                ->take_last()
                ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
            app.add_flag("--ring", plot.ring, "Draw the full-colour ring")->disable_flag_override();
            app.add_flag("--fill", plot.fill,
                         "Fill the locus with the sRGB colours of the chromaticities")
                ->disable_flag_override();
            app.add_option("--size", plot.size,
                           "column (85 mm, 8.5 pt text), page (170 mm, 10 pt; the default), slide "
                           "(1280 x 720 px) or a width like 120mm or 900px")
                ->type_name("SIZE");
            app.add_option("--limits", plot.limits,
                           "Draw the MacAdam limits at these luminance factors (10,30,50,70,90) "
                           "instead of the diagram; CIE observers only")
                ->type_name("LIST");
            app.add_option("--title", plot.title, "A heading above the diagram")->type_name("TEXT");
            app.add_option("--dpi", plot.dpi,
                           "Resolution of a PNG, default 300 (96 for slide and px sizes)")
                ->type_name("DPI");
            cli::add_model_options(app, s->models, true, "legacy");
            app.add_option("-o,--output", plot.output,
                           "FILE.svg, FILE.png or FILE.pdf; default - (SVG on stdout)")
                ->type_name("FILE");
            app.footer(footer);
            return [s](const cli::run_context& run) {
              // The limits need colour-matching functions: CIE 1931 unless told.
              const auto models =
                  cli::chosen_models(s->models, s->options.limits.empty() ? "legacy" : "cie1931");
              return run_plot(s->options, cli::model_pointers(models), run.out);
            };
          }};
}

}  // namespace plot
