// `vollfarbe dominant`: its row of the command table.
#pragma once

#include "cli/command.h"

namespace dominant {

cli::command command();

}  // namespace dominant
