// The models the solid's tests compute with, loaded once per test program.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "colour/catalogue/model_loading.h"
#include "colour/solid/optimal_solid.h"

namespace test_support {

// The solid of observer `cmf` ("cie1931", "cie1964") under an illuminant.
inline const colour::optimal_solid& solid_of(const std::string& cmf, const std::string& illuminant) {
  struct entry {
    std::shared_ptr<const colour::model> model;
    std::unique_ptr<colour::optimal_solid> solid;
  };
  static std::map<std::pair<std::string, std::string>, entry> cache;
  entry& e = cache[{cmf, illuminant}];
  if (!e.solid) {
    e.model = colour::load_model(cmf, illuminant);
    e.solid = std::make_unique<colour::optimal_solid>(*e.model);
  }
  return *e.solid;
}

}  // namespace test_support
