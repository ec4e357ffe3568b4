// The calculator's dialogue: title, passes, end-pigment choice, menu and
// corrections, on whatever host the services run.
#pragma once

#include "colour/colour_model.h"
#include "textio/services.h"

namespace dialogue {

// Runs the dialogue on the model m (the program runs it on the built-in
// tables, colour/legacy/legacy_model.h) until it ends; returns the exit status
// (0 on both of the dialogue's ways to end, the host's status at end of input
// or on a signal).
int run_dialogue(textio::services& io, const colour::model& m);

}  // namespace dialogue
