// Every printed wavelength is floored to 0.001 nm, by every model alike.
#pragma once

namespace colour {

// floor(1000 v) / 1000 in the x87's arithmetic: 489.99690594 -> 489.996,
// -566.4841 -> -566.485; a NaN stays a NaN (quieted, its sign kept).
double floor_to_thousandth(double v);

}  // namespace colour
