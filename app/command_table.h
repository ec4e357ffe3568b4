// The program's commands, one row each (git's commands[] table): adding a
// command is a folder of its own and one row in command_table.cpp.
#pragma once

#include <span>

#include "cli/command.h"

namespace app {

// The default command (the dialogue, no name) first, then the others in the
// order `vollfarbe --help` lists them.
std::span<const cli::command> command_table();

}  // namespace app
