// The steps of one pass, written once over any model type. A model's own
// final class instantiates it, so that its steps are direct calls the
// compiler can inline, not one virtual call each.
#pragma once

#include "colour/colour_model.h"
#include "colour/extended.h"

namespace colour::detail {

template <typename Model>
pigment describe(const Model& m, const tristimulus& t) {
  return {t, m.colour_moment(t), chromaticity_xy(t)};
}

template <typename Model>
pass_result pass_of(const Model& m, double lc, double l) {
  pass_result r{};
  if (const auto pair = m.compensative_wavelength(lc, l)) {
    r.middle_path = true;
    r.l = pair->l;
    r.lc = pair->lc;
    // T(l) first, then T(lc); both pigments of the band come from these two.
    const tristimulus t_l = m.cumulative_tristimulus(r.l);
    const tristimulus t_lc = m.cumulative_tristimulus(r.lc);
    r.first = describe(m, middle_pigment(t_l, t_lc));
    r.second = describe(m, middle_gap_pigment(t_l, t_lc, m.full_spectrum()));
    r.hue_equal_first = m.hue_equal_wavelengths(r.first.xy.x, r.first.xy.y);
    r.hue_equal_second = {nan, nan};
    return r;
  }
  // Green range or no spectral complement: the end pigments of lc.
  r.middle_path = false;
  r.l = l;
  r.lc = lc;
  const tristimulus t_lc = m.cumulative_tristimulus(lc);
  r.first = describe(m, t_lc);  // the short-end pigment is T(lc) itself
  r.second = describe(m, long_end_pigment(t_lc, m.full_spectrum()));
  r.hue_equal_first = m.hue_equal_wavelengths(r.first.xy.x, r.first.xy.y);
  r.hue_equal_second = m.hue_equal_wavelengths(r.second.xy.x, r.second.xy.y);
  return r;
}

}  // namespace colour::detail
