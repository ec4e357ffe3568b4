// The batch of passes spread over several threads.
//
//   std::vector<double> lc = {...}, l(lc.size(), 0.0);
//   std::vector<colour::pass_result> out(lc.size());
//   colour::compute_passes(lc, l, out, colour::legacy_model(), 0);  // all cores
//
// Contract:
//   - out[i] is bit for bit compute_pass(lc[i], l[i], m), whatever the thread
//     count and however the work happens to be split: every pass depends on
//     its own inputs only.
//   - threads = 0 uses every core this process may run on
//     (available_cores()); 1 runs in the calling thread alone. Small batches
//     use fewer threads than asked (a thread is not worth starting for a few
//     hundred passes).
//   - lc, l and out have the same length (else std::invalid_argument, nothing
//     computed). The spans must not overlap out.
//   - Each thread holds its own exact_arithmetic scope; the caller's floating
//     point settings are not touched and need not be exact.
//   - If a thread cannot be started, the others (and the caller) do its share.
//     An exception thrown by the model's `passes` stops the batch and is
//     rethrown to the caller once every thread has ended; `out` is then
//     partly written.
//   - The model is shared between the threads; models are immutable
//     (colour/colour_model.h), so this is safe for every model.
#pragma once

#include <span>

#include "colour/colour_model.h"

namespace colour {

// The number of cores this process may run on (its CPU affinity), at least 1.
unsigned available_cores();

// out[i] = compute_pass(lc[i], l[i], m), over `threads` threads (0: all cores).
void compute_passes(std::span<const double> lc, std::span<const double> l,
                    std::span<pass_result> out, const model& m, unsigned threads);

}  // namespace colour
