// The calculator's dialogue: title, passes, end-pigment choice, menu and
// corrections, on whatever host the services run.
#pragma once

#include "textio/services.h"

namespace dialogue {

// Runs the dialogue until it ends; returns the exit status (0 on both of the
// dialogue's ways to end, the host's status at end of input or on a signal).
int run_dialogue(textio::services& io);

}  // namespace dialogue
