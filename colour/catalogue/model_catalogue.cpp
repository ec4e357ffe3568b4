#include "colour/catalogue/model_catalogue.h"

#include "colour/catalogue/catalogue_rows.h"

namespace colour {

std::span<const observer_entry> observers() { return catalogue_rows::observers; }

const observer_entry* observer_named(std::string_view name) {
  for (const observer_entry& entry : catalogue_rows::observers) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

const std::vector<std::string>& observer_names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out;
    for (const observer_entry& entry : catalogue_rows::observers) out.emplace_back(entry.name);
    return out;
  }();
  return names;
}

const std::vector<std::string>& illuminant_names() {
  static const std::vector<std::string> names(std::begin(catalogue_rows::illuminants),
                                              std::end(catalogue_rows::illuminants));
  return names;
}

std::string listed(std::span<const std::string> names, std::string_view last_joint) {
  std::string out;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) out += i + 1 == names.size() ? last_joint : std::string_view(", ");
    out += names[i];
  }
  return out;
}

}  // namespace colour
