#include "colour/wavelength_floor.h"

#include <cmath>

#include "colour/extended.h"

namespace colour {

double floor_to_thousandth(double v) {
  if (std::isnan(v)) return detail::quieted_nan(v);  // a hue with no wavelength
  return static_cast<double>(detail::floor_of_thousand_times(v) / detail::ext{1000});
}

}  // namespace colour
