#include "colour/cie/daylight_illuminant.h"

#include <charconv>
#include <cmath>

#include "colour/extended.h"

namespace colour {
namespace {

using detail::ext;

double three_decimals(ext v) { return static_cast<double>(std::round(v * 1000) / 1000); }

}  // namespace

daylight_weights daylight_weights_at(double cct) {
  if (!(daylight_lowest_cct <= cct && cct <= daylight_highest_cct)) {
    throw std::domain_error("daylight needs a temperature from 4000 to 25000 K");
  }
  const ext t = cct;
  const ext t2 = t * t;
  const ext t3 = t2 * t;
  const ext x = cct <= 7000
                    ? ((ext{-4.6070e9L} / t3 + ext{2.9678e6L} / t2) + ext{0.09911e3L} / t) + ext{0.244063L}
                    : ((ext{-2.0064e9L} / t3 + ext{1.9018e6L} / t2) + ext{0.24748e3L} / t) + ext{0.237040L};
  const ext y = (ext{-3.000L} * x * x + ext{2.870L} * x) - ext{0.275L};
  const ext m = (ext{0.0241L} + ext{0.2562L} * x) - ext{0.7341L} * y;
  const ext m1 = ((ext{-1.3515L} - ext{1.7703L} * x) + ext{5.9114L} * y) / m;
  const ext m2 = ((ext{0.0300L} - ext{31.4424L} * x) + ext{30.0717L} * y) / m;
  return {{static_cast<double>(x), static_cast<double>(y)}, three_decimals(m1), three_decimals(m2)};
}

spectral_table daylight_spectrum(double cct, const spectral_table& basis) {
  if (basis.sets.size() < 3) {
    throw std::invalid_argument("the daylight basis needs three sets (S0, S1, S2), the file has " +
                                std::to_string(basis.sets.size()));
  }
  const daylight_weights w = daylight_weights_at(cct);
  spectral_table out{basis.start_nm, basis.end_nm, basis.bands, {std::vector<double>(basis.bands)}, 1};
  for (std::size_t i = 0; i < basis.bands; ++i) {
    out.sets[0][i] = static_cast<double>((ext{basis.sets[0][i]} + ext{w.m1} * basis.sets[1][i]) +
                                         ext{w.m2} * basis.sets[2][i]);
  }
  return out;
}

double daylight_cct_of(std::string_view name) {
  std::string_view digits = name.substr(name.find(':') + 1);
  double cct = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), cct);
  if (ec != std::errc{} || end != digits.data() + digits.size() || digits.empty() ||
      !(daylight_lowest_cct <= cct && cct <= daylight_highest_cct)) {
    throw std::invalid_argument("\"" + std::string(name) +
                                "\": daylight is D:T with T from 4000 to 25000 (K)");
  }
  return cct;
}

}  // namespace colour
