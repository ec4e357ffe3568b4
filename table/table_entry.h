// `vollfarbe table`: its row of the command table.
#pragma once

#include "cli/command.h"

namespace table {

cli::command command();

}  // namespace table
