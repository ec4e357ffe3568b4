// A command word that names no command: the message says which one was
// probably meant.
//   vollfarbe tabel 600 -> "unknown command 'tabel'; did you mean 'table'?"
//   vollfarbe frob      -> "unknown command 'frob'; the commands are table, dominant, plot"
#pragma once

#include <optional>
#include <span>
#include <string>

#include "cli/command.h"

namespace app {

// The message for the program's first word that is no option, when it names
// no command; nothing when it does (or when there is none). The program's
// own options take no values, so that word is the command word.
std::optional<std::string> unknown_command(int argc, char** argv,
                                           std::span<const cli::command> commands);

}  // namespace app
