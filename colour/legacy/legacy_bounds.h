// Bounds of the built-in tables in wavelength and hue number.
#pragma once

namespace colour::legacy {

// The wavelengths the built-in tables cover (nm, both ends inclusive): the
// cumulative table runs from 380 to 770 nm. Results for wavelengths outside
// are extrapolated (no light below 380 nm, a straight line above 760 nm).
inline constexpr double tables_lo = 380;
inline constexpr double tables_hi = 770;

// Red end of the spectrum locus (nm); the fits stop here.
inline constexpr double red_end = 700;

// The green range (nm, both bounds inclusive): no spectral compensative
// wavelength exists for these.
inline constexpr double green_range_lo = 493.885;
inline constexpr double green_range_hi = 569.671;

// Hue numbers the hue-to-wavelength fit covers (700 nm down to 380 nm).
inline constexpr double spectral_hue_lo = 3.65299990773201;
inline constexpr double spectral_hue_hi = 22.7167512690355;

// The hue-equal test counts hue numbers below this as purples.
inline constexpr double hue_equal_hue_lo = 3.653;

// Compensative wavelengths of the two ends of the spectral range (700 nm and
// 380 nm); hue-equal wavelengths strictly between them have no partner.
inline constexpr double green_partner_lo = 493.884;
inline constexpr double green_partner_hi = 569.672;

}  // namespace colour::legacy
