// One pass of the calculator for a working wavelength and its partner, as the
// dialogue and the batch table both run it.
#include "colour/colour_model.h"
#include "colour/extended.h"

namespace colour {

pigment describe_pigment(const tristimulus& t) { return {t, colour_moment(t), chromaticity_xy(t)}; }

pass_result compute_pass(double lc, double l) {
  pass_result r{};
  if (const auto pair = compensative_wavelength(lc, l)) {
    r.middle_path = true;
    r.l = pair->l;
    r.lc = pair->lc;
    // T(l) first, then T(lc); both pigments of the band come from these two.
    const tristimulus t_l = cumulative_tristimulus(r.l);
    const tristimulus t_lc = cumulative_tristimulus(r.lc);
    r.first = describe_pigment(middle_pigment(t_l, t_lc));
    r.second = describe_pigment(middle_gap_pigment(t_l, t_lc));
    r.hue_equal_first = hue_equal_wavelengths(r.first.xy.x, r.first.xy.y);
    r.hue_equal_second = {detail::nan, detail::nan};
    return r;
  }
  // Green range or no spectral complement: the end pigments of lc.
  r.middle_path = false;
  r.l = l;
  r.lc = lc;
  const tristimulus t_lc = cumulative_tristimulus(lc);
  r.first = describe_pigment(t_lc);  // the short-end pigment is T(lc) itself
  r.second = describe_pigment(long_end_pigment(t_lc));
  r.hue_equal_first = hue_equal_wavelengths(r.first.xy.x, r.first.xy.y);
  r.hue_equal_second = hue_equal_wavelengths(r.second.xy.x, r.second.xy.y);
  return r;
}

}  // namespace colour
