// `vollfarbe serve`: its row of the command table.
#pragma once

#include "cli/command.h"

namespace serve {

cli::command command();

}  // namespace serve
