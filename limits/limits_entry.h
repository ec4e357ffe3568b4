// `vollfarbe limits`: its row of the command table.
#pragma once

#include "cli/command.h"

namespace limits {

cli::command command();

}  // namespace limits
