// The entries into a model: one pass, a batch of passes, a pigment's
// description. Each holds the exact arithmetic for its own duration.
#include <stdexcept>

#include "colour/colour_model.h"
#include "colour/exact_arithmetic.h"
#include "colour/pass_steps.h"

namespace colour {

void model::passes(std::span<const double> lc, std::span<const double> l,
                   std::span<pass_result> out) const {
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = pass(lc[i], l[i]);
}

pigment describe_pigment(const tristimulus& t, const model& m) {
  const exact_arithmetic scope;
  return detail::describe(m, t);
}

pass_result compute_pass(double lc, double l, const model& m) {
  const exact_arithmetic scope;
  return m.pass(lc, l);
}

void compute_passes(std::span<const double> lc, std::span<const double> l,
                    std::span<pass_result> out, const model& m) {
  if (lc.size() != out.size() || l.size() != out.size()) {
    throw std::invalid_argument("compute_passes: lc, l and out differ in length");
  }
  const exact_arithmetic scope;
  m.passes(lc, l, out);
}

}  // namespace colour
