// `vollfarbe spectrum`: its row of the command table.
#pragma once

#include "cli/command.h"

namespace spectrum {

cli::command command();

}  // namespace spectrum
