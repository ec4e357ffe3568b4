#include "serve/serve_entry.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <variant>

#include "modules/loadable_module.h"
#include "serve/server_module.h"

namespace serve {
namespace {

constexpr const char* footer = R"(
The page shows the chromaticity diagram with a marker on the spectrum locus
for the limit wavelength: drag it, or set it with the slider, the number
field or the arrow keys, and the compensative wavelength, both optimal
colours and their hue-equal wavelengths follow. Only this machine can reach
the server (127.0.0.1 and ::1); Ctrl+C ends it. The page's JSON API:
  /api/pass?lambda=600&observer=legacy&illuminant=E   the table's row
  /api/dominant?x=0.35&y=0.6&observer=cie1931          the dominant's row
  /api/diagram.svg?lambda=600&observer=legacy,cie1931  the plot's diagram
  /api/model?observer=cie1931&illuminant=D65           locus and white point
  /api/catalogue                                       observers, illuminants
Examples:
  vollfarbe serve
  vollfarbe serve --port 8600)";

}  // namespace

cli::command command() {
  return {"serve", "A local page to explore the construction in a browser.",
          [](CLI::App& app) -> cli::runner {
            auto port = std::make_shared<int>(0);
            app.add_option("--port", *port, "The port on 127.0.0.1 and ::1; 0 (the default): a free one")
                ->type_name("N")
                ->check(CLI::Range(0, 65535));
            app.footer(footer);
            return [port](const cli::run_context& run) {
              auto entry = modules::load_function<decltype(vollfarbe_server_v1)>(
                  VOLLFARBE_SERVER_MODULE, server_entry_name, "the page server");
              if (const auto* problem = std::get_if<std::string>(&entry)) {
                std::fprintf(stderr, "vollfarbe serve: %s\n", problem->c_str());
                return 1;
              }
              const server_settings settings{*port, run.out, stderr};
              return std::get<0>(entry)()->run(settings);
            };
          }};
}

}  // namespace serve
