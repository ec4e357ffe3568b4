// The built-in tables' optimal colours of a band, from their cumulative table.
#include "colour/legacy/legacy_model.h"

namespace colour::legacy {

tristimulus middle_pigment(double l, double lc) {
  const tristimulus t_l = cumulative_tristimulus(l);
  return colour::middle_pigment(t_l, cumulative_tristimulus(lc));
}

tristimulus middle_gap_pigment(double l, double lc) {
  const tristimulus t_l = cumulative_tristimulus(l);
  return colour::middle_gap_pigment(t_l, cumulative_tristimulus(lc), full_spectrum);
}

}  // namespace colour::legacy
