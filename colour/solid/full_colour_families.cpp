#include "colour/solid/full_colour_families.h"

namespace colour {

family_range range_of(const cie_model& m, full_colour_family f) {
  const model_bounds& b = m.bounds();
  if (f == full_colour_family::band || f == full_colour_family::band_stop) {
    return {b.locus_blue_end, b.green_lo};
  }
  return {b.green_lo, b.green_hi};
}

family_member member_of(const cie_model& m, full_colour_family f, double t) {
  const model_bounds& b = m.bounds();
  switch (f) {
    case full_colour_family::band: return {t, m.complementary_wavelength(t), false};
    case full_colour_family::band_stop: return {t, m.complementary_wavelength(t), true};
    case full_colour_family::low_pass: return {b.data_lo, t, false};
    case full_colour_family::high_pass: return {t, b.data_hi, false};
  }
  return {t, t, false};
}

tristimulus tristimulus_of(const cie_model& m, const family_member& member) {
  const tristimulus a = m.cumulative_tristimulus(member.l);
  const tristimulus c = m.cumulative_tristimulus(member.lc);
  const tristimulus band{c.X - a.X, c.Y - a.Y, c.Z - a.Z};
  if (!member.band_stop) return band;
  const tristimulus w = m.full_spectrum();
  return {w.X - band.X, w.Y - band.Y, w.Z - band.Z};
}

}  // namespace colour
