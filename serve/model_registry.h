// The models the page server computes with, by catalogue name only: an
// observer of colour/catalogue and an illuminant colord-data has. A name is
// matched without regard to case and stands for its catalogue spelling, so
// that no text of a request ever reaches the loader as a file name. Each
// model is loaded once and kept: there are at most observers x illuminants.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "colour/colour_model.h"

namespace serve {

// A request the server refuses with 400 and this message.
struct bad_request {
  std::string message;
};

// The catalogue spelling of an observer or illuminant name, or bad_request
// naming the choices.
std::string observer_of(std::string_view name);
std::string illuminant_of(std::string_view name);

// The model, loaded at its first use (thread-safe); bad_request when the
// pair does not go together (the built-in tables know the white E only) or
// colord's file cannot be read.
std::shared_ptr<const colour::model> model_named(std::string_view observer,
                                                 std::string_view illuminant);

}  // namespace serve
