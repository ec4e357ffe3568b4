#include "interactive/interactive_entry.h"

#include <CLI/CLI.hpp>

#include <memory>

#include "interactive/interactive_command.h"

namespace interactive {

cli::command command() {
  return {"", "The dialogue (no command word): one limit wavelength at a time, with a report file.",
          [](CLI::App& app) -> cli::runner {
            auto window = std::make_shared<bool>(false);
            app.add_flag("--window", *window,
                         "The dialogue in a window of its own (640x480, needs a graphical display)");
            return [window](const cli::run_context& run) {
              return run_interactive(run.program_path, *window);
            };
          }};
}

}  // namespace interactive
