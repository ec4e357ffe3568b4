// The dialogue: the row of the command table with no name, run when no
// command word is given. Its option --window goes with it alone.
#pragma once

#include "cli/command.h"

namespace interactive {

cli::command command();

}  // namespace interactive
