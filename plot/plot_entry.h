// `vollfarbe plot`: its row of the command table.
#pragma once

#include "cli/command.h"

namespace plot {

cli::command command();

}  // namespace plot
