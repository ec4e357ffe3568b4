#include "colour/spectrum/spectrum_data.h"

namespace colour {

std::optional<spectrum_kind> spectrum_kind_named(std::string_view name) {
  if (name == "reflectance") return spectrum_kind::reflectance;
  if (name == "transmittance") return spectrum_kind::transmittance;
  if (name == "emission") return spectrum_kind::emission;
  return std::nullopt;
}

std::optional<summation_method> summation_method_named(std::string_view name) {
  if (name == "exact") return summation_method::exact;
  if (name == "cie15") return summation_method::cie15;
  return std::nullopt;
}

}  // namespace colour
