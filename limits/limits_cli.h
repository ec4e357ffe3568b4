// The options of `vollfarbe limits` on its CLI11 subcommand.
#pragma once

#include "command_rows/limits_command.h"

namespace CLI {
class App;
}

namespace limits {

// The command's options on its CLI11 subcommand (the model options are the
// shared ones, cli/model_options.h; limits/limits_entry.cpp adds them).
void add_limits_options(CLI::App& command, limits_options& options);

}  // namespace limits
