#include "serve/model_registry.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>

#include "colour/catalogue/model_catalogue.h"
#include "colour/catalogue/model_loading.h"

namespace serve {
namespace {

bool same_name(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char p, char q) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return lower(p) == lower(q);
  });
}

std::string catalogue_name(std::string_view name, const std::vector<std::string>& names,
                           std::string_view what) {
  for (const auto& known : names) {
    if (same_name(known, name)) return known;
  }
  throw bad_request{std::string(what) + " must be " + colour::listed(names)};
}

}  // namespace

std::string observer_of(std::string_view name) {
  return catalogue_name(name, colour::observer_names(), "observer");
}

std::string illuminant_of(std::string_view name) {
  return catalogue_name(name, colour::illuminant_names(), "illuminant");
}

std::shared_ptr<const colour::model> model_named(std::string_view observer,
                                                 std::string_view illuminant) {
  static std::mutex lock;
  static std::map<std::pair<std::string, std::string>, std::shared_ptr<const colour::model>> loaded;
  auto key = std::make_pair(observer_of(observer), illuminant_of(illuminant));
  const std::lock_guard hold(lock);
  if (auto found = loaded.find(key); found != loaded.end()) return found->second;
  try {
    auto model = colour::load_model(key.first, key.second);
    loaded.emplace(std::move(key), model);
    return model;
  } catch (const colour::model_load_error& e) {
    throw bad_request{e.what()};
  }
}

}  // namespace serve
